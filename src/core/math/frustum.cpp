#include "core/math/frustum.h"

namespace math {
namespace {
Vec4 Column(const Matrix4& m, int c) { return {m.m[0][c], m.m[1][c], m.m[2][c], m.m[3][c]}; }

Plane ToPlane(const Vec4& v) { return Plane({v.x, v.y, v.z}, v.w); }
}  // namespace

Frustum::Frustum() {
  for (Plane& plane : planes) plane = Plane({0.0f, 0.0f, 0.0f}, 0.0f);
}

void Frustum::Build(const Matrix4& view, const Matrix4& projection, bool normalize, bool negate) {
  const Matrix4 m = view * projection;
  const Vec4 c1 = Column(m, 0), c2 = Column(m, 1), c3 = Column(m, 2), c4 = Column(m, 3);
  planes[kLeft] = ToPlane(c4 + c1);
  planes[kRight] = ToPlane(c4 - c1);
  planes[kTop] = ToPlane(c4 - c2);
  planes[kBottom] = ToPlane(c4 + c2);
  planes[kNear] = ToPlane(c3);
  planes[kFar] = ToPlane(c4 - c3);
  for (Plane& plane : planes) {
    float scale = 1.0f;
    if (normalize) {
      const float length = plane.normal.Magnitude();
      if (length != 0.0f) scale = 1.0f / length;  // a degenerate plane stays as it is
    }
    if (negate) scale = -scale;
    plane.normal = plane.normal * scale;
    plane.d *= scale;
  }
}

}  // namespace math
