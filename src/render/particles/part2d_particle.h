// One slot of a 2D particle pool, in screen units (y down).
#pragma once
#include <cstdint>

#include "core/countdown_timer.h"
#include "core/math/vector.h"

namespace part2d {

struct Particle {
  math::Vec2 position;   // centre
  math::Vec2 direction;  // unit vector of travel
  float speed = 0.0f;
  math::Vec2 sizeFrom;   // x drawn width, y drawn length
  math::Vec2 sizeDelta;  // size at death minus sizeFrom
  uint8_t alive = 0;
  uint8_t dying = 0;
  CountdownTimer life;
  float animClock = 0.0f;
};

}  // namespace part2d
