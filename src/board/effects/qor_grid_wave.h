// A timed animation over every cell of a W x H grid: each cell has its own
// delay, all share one duration, and the wave calls a derived class's hooks
// when a cell starts, while it progresses and when it ends. It knows nothing
// of what a cell shows. A wave runs once.
#pragma once
#include <cstdint>
#include <vector>

class QORGridWave {
 public:
  QORGridWave(int32_t width, int32_t height);
  virtual ~QORGridWave();
  QORGridWave(const QORGridWave&) = delete;
  QORGridWave& operator=(const QORGridWave&) = delete;

  // Advances the wave; its answer carries no meaning (read IsFinished).
  virtual bool Tick(float dt);
  // Resets every cell, column by column; the time and flags stay.
  virtual void Start();
  virtual float GetDuration();
  // A diagonal wave from the top-left cell, beginning after 1 s.
  virtual float GetDelay(int32_t x, int32_t y);
  virtual void OnCellProgress(int32_t x, int32_t y, float t) = 0;
  virtual void OnCellStart(int32_t x, int32_t y) = 0;
  virtual void OnCellEnd(int32_t x, int32_t y) = 0;
  virtual void ResetCell(int32_t x, int32_t y) = 0;

  // Every cell has ended (a grid without cells once it has ticked).
  bool IsFinished() const { return finished_ != 0; }
  float GetTime() const { return time_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }

 private:
  int32_t width_;
  int32_t height_;
  float time_ = 0.0f;
  uint8_t finished_ = 0;
  std::vector<uint8_t> started_;
  std::vector<uint8_t> ended_;
};
