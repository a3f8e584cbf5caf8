#include "core/math/random.h"

#include <algorithm>
#include <ctime>

namespace num {
namespace {
constexpr int kN = Random::kStateWords;
constexpr int kM = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;

uint32_t Temper(uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  return y ^ (y >> 18);
}

// The next state word from words k, k + 1 and k + 397.
uint32_t Twist(uint32_t far, uint32_t s0, uint32_t s1) {
  const uint32_t mixed = (s0 & 0x80000000u) | (s1 & 0x7FFFFFFFu);
  return far ^ (mixed >> 1) ^ ((s1 & 1u) ? kMatrix : 0u);
}
}  // namespace

void Random::Seed(uint32_t seed) {
  state_[0] = seed;
  for (int k = 1; k < kN; ++k) state_[k] = state_[k - 1] * 69069u;
  left_ = 0;
}

uint32_t Random::Reload() {
  if (left_ < -1) Seed(4357u);
  for (int k = 0; k < kN; ++k)
    state_[k] = Twist(state_[(k + kM) % kN], state_[k], state_[(k + 1) % kN]);
  left_ = kN - 1;
  next_ = 1;
  return Temper(state_[0]);
}

uint32_t Random::Next() {
  if (--left_ < 0) return Reload();
  return Temper(state_[next_++]);
}

float Random::Range(float a, float b) {
  if (a == b) return a;
  const float lo = std::min(a, b), hi = std::max(a, b);
  const long double u = Next();
  const long double value = lo + u * (static_cast<long double>(hi) - lo) * 0x1p-32L;
  return std::clamp(static_cast<float>(value), lo, hi);
}

math::Vec2 Random::RangeVec2(const math::Vec2& a, const math::Vec2& b) {
  const float y = Range(a.y, b.y);
  const float x = Range(a.x, b.x);
  return {x, y};
}

Random& GetRandom() {
  static Random random = [] {
    Random seeded;
    seeded.Seed(static_cast<uint32_t>(std::time(nullptr)) | 1u);
    return seeded;
  }();
  return random;
}

}  // namespace num
