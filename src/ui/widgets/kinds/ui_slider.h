// A value from 0 to 1 that the player sets by pressing or dragging along the
// widget, shown as an icon over the widget's image. Each change by the mouse
// runs "slider_change", even when the value stays.
#pragma once
#include <string>

#include "ui/widgets/ui_widget.h"

namespace ui {

class UISlider : public UIWidget {
 public:
  UISlider(UIWidget* parent, const std::string& name);

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  // A drag that starts on the slider moves the value; the slider never
  // becomes the drag target.
  bool OnDrag(const math::Vec2& start, const math::Vec2& point) override;
  // The end of such a drag sets the value and runs "lmb_release" too.
  bool OnDrop(const math::Vec2& start, const math::Vec2& point, bool flag) override;
  // A held button moves the value every frame.
  bool OnMouseHeld(const math::Vec2& point, int button) override;
  UIWidget* GetClone() override;
  bool SaveType(WriteLua& writer) override;

  float GetSlider() const { return value_; }
  // Clamped to 0 .. 1; runs no script.
  void SetSlider(float value);
  const math::Vec2& GetIconSize() const { return iconSize_; }

  // "SliderWidget" of the slider.
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  bool Takes(const math::Vec2& point) const { return active_ && visible_ && IsInside(point); }
  // The value under the point, then "slider_change".
  void SetFromPoint(const math::Vec2& point);

  float value_ = 0.0f;
  math::Vec2 iconSize_;
};

}  // namespace ui
