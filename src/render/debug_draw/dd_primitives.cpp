#include "render/debug_draw/dd_primitives.h"

#include <cmath>

#include "core/math/geometry.h"

namespace dd {

namespace {

// The edges of the box whose corners are corner(i), bit 0 picking x, bit 1 y
// and bit 2 z of the far side.
template <typename Corner>
void DrawBoxEdges(Batch3D& batch, uint32_t colour, Corner corner) {
  for (int i = 0; i < 8; ++i) {
    for (int bit = 1; bit < 8; bit <<= 1) {
      if (!(i & bit)) batch.AddLine(corner(i), corner(i | bit), colour);
    }
  }
}

// Samples the curve every `step` from its start to its end.
template <typename Batch, typename Spline>
void DrawCurve(Batch& batch, const Spline* spline, float step, uint32_t colour) {
  if (!spline || step <= 0.0f) return;
  const float length = static_cast<float>(spline->points.size()) * spline->step;
  auto previous = spline->GetValue(0.0f);
  for (float t = step; t < length; t += step) {
    auto next = spline->GetValue(t);
    batch.AddLine(previous, next, colour);
    previous = next;
  }
}

float Round4(float value) { return std::round(value * 10000.0f) / 10000.0f; }

// The unit sphere: two poles and seven rings of 16 points, 22.5 degrees apart.
struct UnitSphere {
  static constexpr int kRings = 7, kSegments = 16;
  math::Vec3 points[2 + kRings * kSegments];
  uint16_t indices[Sphere3D::kVertices];

  UnitSphere() {
    const float step = 3.14159265f / 8.0f;
    points[0] = {0.0f, 1.0f, 0.0f};
    points[1] = {0.0f, -1.0f, 0.0f};
    for (int ring = 0; ring < kRings; ++ring) {
      const float latitude = step * static_cast<float>(3 - ring);
      for (int s = 0; s < kSegments; ++s) {
        const float longitude = step * static_cast<float>(s);
        points[2 + ring * kSegments + s] = {Round4(std::cos(latitude) * std::cos(longitude)),
                                            Round4(std::sin(latitude)),
                                            Round4(std::cos(latitude) * std::sin(longitude))};
      }
    }
    int n = 0;
    auto at = [](int ring, int s) { return static_cast<uint16_t>(2 + ring * kSegments + s % kSegments); };
    for (int s = 0; s < kSegments; ++s) {
      indices[n++] = 0, indices[n++] = at(0, s + 1), indices[n++] = at(0, s);
    }
    for (int ring = 0; ring + 1 < kRings; ++ring) {
      for (int s = 0; s < kSegments; ++s) {
        indices[n++] = at(ring, s), indices[n++] = at(ring, s + 1), indices[n++] = at(ring + 1, s);
        indices[n++] = at(ring + 1, s), indices[n++] = at(ring, s + 1), indices[n++] = at(ring + 1, s + 1);
      }
    }
    for (int s = 0; s < kSegments; ++s) {
      indices[n++] = 1, indices[n++] = at(kRings - 1, s), indices[n++] = at(kRings - 1, s + 1);
    }
  }
};

void PutVertex(Vertex3D& out, const math::Vec3& p, uint32_t colour) {
  out.x = p.x, out.y = p.y, out.z = p.z, out.diffuse = colour, out.u = 0.0f, out.v = 0.0f;
}

}  // namespace

void Arrow3D::Set(const math::Vec3& from_, const math::Vec3& to_, bool arrow_, uint32_t colour_) {
  from = from_, to = to_, colour = colour_;
  const math::Vec3 d = to - from;
  const float length = d.Magnitude();
  arrow = arrow_ && length > 0.0f;
  if (!arrow) return;
  const math::Vec3 n = d * (1.0f / length);
  const math::Vec3 axis = std::fabs(n.y) > 0.99f ? math::Vec3(1, 0, 0) : math::Vec3(0, 1, 0);
  math::Vec3 p = math::Cross(n, axis);
  const math::Vec3 base = to - n * (0.2f * length);
  for (math::Vec3& point : head) {
    point = base + p;
    p = math::Cross(n, p);
  }
}

void Arrow3D::Draw(Batch3D& batch) const {
  batch.AddLine(from, to, colour);
  if (!arrow) return;
  for (const math::Vec3& point : head) batch.AddLine(to, point, colour);
}

void Curve3D::Draw(Batch3D& batch) const { DrawCurve(batch, spline, step, colour); }

void Box3D::Draw(Batch3D& batch) const {
  DrawBoxEdges(batch, colour, [this](int i) {
    return math::Vec3((i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z);
  });
}

void Sphere3D::Draw(Batch3D& batch) const {
  static const UnitSphere unit;
  Graphics* graphics = GetGraphics();
  batch.Flush(Graphics::kLineList);
  Vertex3D* out = batch.Reserve(kVertices);
  if (!out) return;
  for (uint32_t i = 0; i < kVertices; ++i) PutVertex(out[i], centre + unit.points[unit.indices[i]] * radius, colour);
  if (solid && graphics) graphics->SetRenderState(Graphics::kCullMode, Graphics::kCullClockwise);
  batch.Flush(Graphics::kTriangleList);
  if (solid && graphics) graphics->SetRenderState(Graphics::kCullMode, Graphics::kCullCounterClockwise);
}

void Plane3D::Set(uint32_t colour_, const math::Vec3& size_, const math::Vec3& position_,
                  const math::Plane& plane_, bool solid_) {
  colour = colour_, size = size_, position = position_, plane = plane_, solid = solid_;
}

void Plane3D::Draw(Batch3D& batch) const {
  const math::Vec3 u = math::PerpendicularViaZ(plane.normal) * (size.x * 0.5f);
  const math::Vec3 v = math::PerpendicularViaX(plane.normal) * (size.y * 0.5f);
  const math::Vec3 corners[4] = {position - u - v, position + u - v, position + u + v, position - u + v};
  if (!solid) {
    for (int i = 0; i < 4; ++i) batch.AddLine(corners[i], corners[(i + 1) % 4], colour);
    return;
  }
  static constexpr uint32_t kSolidColour = 0x80FF3A3Au;
  static constexpr int kOrder[12] = {0, 1, 2, 0, 2, 3, 0, 2, 1, 0, 3, 2};
  batch.Flush(Graphics::kLineList);
  Vertex3D* out = batch.Reserve(12);
  for (int i = 0; i < 12; ++i) PutVertex(out[i], corners[kOrder[i]], kSolidColour);
  Graphics* graphics = GetGraphics();
  if (graphics) graphics->SetRenderState(Graphics::kDepthWrite, 0);
  batch.Flush(Graphics::kTriangleList);
  if (graphics) graphics->SetRenderState(Graphics::kDepthWrite, 1);
}

void OrientedBox3D::Draw(Batch3D& batch) const {
  const float* m[4] = {placement.m[0], placement.m[1], placement.m[2], placement.m[3]};
  const math::Vec3 axes[3] = {math::Vec3(m[0][0], m[0][1], m[0][2]) * (size.x * 0.5f),
                              math::Vec3(m[1][0], m[1][1], m[1][2]) * (size.y * 0.5f),
                              math::Vec3(m[2][0], m[2][1], m[2][2]) * (size.z * 0.5f)};
  const math::Vec3 centre(m[3][0], m[3][1], m[3][2]);
  DrawBoxEdges(batch, colour, [&](int i) {
    math::Vec3 corner = centre;
    for (int a = 0; a < 3; ++a) corner += (i & (1 << a)) ? axes[a] : -axes[a];
    return corner;
  });
}

void Line2D::Draw(Batch2D& batch) const {
  batch.AddLine(from, to, colour);
  if (!arrow) return;
  for (const math::Vec2& point : head) batch.AddLine(to, point, colour);
}

void Rect2D::Draw(Batch2D& batch) const {
  const math::Vec2 corners[4] = {min, {max.x, min.y}, max, {min.x, max.y}};
  for (int i = 0; i < 4; ++i) batch.AddLine(corners[i], corners[(i + 1) % 4], colour);
}

void Circle2D::Draw(Batch2D& batch) const {
  static constexpr float kStep = 0.39269876f;
  for (int k = 0; k < 17; ++k) {
    const float a = kStep * static_cast<float>(k), b = kStep * static_cast<float>(k + 1);
    batch.AddLine(centre + math::Vec2(std::cos(a), std::sin(a)) * radius,
                  centre + math::Vec2(std::cos(b), std::sin(b)) * radius, colour);
  }
}

void Path2D::Draw(Batch2D& batch) const { DrawCurve(batch, spline, step, colour); }

}  // namespace dd
