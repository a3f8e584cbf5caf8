// Near-equality checks for the maths tests.
#pragma once
#include <gtest/gtest.h>

#include "core/math/matrix4.h"
#include "core/math/vector.h"

inline testing::AssertionResult Near(const math::Vec2& a, const math::Vec2& b, float eps = 1e-5f) {
  if (std::fabs(a.x - b.x) <= eps && std::fabs(a.y - b.y) <= eps) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << a.x << ", " << a.y << ") != (" << b.x << ", " << b.y << ")";
}

inline testing::AssertionResult Near(const math::Vec3& a, const math::Vec3& b, float eps = 1e-5f) {
  if (std::fabs(a.x - b.x) <= eps && std::fabs(a.y - b.y) <= eps && std::fabs(a.z - b.z) <= eps)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") != (" << b.x
                                     << ", " << b.y << ", " << b.z << ")";
}

inline testing::AssertionResult Near(const math::Matrix4& a, const math::Matrix4& b, float eps = 1e-5f) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (std::fabs(a.m[i][j] - b.m[i][j]) > eps)
        return testing::AssertionFailure() << "element [" << i << "][" << j << "]: " << a.m[i][j]
                                           << " != " << b.m[i][j];
  return testing::AssertionSuccess();
}
