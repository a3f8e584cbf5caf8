// The six planes bounding a view volume.
#pragma once
#include "core/math/matrix4.h"
#include "core/math/plane.h"

namespace math {

struct Frustum {
  enum Side { kLeft, kRight, kTop, kBottom, kNear, kFar, kSideCount };

  Plane planes[kSideCount];

  Frustum();  // every component zero

  // Planes of view * projection. `normalize` gives unit normals; `negate`
  // turns every plane round so the normals point out of the volume.
  void Build(const Matrix4& view, const Matrix4& projection, bool normalize, bool negate);
};

}  // namespace math
