#include "core/math/spline.h"

#include <algorithm>
#include <cmath>

namespace math {

template <typename V>
V Spline<V>::GetPoint(int i) const {
  if (points.empty()) return V();
  return points[std::clamp(i, 0, static_cast<int>(points.size()) - 1)];
}

template <typename V>
V Spline<V>::GetValue(float x) const {
  // The comparison also turns away NaN; a step that is not positive would
  // divide by zero or run backwards.
  if (points.empty() || !(x >= 0.0f)) return V();
  if (!(step > 0.0f)) return points.front();
  const float segment = std::trunc(x / step);
  const float t = std::isfinite(segment) ? (x - segment * step) / step : 0.0f;
  // Past the last point every neighbour clamps to it; clamping the index
  // first keeps the conversion to int defined for any x.
  const int i = static_cast<int>(std::min(segment, static_cast<float>(points.size())));
  const V p0 = GetPoint(i - 1), p1 = GetPoint(i), p2 = GetPoint(i + 1), p3 = GetPoint(i + 2);
  const float t2 = t * t, t3 = t2 * t;
  switch (kind) {
    case kLinear:
      return p1 + (p2 - p1) * t;
    case kHermite:
      // The neighbours serve as start, start tangent, end and end tangent.
      return p0 * (2 * t3 - 3 * t2 + 1) + p1 * (t3 - 2 * t2 + t) + p2 * (-2 * t3 + 3 * t2) +
             p3 * (t3 - t2);
    case kCatmullRom:
      return (p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 +
              (p1 * 3 - p0 - p2 * 3 + p3) * t3) *
             0.5f;
    default:
      return p0;
  }
}

template struct Spline<Vec2>;
template struct Spline<Vec3>;

}  // namespace math
