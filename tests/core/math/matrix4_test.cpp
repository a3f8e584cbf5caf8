#include "core/math/matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/math/math_expect.h"

namespace {

math::Matrix4 Rows(std::initializer_list<float> values) {
  math::Matrix4 r;
  int k = 0;
  for (float v : values) r.m[k / 4][k % 4] = v, ++k;
  return r;
}

// The left-handed perspective the camera builds (fov 60 degrees, 4:3, 5..4000).
math::Matrix4 CameraProjection() {
  const float h = 60 * 0.017453292f / 2, t = std::cos(h) / std::sin(h);
  const float nearZ = 5, farZ = 4000;
  math::Matrix4 p;
  p.m[0][0] = t / (4.0f / 3.0f);
  p.m[1][1] = t;
  p.m[2][2] = farZ / (farZ - nearZ);
  p.m[2][3] = 1;
  p.m[3][2] = -nearZ * farZ / (farZ - nearZ);
  return p;
}

TEST(Matrix4, ProductAppliesTheLeftMatrixFirst) {
  const math::Matrix4 a = Rows({1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 4, 5, 1});
  const math::Matrix4 b = Rows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1});
  EXPECT_TRUE(Near(a * b, Rows({2, 6, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 6, 12, 20, 1})));
  EXPECT_TRUE(Near(math::Matrix4::Identity() * a, a));
  // A point through a then b, against the product.
  const math::Vec3 p(1, 1, 1);
  EXPECT_TRUE(Near(math::TransformCoord(p, a * b),
                   math::TransformCoord(math::TransformCoord(p, a), b)));
  EXPECT_TRUE(Near(math::TransformCoord(p, a), {4, 7, 6}));
  EXPECT_TRUE(Near(math::TransformNormal(p, a), {1, 3, 1}));
}

TEST(Matrix4, Inverse) {
  const math::Matrix4 placement = Rows({0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 3, 4, 5, 1});
  math::Matrix4 inverse;
  ASSERT_TRUE(math::Invert(placement, inverse));
  EXPECT_TRUE(Near(inverse, Rows({0, -0.5f, 0, 0, 0.5f, 0, 0, 0, 0, 0, 0.5f, 0, -2, 1.5f, -2.5f, 1})));
  const math::Matrix4 projection = CameraProjection();
  ASSERT_TRUE(math::Invert(projection, inverse));
  EXPECT_TRUE(Near(projection * inverse, math::Matrix4::Identity()));

  math::Matrix4 untouched = placement;
  EXPECT_FALSE(math::Invert(math::Matrix4(), untouched));
  EXPECT_FALSE(math::Invert(Rows({1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1}), untouched));
  EXPECT_TRUE(Near(untouched, placement));
}

TEST(Matrix4, LookAtIsLeftHanded) {
  const math::Vec3 eye(0, 20, -20), target(0, 0, 0);
  const math::Matrix4 view = math::LookAtLH(eye, target, {0, 1, 0});
  const float a = std::sqrt(0.5f);
  EXPECT_TRUE(Near(view, Rows({1, 0, 0, 0, 0, a, -a, 0, 0, a, a, 0, 0, 0, 40 * a, 1})))
      << "columns are the right, up and forward axes";
  EXPECT_TRUE(Near(math::TransformCoord(eye, view), {0, 0, 0}));
  EXPECT_TRUE(Near(math::TransformCoord(target, view), {0, 0, 40 * a}, 1e-4f));
  // Right of the viewer is +x.
  EXPECT_GT(math::TransformCoord({1, 0, 0}, view).x, 0);
}

TEST(Matrix4, ProjectionDividesByW) {
  const math::Matrix4 p = CameraProjection();
  EXPECT_TRUE(Near(math::TransformCoord({0, 0, 5}, p), {0, 0, 0}));
  EXPECT_TRUE(Near(math::TransformCoord({0, 0, 4000}, p), {0, 0, 1}));
  EXPECT_TRUE(Near(math::TransformCoord({0, 10, 10}, p), {0, 1.7320508f, p.m[2][2] + p.m[3][2] / 10}));
  // w = 0 leaves the point undivided rather than infinite.
  EXPECT_TRUE(std::isfinite(math::TransformCoord({1, 1, 0}, Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0})).x));
}

TEST(Matrix4, QuaternionRotation) {
  const float s = std::sqrt(0.5f);
  // A quarter turn about z carries x onto y.
  const math::Matrix4 quarter = math::RotationQuaternion({0, 0, s, s});
  EXPECT_TRUE(Near(math::TransformNormal({1, 0, 0}, quarter), {0, 1, 0}));
  EXPECT_TRUE(Near(math::TransformNormal({0, 1, 0}, quarter), {-1, 0, 0}));
  EXPECT_TRUE(Near(math::RotationQuaternion({0, 0, 0, 1}), math::Matrix4::Identity()));
  // A half turn about y.
  EXPECT_TRUE(Near(math::TransformNormal({1, 2, 3}, math::RotationQuaternion({0, 1, 0, 0})), {-1, 2, -3}));
}

TEST(Matrix4, CopyIsSafeOntoItself) {
  math::Matrix4 m = math::RotationQuaternion({0, 1, 0, 0});
  const math::Matrix4 before = m;
  math::CopyMatrix4(m, m);
  EXPECT_TRUE(Near(m, before));
  math::Matrix4 other;
  math::CopyMatrix4(other, before);
  EXPECT_TRUE(Near(other, before));
}

}  // namespace
