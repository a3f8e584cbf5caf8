// A flag that each click turns over, shown as one of two images.
#pragma once
#include <string>

#include "ui/widgets/ui_widget.h"

namespace ui {

class UICheckBox : public UIWidget {
 public:
  UICheckBox(UIWidget* parent, const std::string& name);

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  // A release of either button inside turns the flag and plays
  // "button_press" whether the box plays sounds or not. Reports false
  // unless a child takes it, so the release goes on to the box's siblings.
  bool OnMouseUp(const math::Vec2& point, int button) override;
  UIWidget* GetClone() override;
  bool SaveType(WriteLua& writer) override;

  bool IsChecked() const { return checked_; }
  // Runs no script and plays nothing.
  void SetChecked(bool checked) { checked_ = checked; }

  // "SliderWidget" of the check box.
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  bool checked_ = false;
};

}  // namespace ui
