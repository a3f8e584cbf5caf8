#include "core/math/spline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/math/math_expect.h"

namespace {

math::Vec2Spline Line(int kind, std::initializer_list<math::Vec2> points, float step = 0.5f) {
  math::Vec2Spline s;
  s.kind = kind;
  s.points = points;
  s.step = step;
  return s;
}

TEST(Spline, Linear) {
  const auto s = Line(math::Vec2Spline::kLinear, {{0, 0}, {2, 4}, {4, 0}});
  struct Case {
    float x;
    math::Vec2 value;
  } cases[] = {
      {0, {0, 0}}, {0.25f, {1, 2}}, {0.5f, {2, 4}}, {0.75f, {3, 2}},
      {1.0f, {4, 0}}, {1.4f, {4, 0}}, {100.0f, {4, 0}}, {1e30f, {4, 0}},
      {-0.1f, {0, 0}}, {NAN, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_TRUE(Near(s.GetValue(c.x), c.value)) << c.x;
}

TEST(Spline, OnePointAndNone) {
  // (The Hermite kind takes points as tangents, so it does not stay put.)
  for (int kind : {0, 2, 7}) {
    const auto one = Line(kind, {{3, -1}});
    for (float x : {0.0f, 0.3f, 2.0f, 50.0f}) EXPECT_TRUE(Near(one.GetValue(x), {3, -1})) << kind << " " << x;
    EXPECT_TRUE(Near(one.GetValue(-1), {0, 0}));
    EXPECT_TRUE(Near(Line(kind, {}).GetValue(1), {0, 0}));
  }
}

TEST(Spline, CurvedKinds) {
  // Evenly spaced points on a line: Catmull-Rom stays on it.
  const std::initializer_list<math::Vec2> points = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
  const auto catmull = Line(math::Vec2Spline::kCatmullRom, points, 1);
  EXPECT_TRUE(Near(catmull.GetValue(1.5f), {1.5f, 0}));
  EXPECT_TRUE(Near(catmull.GetValue(2.0f), {2, 0}));
  // At t = 0.5 the Catmull-Rom weights are -1/16, 9/16, 9/16, -1/16.
  const auto bent = Line(math::Vec2Spline::kCatmullRom, {{0, 0}, {0, 16}, {16, 16}, {16, 0}}, 1);
  EXPECT_TRUE(Near(bent.GetValue(1.5f), {8, 18}));
  // Hermite: start point 0, start tangent 1, end point 2, end tangent 3, at t = 0.5.
  const auto hermite = Line(math::Vec2Spline::kHermite, points, 1);
  EXPECT_TRUE(Near(hermite.GetValue(1.5f), {0.75f, 0}));
  EXPECT_TRUE(Near(hermite.GetValue(1.0f), {0, 0}));  // t = 0: the start, the point before
  // Any other kind gives the point before.
  EXPECT_TRUE(Near(Line(5, points, 1).GetValue(2.5f), {1, 0}));
}

TEST(Spline, PointsClampAndStepGuard) {
  math::Vec3Spline s;
  s.points = {{1, 0, 0}, {2, 0, 0}};
  EXPECT_TRUE(Near(s.GetPoint(-4), {1, 0, 0}));
  EXPECT_TRUE(Near(s.GetPoint(9), {2, 0, 0}));
  EXPECT_TRUE(Near(s.GetValue(0.5f), {1.5f, 0, 0}));
  // A step of zero would divide by zero: the curve is its first point.
  s.step = 0;
  EXPECT_TRUE(Near(s.GetValue(0.5f), {1, 0, 0}));
  EXPECT_TRUE(Near(math::Vec3Spline().GetPoint(0), {0, 0, 0}));
}

}  // namespace
