// The engine's pseudo-random generator: MT19937 with the original 69069
// linear-congruence seeding.
#pragma once
#include <cstdint>

#include "core/math/vector.h"

namespace num {

class Random {
 public:
  static constexpr int kStateWords = 624;

  Random() = default;  // unseeded: the first draw seeds with 4357

  void Seed(uint32_t seed);
  uint32_t Next();
  // Regenerates the state and gives its first tempered word.
  uint32_t Reload();

  // Uniform in [min(a, b), max(a, b)]; equal bounds draw nothing.
  float Range(float a, float b);
  // Draws y first, then x.
  math::Vec2 RangeVec2(const math::Vec2& a, const math::Vec2& b);

 private:
  uint32_t state_[kStateWords] = {};
  int next_ = 0;
  int left_ = -1;
};

// The process-wide generator, seeded from the clock on first use.
Random& GetRandom();

}  // namespace num
