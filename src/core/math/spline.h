// Curves sampled from evenly spaced points: the curve parameter runs `step`
// from one point to the next.
#pragma once
#include <cstdint>
#include <vector>

#include "core/math/vector.h"

namespace math {

template <typename V>
struct Spline {
  enum Kind : int32_t { kLinear = 0, kHermite = 1, kCatmullRom = 2 };

  int32_t kind = kLinear;
  std::vector<V> points;
  float step = 1.0f;

  // The curve at parameter x; zero before the start or without points.
  V GetValue(float x) const;
  // Point i, with i clamped to the points there are.
  V GetPoint(int i) const;
};

using Vec2Spline = Spline<Vec2>;
using Vec3Spline = Spline<Vec3>;

extern template struct Spline<Vec2>;
extern template struct Spline<Vec3>;

}  // namespace math
