#include "core/frame_timer.h"

#include <cstdlib>

#include "platform/timer/winmm.h"

FrameTimer::FrameTimer() : lastTime(timeGetTime()) {}

void FrameTimer::Tick() {
  ++frameCount;
  uint32_t now = timeGetTime();
  uint32_t elapsed = now - lastTime;  // unsigned: survives the counter's wrap
  lastTime = now;
  frameDelta = static_cast<float>(elapsed) * 0.001f;
  if (frameDelta > kMaxFrameDelta) frameDelta = kMaxFrameDelta;
  totalTime += frameDelta;
  ++framesSinceRateUpdate;
  secondsSinceRateUpdate += frameDelta;
  if (secondsSinceRateUpdate >= 1.0f) {
    framesPerSecond = static_cast<float>(framesSinceRateUpdate) / secondsSinceRateUpdate;
    framesSinceRateUpdate = 0;
    secondsSinceRateUpdate -= 1.0f;
  }
}

namespace {
void RestoreTimerResolution() { timeEndPeriod(1); }

FrameTimer* CreateFrameTimer() {
  timeBeginPeriod(1);
  static FrameTimer timer;
  std::atexit(RestoreTimerResolution);
  return &timer;
}
}  // namespace

FrameTimer& GetFrameTimer() {
  static FrameTimer* timer = CreateFrameTimer();
  return *timer;
}
