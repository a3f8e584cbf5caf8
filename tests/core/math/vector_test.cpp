#include "core/math/vector.h"

#include <gtest/gtest.h>

#include "core/math/math_expect.h"

namespace {

TEST(Vector, NormalizeLeavesZeroAlone) {
  math::Vec2 zero;
  EXPECT_TRUE(Near(zero.Normalize(), {0, 0}));
  math::Vec2 v(3, 4);
  EXPECT_TRUE(Near(v.Normalize(), {0.6f, 0.8f}));
  EXPECT_TRUE(Near(v, {0.6f, 0.8f}));
  math::Vec3 zero3;
  EXPECT_TRUE(Near(zero3.Normalize(), {0, 0, 0}));
  math::Vec3 v3(0, 3, 4);
  EXPECT_TRUE(Near(v3.Normalize(), {0, 0.6f, 0.8f}));
}

TEST(Vector, ClampMagnitudeOnlyShortens) {
  struct Case {
    math::Vec2 in;
    float max;
    math::Vec2 out;
  } cases[] = {
      {{3, 4}, 1, {0.6f, 0.8f}},
      {{3, 4}, 5, {3, 4}},
      {{0.3f, 0.4f}, 1, {0.3f, 0.4f}},
      {{0, 0}, 0, {0, 0}},
      {{-6, 8}, 5, {-3, 4}},
  };
  for (const auto& c : cases) {
    math::Vec2 v = c.in;
    EXPECT_TRUE(Near(v.ClampMagnitude(c.max), c.out));
  }
}

TEST(Vector, Arithmetic) {
  EXPECT_TRUE(Near(math::Vec2(1, 2) + math::Vec2(3, 5) - math::Vec2(1, 1), {3, 6}));
  EXPECT_TRUE(Near(2.0f * -math::Vec2(1, -2), {-2, 4}));
  math::Vec2 sum(1, 1);
  (sum += {2, 3}) += {1, 1};
  EXPECT_TRUE(Near(sum, {4, 5}));
  EXPECT_FLOAT_EQ(math::Dot(math::Vec2(1, 2), math::Vec2(3, 4)), 11);
  EXPECT_TRUE(Near(math::Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1}));
  const math::Vec4 v = (math::Vec4(1, 2, 3, 4) + math::Vec4(1, 1, 1, 1) - math::Vec4(0, 0, 0, 1)) * 2;
  EXPECT_EQ(v.x, 4);
  EXPECT_EQ(v.w, 8);
  math::Vec4 copy(9, 9, 9, 9);
  math::CopyVec4(copy, v);
  math::CopyVec4(copy, copy);
  EXPECT_EQ(copy.y, 6);
}

}  // namespace
