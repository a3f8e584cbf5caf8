// The process-wide frame clock: limited frame delta, total game time and rate.
#pragma once
#include <cstdint>

struct FrameTimer {
  static constexpr float kMaxFrameDelta = 0.1f;

  FrameTimer();
  void Tick();
  float GetTotalTime() const { return totalTime; }

  float frameDelta = 0.0f;
  float secondsSinceRateUpdate = 0.0f;
  int32_t framesSinceRateUpdate = 0;
  int32_t frameCount = 0;
  float totalTime = 0.0f;
  float framesPerSecond = 0.0f;
  uint32_t lastTime = 0;
};

FrameTimer& GetFrameTimer();
