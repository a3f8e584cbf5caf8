// The player's two numeric helpers.
#pragma once

namespace swf {

inline float float_max(float a, float b) { return a < b ? b : a; }

// Clamped to at most `high`, then raised to at least `low`.
inline int int_clamp(int v, int low, int high) {
  const int below = v < high ? v : high;
  return below < low ? low : below;
}

}  // namespace swf
