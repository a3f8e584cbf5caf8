#include "core/math/random.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "core/math/probset.h"

namespace {

// The standard library's MT19937 started from the same 624 state words.
std::mt19937 ReferenceFrom(uint32_t seed) {
  std::stringstream state;
  uint32_t word = seed;
  for (int k = 0; k < 624; ++k, word *= 69069u) state << word << ' ';
  std::mt19937 reference;
  state >> reference;
  return reference;
}

TEST(Random, MatchesTheReferenceGenerator) {
  for (uint32_t seed : {4357u, 1u, 0x12345679u}) {
    num::Random random;
    random.Seed(seed);
    std::mt19937 reference = ReferenceFrom(seed);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(random.Next(), reference()) << seed << " draw " << i;
  }
}

TEST(Random, UnseededGeneratorSeedsWith4357) {
  num::Random unseeded, seeded;
  seeded.Seed(4357);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(unseeded.Next(), seeded.Next());
}

TEST(Random, Range) {
  num::Random random;
  random.Seed(99);
  num::Random twin = random;
  EXPECT_EQ(random.Range(5, 5), 5);
  EXPECT_EQ(random.Next(), twin.Next()) << "equal bounds draw nothing";

  twin = random;
  const float value = random.Range(3, 1);
  EXPECT_FLOAT_EQ(value, 1 + twin.Next() * 2.0 / 4294967296.0);
  for (int i = 0; i < 1000; ++i) {
    const float a = random.Range(1, 3), b = random.Range(3, 1);
    EXPECT_TRUE(a >= 1 && a <= 3 && b >= 1 && b <= 3) << a << " " << b;
  }

  twin = random;
  const math::Vec2 v = random.RangeVec2({0, 10}, {1, 20});
  const float y = twin.Range(10, 20), x = twin.Range(0, 1);
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(random.Next(), twin.Next()) << "two draws, y first";
}

TEST(Random, SharedGeneratorIsSeeded) {
  num::Random& shared = num::GetRandom();
  EXPECT_EQ(&shared, &num::GetRandom());
  num::Random copy = shared;
  num::Random unseeded;
  EXPECT_NE(copy.Next(), unseeded.Next());
}

TEST(ProbSet, DrawLandsOnTheFirstIndexReachingIt) {
  num::ProbSet set(3);
  set.weights = {1, 0, 3};
  set.total = 4;
  struct Case {
    float draw;
    unsigned index;
  } cases[] = {{0, 0}, {0.5f, 0}, {1, 0}, {1.0001f, 2}, {3.9f, 2}, {4, 2}};
  for (const Case& c : cases) EXPECT_EQ(set.IndexOf(c.draw), c.index) << c.draw;

  // A total above the sum of the weights: the excess goes to the last index.
  set.total = 10;
  EXPECT_EQ(set.IndexOf(7), 2u);
  EXPECT_EQ(num::ProbSet(0).IndexOf(1), 0u);
}

TEST(ProbSet, PickDrawsFromTheSharedGenerator) {
  num::ProbSet set(3);
  set.weights = {1, 0, 3};
  set.total = 4;
  for (int i = 0; i < 200; ++i) {
    num::Random twin = num::GetRandom();
    const unsigned picked = set.Pick();
    EXPECT_EQ(picked, set.IndexOf(twin.Range(0, 4)));
    EXPECT_NE(picked, 1u);
  }
  num::ProbSet empty(4);  // total 0: index 0, nothing drawn
  num::Random twin = num::GetRandom();
  EXPECT_EQ(empty.Pick(), 0u);
  EXPECT_EQ(num::GetRandom().Next(), twin.Next());
}

}  // namespace
