// The debug shapes: fixed records that draw themselves into a line batch.
#pragma once
#include <cstdint>

#include "core/math/matrix4.h"
#include "core/math/plane.h"
#include "core/math/spline.h"
#include "render/debug_draw/dd_batch.h"

namespace dd {

struct Primitive3D {
  virtual ~Primitive3D() = default;
  virtual void Draw(Batch3D& batch) const = 0;
  uint32_t colour = 0;
};

struct Primitive2D {
  virtual ~Primitive2D() = default;
  virtual void Draw(Batch2D& batch) const = 0;
  uint32_t colour = 0;
};

struct Arrow3D : Primitive3D {
  // Builds the four head points a quarter turn apart round the direction;
  // a zero-length arrow gets no head.
  void Set(const math::Vec3& from, const math::Vec3& to, bool arrow, uint32_t colour);
  void Draw(Batch3D& batch) const override;
  math::Vec3 from, to;
  uint8_t arrow = 0;
  math::Vec3 head[4];
};

struct Curve3D : Primitive3D {
  void Draw(Batch3D& batch) const override;
  const math::Vec3Spline* spline = nullptr;
  float step = 0.0f;
};

struct Box3D : Primitive3D {
  void Draw(Batch3D& batch) const override;
  math::Vec3 min, max;
};

struct Sphere3D : Primitive3D {
  static constexpr uint32_t kVertices = 672;
  void Draw(Batch3D& batch) const override;
  math::Vec3 centre;
  float radius = 0.0f;
  uint8_t solid = 0;
};

struct Plane3D : Primitive3D {
  void Set(uint32_t colour, const math::Vec3& size, const math::Vec3& position, const math::Plane& plane,
           bool solid);
  void Draw(Batch3D& batch) const override;
  math::Vec3 size, position;
  math::Plane plane;
  uint8_t solid = 0;
};

struct OrientedBox3D : Primitive3D {
  void Draw(Batch3D& batch) const override;
  math::Vec3 size;
  math::Matrix4 placement;  // three axis rows and the translation row
};

struct Line2D : Primitive2D {
  void Draw(Batch2D& batch) const override;
  math::Vec2 from, to;
  uint8_t arrow = 0;
  math::Vec2 head[4];
};

struct Rect2D : Primitive2D {
  void Draw(Batch2D& batch) const override;
  math::Vec2 min, max;
};

struct Circle2D : Primitive2D {
  void Draw(Batch2D& batch) const override;
  math::Vec2 centre;
  float radius = 0.0f;
};

struct Path2D : Primitive2D {
  void Draw(Batch2D& batch) const override;
  const math::Vec2Spline* spline = nullptr;
  float step = 0.0f;
};

}  // namespace dd
