#include "core/math/geometry.h"

#include <cmath>

namespace math {
namespace {
Vec3 UnitCross(const Vec3& axis, const Vec3& v) {
  Vec3 r = Cross(axis, v);
  return r.Normalize();
}
}  // namespace

bool SegmentCircleCollision(const Vec2& a, const Vec2& b, const Vec2& c, float r1, float r2,
                            Vec2& push, float& depth) {
  const Vec2 d = b - a;
  const float lengthSqr = Dot(d, d);
  // A segment of no length is its start point.
  const float m = lengthSqr > 0.0f ? Dot(c - a, d) / lengthSqr : 0.0f;
  const Vec2 q = m < 0.0f ? a : (m > 1.0f ? b : a + d * m);
  const Vec2 v = c - q;
  const float dist = v.Magnitude();
  const float r = r1 + r2;
  if (dist > r) return false;
  depth = r - dist;
  if (dist > 0.0f)
    push = v * (1.0f / dist);
  else if (lengthSqr > 0.0f)
    push = Vec2(-d.y, d.x) * (1.0f / std::sqrt(lengthSqr));  // centre on the segment: out sideways
  else
    push = Vec2(1.0f, 0.0f);  // centre on a point: any way out will do
  return true;
}

bool IntersectRayPlane(const Vec3& direction, const Plane& plane, const Vec3& origin, Vec3& point) {
  const float along = Dot(plane.normal, direction);
  if (along == 0.0f) return false;
  const float t = -(Dot(plane.normal, origin) + plane.d) / along;
  if (t < 0.0f) return false;
  point = origin + direction * t;
  return true;
}

Vec3 PerpendicularViaZ(const Vec3& v) {
  return UnitCross(std::fabs(v.z) > 0.99f ? Vec3(0, 1, 0) : Vec3(0, 0, 1), v);
}

Vec3 PerpendicularViaX(const Vec3& v) {
  return UnitCross(std::fabs(v.x) > 0.99f ? Vec3(0, 1, 0) : Vec3(1, 0, 0), v);
}

}  // namespace math
