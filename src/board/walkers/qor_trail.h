// The fading ribbon a flyer draws behind it: the positions it passed
// through, sampled at a fixed interval and forgotten one by one after a
// fixed time, drawn as a textured strip that fades in from its tail. The
// owner ticks it, offers it a point in board space each time it draws, and
// draws it relative to the board's scroll.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"

class Image;

class QORTrail {
 public:
  // All trails share one vertex array of 600 vertices: 50 segments.
  static constexpr int32_t kMaxPoints = 51;

  QORTrail();
  ~QORTrail();
  QORTrail(const QORTrail&) = delete;
  QORTrail& operator=(const QORTrail&) = delete;

  // Room for twice the points that live over the duration (at most
  // kMaxPoints), all forgotten; the sample timer runs the interval and the
  // fade timer the duration.
  void Init(float interval, float duration);
  // Takes the point when the sample timer has run out.
  void AddPoint(const math::Vec2& position);
  // The owner's duty each frame: both timers run, and once the fade timer
  // runs out the oldest point goes at every interval.
  void Tick(float dt);
  // Nothing without a texture or with fewer than two points.
  void Render(const math::Vec2& origin);

  void SetWidth(float width) { width_ = width; }
  void SetAdditive(bool additive) { additive_ = additive ? 1 : 0; }
  // Through the graphics device; the trail owns the image.
  void LoadTexture(const std::string& fileName);
  bool HasTexture() const { return texture_ != nullptr; }

  int32_t GetCapacity() const { return capacity_; }
  int32_t GetLiveCount() const { return count_ - first_; }
  // The live point i, oldest first.
  const math::Vec2& GetPoint(int32_t i) const { return points_[first_ + i]; }

 private:
  // The live points moved to the start of the array.
  void Compact();

  CountdownTimer sampleTimer_{0.1f, 0.1f};
  CountdownTimer fadeTimer_{0.5f, 0.5f};
  int32_t capacity_ = 0;
  int32_t first_ = 0;
  int32_t count_ = 0;
  std::unique_ptr<math::Vec2[]> points_;
  float width_ = 0.00375f;
  uint8_t additive_ = 1;
  std::unique_ptr<Image> texture_;
  float interval_ = 0.1f;
  float duration_ = 0.5f;
};
