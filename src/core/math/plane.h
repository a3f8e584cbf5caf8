// A plane holding the points p with Dot(normal, p) + d == 0.
#pragma once
#include "core/math/vector.h"

namespace math {

struct Plane {
  Vec3 normal{0.0f, 1.0f, 0.0f};
  float d = 0.0f;

  Plane() = default;
  Plane(const Vec3& normal_, float d_) : normal(normal_), d(d_) {}
};

}  // namespace math
