// A heading in degrees (0..360) turning towards a target at a fixed rate,
// the short way round.
#pragma once

namespace math {

struct AngleSeek {
  float current = 0.0f;
  float target = 0.0f;
  float rate = 0.0f;  // degrees per second

  void Update(float dt);
};

}  // namespace math
