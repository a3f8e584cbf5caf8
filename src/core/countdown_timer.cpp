#include "core/countdown_timer.h"

float CountdownTimer::GetProgress() const {
  if (period <= 0.0f) return 1.0f;
  float progress = 1.0f - remaining / period;
  if (progress < 0.0f) return 0.0f;
  if (progress > 1.0f) return 1.0f;
  return progress;
}
