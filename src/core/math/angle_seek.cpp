#include "core/math/angle_seek.h"

#include <cmath>

namespace math {

void AngleSeek::Update(float dt) {
  const float gap = std::fabs(target - current);
  float step = dt * rate;
  // Across the 0/360 seam the short way runs against the difference.
  if (gap > 180.0f) step = -step;
  if (gap < std::fabs(step))
    current = target;
  else
    current = target > current ? current + step : current - step;
  if (current > 360.0f)
    current -= 360.0f;
  else if (current < 0.0f)
    current += 360.0f;
}

}  // namespace math
