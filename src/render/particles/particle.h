// One slot of a 3D particle pool.
#pragma once
#include <cstdint>

#include "core/math/vector.h"

namespace partsys {

struct Particle {
  math::Vec3 position;
  math::Vec3 velocity;  // units per second
  float uMin = 0.0f, vMin = 0.0f, uMax = 0.0f, vMax = 0.0f;
  float size = 0.0f;
  float age = 0.0f;  // seconds
  float life = 0.0f;
  uint8_t alive = 0;
  uint8_t killed = 0;  // set by forces
};

}  // namespace partsys
