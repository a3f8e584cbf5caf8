#include "ui/widgets/kinds/ui_check_box.h"

#include "audio/audio.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

UICheckBox::UICheckBox(UIWidget* parent, const std::string& name) : UIWidget(parent, name) {
  type_ = kTypeCheckBox;
}

bool UICheckBox::Load(const LuaPlus::LuaObject& table) {
  UIWidget::Load(table);
  checked_ = script::ReadBool(table, "IsChecked", false);
  // The whole texture, whatever the widget's UV keys say.
  LoadKindImage(kImageUnchecked, script::ReadString(table, "UncheckedImg", ""), {0, 0}, {1, 1});
  LoadKindImage(kImageChecked, script::ReadString(table, "CheckedImg", ""), {0, 0}, {1, 1});
  return true;
}

bool UICheckBox::Update(float dt) {
  const bool shown = UIWidget::Update(dt);
  images_[kImageUnchecked].Tick(dt);
  images_[kImageChecked].Tick(dt);
  return shown;
}

bool UICheckBox::Render(bool force) {
  if (!force && (!visible_ || uiManager_->GetDragTarget() == this)) return false;
  UISprite& image = images_[checked_ ? kImageChecked : kImageUnchecked];
  image.SetRect(position_, size_, rotation_, 0, colour_);
  image.Render();
  EachChildForward([](UIWidget* child) { child->Render(false); });
  return true;
}

bool UICheckBox::OnMouseUp(const math::Vec2& point, int button) {
  if (!active_ || !visible_ || !IsInside(point)) return false;
  WidgetCallScope scope;
  checked_ = !checked_;
  audio::GetAudio().PlaySound("button_press");
  if (AnyChildForward([&](UIWidget* child) { return child->OnMouseHeld(point, button); })) return true;
  RunEvent(kLmbRelease);
  return false;
}

UIWidget* UICheckBox::GetClone() {
  UICheckBox* clone = new UICheckBox(parent_, NextCloneName());
  CopyInto(*clone);
  clone->checked_ = checked_;
  return clone;
}

bool UICheckBox::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(kTypeCheckBox));
  writer.WriteInt("IsChecked", checked_ ? 1 : 0);
  writer.WriteString("UncheckedImg", images_[kImageUnchecked].GetName());
  writer.WriteString("CheckedImg", images_[kImageChecked].GetName());
  return true;
}

}  // namespace ui
