#include "ui/widgets/kinds/ui_progress.h"

#include <algorithm>

#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "render/device/graphics.h"
#include "render/sprites/quad_builders.h"
#include "ui/manager/ui_manager.h"

namespace ui {

UIProgress::UIProgress(UIWidget* parent, const std::string& name) : UIWidget(parent, name) { type_ = kTypeProgress; }

void UIProgress::SetProgress(float value) { progress_ = std::clamp(value, 0.0f, 1.0f); }

bool UIProgress::Load(const LuaPlus::LuaObject& table) {
  UIWidget::Load(table);
  const std::string full = script::ReadString(table, "ProgressFull", "");
  const std::string empty = script::ReadString(table, "ProgressEmpty", "");
  SetProgress(script::ReadFloat(table, "Progress", 0.0f));
  if (!full.empty()) LoadKindImage(kImageProgressFull, full, uv1_, uv2_).Tick(0);
  if (!empty.empty()) LoadKindImage(kImageProgressEmpty, empty, uv1_, uv2_).Tick(0);
  horizontal_ = script::ReadBool(table, "HorizProgress", false);
  flipped_ = script::ReadBool(table, "Flipped", false);
  return true;
}

bool UIProgress::Update(float dt) {
  images_[kImageProgressFull].Tick(dt);
  images_[kImageProgressEmpty].Tick(dt);
  return UIWidget::Update(dt);
}

void UIProgress::DrawPart(UISprite& image, const math::Vec2& position, const math::Vec2& size, float from,
                          float to) const {
  Graphics* graphics = GetGraphics();
  if (!image.GetImage() || !graphics) return;
  // The texture range of the image, or of its sprite-set frame, cut.
  math::Vec2 uvMin, uvMax;
  image.GetUVs(uvMin, uvMax);
  float& low = horizontal_ ? uvMin.x : uvMin.y;
  float& high = horizontal_ ? uvMax.x : uvMax.y;
  const float span = high - low;
  high = low + to * span;
  low += from * span;
  Vertex2D vertices[UISprite::kQuadVertices];
  BuildOrientedQuad(vertices, position, size, uvMin, uvMax, colour_, 0);
  image.BindTexture();
  graphics->DrawArray2D(vertices, UISprite::kQuadVertices, Graphics::kTriangleList);
}

bool UIProgress::Render(bool force) {
  if (!force && (!visible_ || uiManager_->GetDragTarget() == this)) return false;
  const float p = flipped_ ? 1.0f - progress_ : progress_;
  const float x = position_.x, y = position_.y, w = size_.x, h = size_.y;
  UISprite& full = images_[kImageProgressFull];
  UISprite& empty = images_[kImageProgressEmpty];
  if (horizontal_) {
    DrawPart(full, {x, y}, {p * w, h}, 0.0f, p);
    DrawPart(empty, {x + p * w, y}, {(1.0f - p) * w, h}, p, 1.0f);
  } else {
    // The empty part on top: with nothing done the full image fills the bar.
    DrawPart(empty, {x, y}, {w, p * h}, 0.0f, p);
    DrawPart(full, {x, y + p * h}, {w, (1.0f - p) * h}, p, 1.0f);
  }
  text_.Render();
  EachChildForward([](UIWidget* child) { child->Render(false); });
  return true;
}

UIWidget* UIProgress::GetClone() {
  UIProgress* clone = new UIProgress(parent_, NextCloneName());
  CopyInto(*clone);
  clone->horizontal_ = horizontal_;
  clone->progress_ = progress_;
  clone->flipped_ = flipped_;
  return clone;
}

bool UIProgress::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(kTypeProgress));
  writer.WriteString("ProgressEmpty", images_[kImageProgressEmpty].GetName());
  writer.WriteString("ProgressFull", images_[kImageProgressFull].GetName());
  writer.WriteFloat("Progress", progress_);
  writer.WriteInt("HorizProgress", horizontal_ ? 1 : 0);
  writer.WriteInt("Flipped", flipped_ ? 1 : 0);
  return true;
}

}  // namespace ui
