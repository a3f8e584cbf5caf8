// Small geometric tests and helpers for the board, walkers, cameras and
// debug drawing.
#pragma once
#include "core/math/plane.h"
#include "core/math/vector.h"

namespace math {

// Whether a circle of radius r1 + r2 around c touches the segment a-b. On
// contact, `push` is the unit direction from the segment's closest point to
// c and `depth` how far the circle reaches past the segment.
bool SegmentCircleCollision(const Vec2& a, const Vec2& b, const Vec2& c, float r1, float r2,
                            Vec2& push, float& depth);

// Where the ray from origin along direction meets the plane, in front of the
// origin; `point` is left alone on a miss.
bool IntersectRayPlane(const Vec3& direction, const Plane& plane, const Vec3& origin, Vec3& point);

// A unit vector perpendicular to v, from the cross product with the z axis
// (or the x axis); the y axis stands in when v nearly lies along that axis.
Vec3 PerpendicularViaZ(const Vec3& v);
Vec3 PerpendicularViaX(const Vec3& v);

}  // namespace math
