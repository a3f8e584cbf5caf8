#include "core/math/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/math/math_expect.h"

namespace {

TEST(Geometry, SegmentCircleCollision) {
  struct Case {
    const char* name;
    math::Vec2 a, b, c;
    float r1, r2;
    bool hit;
    math::Vec2 push;
    float depth;
  } cases[] = {
      {"beside the middle", {0, 0}, {2, 0}, {1, 0.5f}, 0.3f, 0.3f, true, {0, 1}, 0.1f},
      {"past the end", {0, 0}, {2, 0}, {3, 0}, 0.5f, 0.6f, true, {1, 0}, 0.1f},
      {"before the start", {0, 0}, {2, 0}, {-0.5f, 0}, 0.0f, 0.5f, true, {-1, 0}, 0},
      {"too far", {0, 0}, {2, 0}, {1, 1}, 0.5f, 0.25f, false, {}, 0},
      {"on the segment", {0, 0}, {2, 0}, {1, 0}, 0.0f, 0.025f, true, {0, 1}, 0.025f},
      {"segment of no length", {1, 1}, {1, 1}, {1, 2}, 1.0f, 0.5f, true, {0, 1}, 0.5f},
      {"centre on a point", {1, 1}, {1, 1}, {1, 1}, 0.0f, 0.025f, true, {1, 0}, 0.025f},
      {"point out of reach", {1, 1}, {1, 1}, {3, 1}, 1.0f, 0.5f, false, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    math::Vec2 push(7, 7);
    float depth = 7;
    EXPECT_EQ(math::SegmentCircleCollision(c.a, c.b, c.c, c.r1, c.r2, push, depth), c.hit);
    if (!c.hit) continue;
    EXPECT_TRUE(Near(push, c.push));
    EXPECT_NEAR(depth, c.depth, 1e-6f);
  }
}

TEST(Geometry, IntersectRayPlane) {
  // The board picks on z = 0 with the normal facing the camera.
  const math::Plane board({0, 0, -1}, 0);
  math::Vec3 point(9, 9, 9);
  ASSERT_TRUE(math::IntersectRayPlane({0, -1, 1}, board, {0, 20, -20}, point));
  EXPECT_TRUE(Near(point, {0, 0, 0}));
  ASSERT_TRUE(math::IntersectRayPlane({1, 0, 2}, math::Plane({0, 0, 1}, -4), {0, 0, 0}, point));
  EXPECT_TRUE(Near(point, {2, 0, 4}));

  point = {9, 9, 9};
  EXPECT_FALSE(math::IntersectRayPlane({1, 0, 0}, board, {0, 20, -20}, point)) << "parallel";
  EXPECT_FALSE(math::IntersectRayPlane({0, 0, -1}, board, {0, 20, -20}, point)) << "pointing away";
  EXPECT_TRUE(Near(point, {9, 9, 9}));
}

TEST(Geometry, Perpendiculars) {
  struct Case {
    math::Vec3 v, viaZ, viaX;
  } cases[] = {
      {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
      {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
      {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},
      {{3, 0, 0}, {0, 1, 0}, {0, 0, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Near(math::PerpendicularViaZ(c.v), c.viaZ));
    EXPECT_TRUE(Near(math::PerpendicularViaX(c.v), c.viaX));
  }
  const math::Vec3 slanted(1, 2, 3);
  const math::Vec3 p = math::PerpendicularViaZ(slanted);
  EXPECT_NEAR(math::Dot(p, slanted), 0, 1e-5f);
  EXPECT_NEAR(p.Magnitude(), 1, 1e-6f);
}

}  // namespace
