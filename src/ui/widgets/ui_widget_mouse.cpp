// How a widget takes the mouse: each handler offers the event to the
// children (topmost, that is last, first), changes the shown image, runs the
// event scripts and plays the button sounds. The result tells the caller to
// stop offering the event to further widgets. A widget with block-all
// reports as handled what reaches it wherever the point lies (a release only
// inside it).
#include "core/script/console.h"
#include "audio/audio.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

namespace {

constexpr const char* kPressSound = "button_press";
constexpr const char* kRolloverSound = "button_rollover";
constexpr float kDragGrip = 0.1f;

}  // namespace

bool UIWidget::RunEvent(int index) {
  const std::string& script = GetEvent(index);
  if (script.empty()) return false;
  WidgetCallScope scope;
  // A copy: the script may replace or delete what holds it.
  const std::string text = script;
  GetConsole()->Do(text);
  return true;
}

void UIWidget::TakeFocus() { uiManager_->SetFocus(this); }

bool UIWidget::OnMouseMove(const math::Vec2& oldPoint, const math::Vec2& newPoint) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  const bool wasInside = IsInside(oldPoint);
  const bool inside = IsInside(newPoint);
  entered_ = !wasInside && inside;
  left_ = wasInside && !inside;
  currentImage_ = inside ? kImageOver : kImageOff;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnMouseMove(oldPoint, newPoint); })) return true;
  return blockAll_;
}

bool UIWidget::ProcessMouseOver() {
  WidgetCallScope scope;
  if (entered_) {
    const bool ran = RunEvent(kMouseOver);
    if ((ran || images_[kImageOver].HasImage()) && playSound_) audio::GetAudio().PlaySound(kRolloverSound);
  }
  if (AnyChildBackward([](UIWidget* child) { return child->ProcessMouseOver(); })) return true;
  return blockAll_;
}

bool UIWidget::ProcessMouseOff() {
  WidgetCallScope scope;
  if (left_) RunEvent(kMouseOff);
  if (AnyChildBackward([](UIWidget* child) { return child->ProcessMouseOff(); })) return true;
  return blockAll_;
}

bool UIWidget::OnDrag(const math::Vec2& start, const math::Vec2& point) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (canDrag_ && (IsInside(start) || uiManager_->GetDragTarget() == this)) {
    SetPositionRelativeToParent(point - size_ * kDragGrip);
    TakeFocus();
    uiManager_->SetDragTarget(this);
    return true;
  }
  if (!uiManager_->GetDragTarget()) TakeFocus();
  if (AnyChildBackward([&](UIWidget* child) { return child->OnDrag(start, point); })) return true;
  return blockAll_;
}

bool UIWidget::OnDrop(const math::Vec2& start, const math::Vec2& point, bool flag) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  AnyChildBackward([&](UIWidget* child) {
    child->OnDrop(start, point, flag);
    return false;
  });
  return blockAll_;
}

bool UIWidget::OnHover(const math::Vec2& point) {
  if (!active_ || !visible_ || !IsInside(point)) return false;
  WidgetCallScope scope;
  EachChildForward([&point](UIWidget* child) { child->OnHover(point); });
  return blockAll_;
}

bool UIWidget::OnMouseDown(const math::Vec2& point, int button) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnMouseDown(point, button); })) return true;
  if (IsInside(point)) {
    if (button == kLeftButton) {
      if (text_.editable) {
        text_.caret = text_.selectionEnd = text_.GetCharIndexAt(point) - 1;
        text_.UpdateSelection();
      }
      if (RunEvent(kLmbClick)) return true;
    } else if (RunEvent(kRmbClick)) {
      return true;
    }
  }
  return blockAll_;
}

bool UIWidget::OnDoubleClick(const math::Vec2& point, int button) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnDoubleClick(point, button); })) return true;
  if (!IsInside(point)) return blockAll_;
  if (RunEvent(button == kLeftButton ? kLmbDoubleClick : kRmbDoubleClick)) return true;
  currentImage_ = kImageOver;
  return blockAll_;
}

bool UIWidget::OnMouseUp(const math::Vec2& point, int button) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnMouseUp(point, button); })) return true;
  const bool inside = IsInside(point);
  currentImage_ = inside ? kImageOver : kImageOff;
  if (!inside) return false;
  if (button != kLeftButton) {
    if (blockAll_) return true;
    return RunEvent(kRmbRelease);
  }
  if (text_.editable && uiManager_->GetEditTextBox() != &text_) uiManager_->SetEditWidget(this);
  TakeFocus();
  bool ran = false;
  if (!GetEvent(kLmbRelease).empty()) {
    if (playSound_) audio::GetAudio().PlaySound(kPressSound);
    ran = RunEvent(kLmbRelease);
  }
  return blockAll_ || ran || text_.editable || canDrag_;
}

bool UIWidget::OnMouseHeld(const math::Vec2& point, int button) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnMouseHeld(point, button); })) return true;
  if (images_[kImageClick].HasImage() && IsInside(point)) {
    currentImage_ = kImageClick;
    return true;
  }
  return blockAll_;
}

bool UIWidget::OnMouseRepeat(const math::Vec2& point, int button) {
  if (!active_ || !visible_) return false;
  WidgetCallScope scope;
  if (AnyChildBackward([&](UIWidget* child) { return child->OnMouseRepeat(point, button); })) return true;
  if (!IsInside(point)) return blockAll_;
  return RunEvent(button == kLeftButton ? kLmbRepeat : kRmbRepeat);
}

UIWidget* UIWidget::FindWidgetAt(const math::Vec2& point) {
  if (!visible_) return nullptr;
  UIWidget* found = nullptr;
  WalkBackward([&](UIWidget* child) { return (found = child->FindWidgetAt(point)) != nullptr; });
  if (found) return found;
  return IsInside(point) ? this : nullptr;
}

bool UIWidget::HitTest(const math::Vec2& point) {
  if (!visible_) return false;
  if (IsInside(point) && HasImage()) return true;
  return WalkForward([&point](UIWidget* child) { return child->HitTest(point); });
}

}  // namespace ui
