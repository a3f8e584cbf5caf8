#include "core/math/frustum.h"

#include <gtest/gtest.h>

#include "core/math/math_expect.h"

namespace {

using Side = math::Frustum::Side;

struct Expected {
  Side side;
  math::Vec3 normal;
  float d;
};

void ExpectPlanes(const math::Frustum& f, std::initializer_list<Expected> planes) {
  for (const Expected& e : planes) {
    SCOPED_TRACE(e.side);
    EXPECT_TRUE(Near(f.planes[e.side].normal, e.normal));
    EXPECT_NEAR(f.planes[e.side].d, e.d, 1e-6f);
  }
}

TEST(Frustum, StartsZero) {
  math::Frustum f;
  for (const math::Plane& p : f.planes) {
    EXPECT_TRUE(Near(p.normal, {0, 0, 0}));
    EXPECT_EQ(p.d, 0);
  }
  EXPECT_TRUE(Near(math::Plane().normal, {0, 1, 0}));
}

TEST(Frustum, PlanesFromIdentity) {
  math::Frustum f;
  const math::Matrix4 id = math::Matrix4::Identity();
  f.Build(id, id, false, false);
  ExpectPlanes(f, {{math::Frustum::kLeft, {1, 0, 0}, 1},
                   {math::Frustum::kRight, {-1, 0, 0}, 1},
                   {math::Frustum::kTop, {0, -1, 0}, 1},
                   {math::Frustum::kBottom, {0, 1, 0}, 1},
                   {math::Frustum::kNear, {0, 0, 1}, 0},
                   {math::Frustum::kFar, {0, 0, -1}, 1}});
  f.Build(id, id, false, true);
  ExpectPlanes(f, {{math::Frustum::kLeft, {-1, 0, 0}, -1}, {math::Frustum::kFar, {0, 0, 1}, -1}});
}

TEST(Frustum, NormalizeAndNegate) {
  math::Matrix4 view = math::Matrix4::Identity(), projection = math::Matrix4::Identity();
  view.m[0][0] = 2;        // view scales x by 2
  projection.m[2][2] = 3;  // projection scales z by 3
  math::Frustum f;
  f.Build(view, projection, false, false);
  ExpectPlanes(f, {{math::Frustum::kLeft, {2, 0, 0}, 1}, {math::Frustum::kNear, {0, 0, 3}, 0}});
  f.Build(view, projection, true, false);
  ExpectPlanes(f, {{math::Frustum::kLeft, {1, 0, 0}, 0.5f},
                   {math::Frustum::kNear, {0, 0, 1}, 0},
                   {math::Frustum::kFar, {0, 0, -1}, 1.0f / 3}});
  f.Build(view, projection, true, true);
  ExpectPlanes(f, {{math::Frustum::kLeft, {-1, 0, 0}, -0.5f}, {math::Frustum::kFar, {0, 0, 1}, -1.0f / 3}});
}

}  // namespace
