#include "ui/widgets/kinds/ui_slider.h"

#include <algorithm>

#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

UISlider::UISlider(UIWidget* parent, const std::string& name) : UIWidget(parent, name) { type_ = kTypeSlider; }

void UISlider::SetSlider(float value) { value_ = std::clamp(value, 0.0f, 1.0f); }

bool UISlider::Load(const LuaPlus::LuaObject& table) {
  UIWidget::Load(table);
  const std::string icon = script::ReadString(table, "SliderIcon", "");
  SetSlider(script::ReadFloat(table, "SliderValue", 0.0f));
  iconSize_ = script::ReadVec2(table, "SliderSize", {size_.y, size_.y});
  if (!icon.empty()) LoadKindImage(kImageIcon, icon, uv1_, uv2_).Tick(0);
  return true;
}

bool UISlider::Update(float dt) {
  images_[kImageIcon].Tick(dt);
  return UIWidget::Update(dt);
}

bool UISlider::Render(bool force) {
  if (!UIWidget::Render(force)) return false;
  UISprite& icon = images_[kImageIcon];
  // The icon's centre column stands at the value.
  icon.SetRect({position_.x + size_.x * value_ - iconSize_.x * 0.5f, position_.y + (size_.y - iconSize_.y) * 0.5f},
               iconSize_, rotation_, 0, colour_);
  icon.Render();
  return true;
}

void UISlider::SetFromPoint(const math::Vec2& point) {
  // A slider with no width has nowhere to slide: 0, never a division by 0.
  SetSlider(size_.x > 0.0f ? (point.x - position_.x) / size_.x : 0.0f);
  RunEvent(kSliderChange);
}

bool UISlider::OnMouseHeld(const math::Vec2& point, int button) {
  if (!Takes(point)) return false;
  WidgetCallScope scope;
  SetFromPoint(point);
  return AnyChildForward([&](UIWidget* child) { return child->OnMouseHeld(point, button); });
}

bool UISlider::OnDrag(const math::Vec2& start, const math::Vec2& point) {
  if (!Takes(start)) return false;
  WidgetCallScope scope;
  SetFromPoint(point);
  return AnyChildForward([&](UIWidget* child) { return child->OnDrag(start, point); });
}

bool UISlider::OnDrop(const math::Vec2& start, const math::Vec2& point, bool) {
  if (!Takes(start)) return false;
  WidgetCallScope scope;
  SetFromPoint(point);
  RunEvent(kLmbRelease);
  // Children are offered the drag, not the drop.
  return AnyChildForward([&](UIWidget* child) { return child->OnDrag(start, point); });
}

UIWidget* UISlider::GetClone() {
  UISlider* clone = new UISlider(parent_, NextCloneName());
  CopyInto(*clone);
  clone->value_ = value_;
  clone->iconSize_ = iconSize_;
  return clone;
}

bool UISlider::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(kTypeSlider));
  writer.WriteFloat("SliderValue", value_);
  writer.WriteVec2("SliderSize", iconSize_);
  writer.WriteString("SliderIcon", images_[kImageIcon].GetName());
  return true;
}

}  // namespace ui
