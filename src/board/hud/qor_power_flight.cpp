#include "board/hud/qor_power_flight.h"

#include <algorithm>
#include <cmath>
#include <string>

QORPowerFlight::QORPowerFlight(int32_t index, const math::Vec2& start, const math::Vec2& end)
    : start_(start), end_(end), index_(index) {
  icon_.LoadImage(std::to_string(index + 1) + "_off");
}

void QORPowerFlight::Draw() {
  const float t = std::clamp(1.0f - timer_.remaining / timer_.period, 0.0f, 1.0f);
  const float b = std::sin(t * 3.14f);
  const math::Vec2 half(kHalfWidth * b, kHalfHeight * b);
  icon_.SetRect(start_ + (end_ - start_) * t - half, half * 2.0f, 0.0f, 0, 0xFFFFFFFFu);
  icon_.Render();
}
