#include "render/debug_draw/dd_man.h"

namespace dd {

namespace {
// Untextured, alpha-blended lines in the diffuse colour, depth-tested or not.
void SetLineStates(Graphics* graphics, bool depth) {
  graphics->SetTexture(0, nullptr);
  graphics->SetRenderState(Graphics::kDepthTest, depth);
  graphics->SetRenderState(Graphics::kDepthWrite, depth);
  graphics->SetRenderState(Graphics::kLighting, 0);
  graphics->SetRenderState(Graphics::kAlphaBlend, 1);
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  graphics->SetTextureStage(0, Graphics::kColourOp, Graphics::kSelectArg1);
  graphics->SetTextureStage(0, Graphics::kColourArg1, Graphics::kDiffuse);
  graphics->SetTextureStage(0, Graphics::kAlphaOp, Graphics::kSelectArg1);
  graphics->SetTextureStage(0, Graphics::kAlphaArg1, Graphics::kDiffuse);
  graphics->SetTextureStage(1, Graphics::kColourOp, Graphics::kDisable);
}
}  // namespace

Manager* GetManager() {
  static Manager manager;
  return &manager;
}

Manager::Manager() = default;

bool Manager::AddArrow3D(const math::Vec3& from, const math::Vec3& to, bool arrow, uint32_t colour) {
  Arrow3D* record = arrows_.Next();
  if (!record) return false;
  record->Set(from, to, arrow, colour);
  return true;
}

bool Manager::AddBox3D(const math::Vec3& min, const math::Vec3& max, uint32_t colour) {
  Box3D* record = boxes_.Next();
  if (!record) return false;
  record->colour = colour, record->min = min, record->max = max;
  return true;
}

bool Manager::AddCurve3D(const math::Vec3Spline* spline, float step, uint32_t colour) {
  Curve3D* record = curves_.Next();
  if (!record) return false;
  record->colour = colour, record->spline = spline, record->step = step;
  return true;
}

bool Manager::AddSphere3D(const math::Vec3& centre, float radius, bool solid, uint32_t colour) {
  Sphere3D* record = spheres_.Next();
  if (!record) return false;
  record->colour = colour, record->centre = centre, record->radius = radius, record->solid = solid;
  return true;
}

bool Manager::AddPlane3D(uint32_t colour, const math::Vec3& size, const math::Vec3& position,
                         const math::Plane& plane, bool solid) {
  Plane3D* record = planes_.Next();
  if (!record) return false;
  record->Set(colour, size, position, plane, solid);
  return true;
}

bool Manager::AddOrientedBox3D(const math::Vec3& size, const math::Matrix4& placement, uint32_t colour) {
  OrientedBox3D* record = orientedBoxes_.Next();
  if (!record) return false;
  record->colour = colour, record->size = size, record->placement = placement;
  return true;
}

bool Manager::AddLine2D(const math::Vec2& from, const math::Vec2& to, uint32_t colour, const math::Vec2* head) {
  Line2D* record = lines_.Next();
  if (!record) return false;
  record->colour = colour, record->from = from, record->to = to, record->arrow = head != nullptr;
  for (int i = 0; head && i < 4; ++i) record->head[i] = head[i];
  return true;
}

bool Manager::AddRect2D(const math::Vec2& min, const math::Vec2& max, uint32_t colour) {
  Rect2D* record = rects_.Next();
  if (!record) return false;
  record->colour = colour, record->min = min, record->max = max;
  return true;
}

bool Manager::AddCircle2D(const math::Vec2& centre, float radius, uint32_t colour) {
  Circle2D* record = circles_.Next();
  if (!record) return false;
  record->colour = colour, record->centre = centre, record->radius = radius;
  return true;
}

bool Manager::AddPath2D(const math::Vec2Spline* spline, float step, uint32_t colour) {
  Path2D* record = paths_.Next();
  if (!record) return false;
  record->colour = colour, record->spline = spline, record->step = step;
  return true;
}

void Manager::AddCapsule2D(const math::Vec2& from, const math::Vec2& to, float radius, uint32_t colour) {
  AddCircle2D(from, radius, colour);
  AddCircle2D(to, radius, colour);
  float length = (to - from).Magnitude();
  if (length == 0.0f) length = 1.0f;
  const math::Vec2 offset = math::Vec2(from.y - to.y, to.x - from.x) * (radius / length);
  AddLine2D(from + offset, to + offset, colour);
  AddLine2D(from - offset, to - offset, colour);
}

bool Manager::Render3D() {
  Graphics* graphics = GetGraphics();
  batch3D_.Begin(graphics);
  if (graphics) {
    D3DMATRIX identity = {};
    for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.0f;
    graphics->SetTransform(Graphics::kWorld, identity);
    SetLineStates(graphics, true);
  }
  arrows_.DrawAll(batch3D_);
  boxes_.DrawAll(batch3D_);
  curves_.DrawAll(batch3D_);
  spheres_.DrawAll(batch3D_);
  orientedBoxes_.DrawAll(batch3D_);
  planes_.DrawAll(batch3D_);
  batch3D_.Flush(Graphics::kLineList);
  ClearQueues();
  return true;
}

bool Manager::Render2D() {
  Graphics* graphics = GetGraphics();
  batch2D_.Begin(graphics);
  if (graphics) {
    SetLineStates(graphics, false);
  }
  lines_.DrawAll(batch2D_);
  paths_.DrawAll(batch2D_);
  rects_.DrawAll(batch2D_);
  circles_.DrawAll(batch2D_);
  batch2D_.Flush();
  ClearQueues();
  return true;
}

void Manager::ClearQueues() {
  spheres_.count = arrows_.count = boxes_.count = curves_.count = planes_.count = orientedBoxes_.count = 0;
  lines_.count = rects_.count = circles_.count = paths_.count = 0;
}

void Manager::Shutdown() {
  batch3D_.Free();
  batch2D_.Free();
}

}  // namespace dd
