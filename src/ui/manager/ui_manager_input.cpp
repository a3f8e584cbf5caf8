// The UI manager's mouse and keyboard routing. Clicks go to the panels front
// to back until one takes them; drags go back to front; hover and drop reach
// every panel. The open dropdown and the text box being edited come first.
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/ui_widget.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

namespace {
// DirectInput key codes.
constexpr int kKeyTab = 15;
constexpr int kKeyUp = 200;
constexpr int kKeyDown = 208;
}  // namespace

namespace {
uint32_t ButtonBit(const input::MouseButton* button) {
  return button->index >= 0 && button->index < 32 ? 1u << button->index : 0u;
}
}  // namespace

void UIManager::OnScreenChanged() {
  staleButtons_ |= heldButtons_;
  heldButtons_ = 0;
}

bool UIManager::IsStalePress(const input::MouseButton* button, bool released) {
  const uint32_t bit = ButtonBit(button);
  const bool stale = (staleButtons_ & bit) != 0;
  if (released) {
    heldButtons_ &= ~bit;
    staleButtons_ &= ~bit;
  }
  return stale;
}

UIDropDown* UIManager::DropdownAt(const math::Vec2& point) const {
  return openDropdown_ && openDropdown_->IsInside(point) ? openDropdown_ : nullptr;
}

void UIManager::OnKeyDown(const input::KeyState* key) {
  if (editTextBox_) editTextBox_->HandleKey(key);
}

void UIManager::OnKeyRepeat(const input::KeyState* key) { OnKeyDown(key); }

void UIManager::OnKeyUp(const input::KeyState* key) {
  if (!editTextBox_ || !editTextBox_->owner) return;
  int event;
  switch (key->code) {
    case kKeyTab: event = UIWidget::kTabKey; break;
    case kKeyUp: event = UIWidget::kUpKey; break;
    case kKeyDown: event = UIWidget::kDownKey; break;
    default: return;
  }
  WidgetCallScope scope;
  editTextBox_->owner->RunEvent(event);
}

void UIManager::OnMouseDown(const input::MouseButton* button, const math::Vec2* point) {
  WidgetCallScope scope;
  heldButtons_ |= ButtonBit(button);
  staleButtons_ &= ~ButtonBit(button);
  if (openDropdown_) {
    if (openDropdown_->IsInside(*point)) {
      openDropdown_->OnMouseDown(*point, button->index);
      return;
    }
    // A press beside a shown list closes it and goes no further; beside a
    // list already closed it goes on as any press.
    if (openDropdown_->IsOpen()) {
      openDropdown_->SetOpen(false);
      openDropdown_ = nullptr;
      return;
    }
  }
  if (editTextBox_ && editTextBox_->ContainsPoint(*point)) {
    editTextBox_->caret = editTextBox_->selectionEnd = editTextBox_->GetCharIndexAt(*point) - 1;
    editTextBox_->UpdateSelection();
    return;
  }
  FrontToBack([&](UIWidget* panel) { return panel->OnMouseDown(*point, button->index); });
}

void UIManager::OnMouseDoubleClick(const input::MouseButton* button, const math::Vec2* point) {
  WidgetCallScope scope;
  if (UIDropDown* dropdown = DropdownAt(*point)) {
    dropdown->OnDoubleClick(*point, button->index);
  } else if (editTextBox_ && editTextBox_->ContainsPoint(*point)) {
    editTextBox_->caret = 0;
    editTextBox_->selectionEnd = static_cast<int>(editTextBox_->GetSource().size());
    editTextBox_->UpdateSelection();
  } else {
    FrontToBack([&](UIWidget* panel) { return panel->OnDoubleClick(*point, button->index); });
  }
}

void UIManager::OnMouseUp(const input::MouseButton* button, const math::Vec2* point) {
  WidgetCallScope scope;
  if (IsStalePress(button, true)) return;
  if (UIDropDown* dropdown = DropdownAt(*point))
    dropdown->OnMouseUp(*point, button->index);
  else
    FrontToBack([&](UIWidget* panel) { return panel->OnMouseUp(*point, button->index); });
}

void UIManager::OnMouseHeld(const input::MouseButton* button, const math::Vec2* point) {
  WidgetCallScope scope;
  if (IsStalePress(button, false)) return;
  if (UIDropDown* dropdown = DropdownAt(*point))
    dropdown->OnMouseHeld(*point, button->index);
  else
    FrontToBack([&](UIWidget* panel) { return panel->OnMouseHeld(*point, button->index); });
}

void UIManager::OnMouseRepeat(const input::MouseButton* button, const math::Vec2* point) {
  WidgetCallScope scope;
  if (IsStalePress(button, false)) return;
  if (UIDropDown* dropdown = DropdownAt(*point))
    dropdown->OnMouseRepeat(*point, button->index);
  else
    FrontToBack([&](UIWidget* panel) { return panel->OnMouseRepeat(*point, button->index); });
}

void UIManager::OnMouseHover(const math::Vec2* point) {
  WidgetCallScope scope;
  ForEachPanel([&](UIWidget* panel) { panel->OnHover(*point); });
}

void UIManager::OnMouseMove(const math::Vec2* oldPoint, const math::Vec2* newPoint) {
  WidgetCallScope scope;
  if (UIDropDown* dropdown = DropdownAt(*newPoint)) {
    dropdown->OnMouseMove(*oldPoint, *newPoint);
    return;
  }
  cursorPosition_ = *newPoint;
  FrontToBack([&](UIWidget* panel) {
    if (!panel->IsVisible()) return false;
    panel->OnMouseMove(*oldPoint, *newPoint);
    return panel->IsInside(*newPoint);
  });
  FrontToBack([](UIWidget* panel) {
    if (panel->IsVisible()) panel->ProcessMouseOff();
    return false;
  });
  FrontToBack([](UIWidget* panel) {
    if (panel->IsVisible()) panel->ProcessMouseOver();
    return false;
  });
}

void UIManager::OnMouseDrag(const math::Vec2* dragStart, const math::Vec2* point) {
  WidgetCallScope scope;
  if (editTextBox_ && editTextBox_->ContainsPoint(*dragStart)) {
    editTextBox_->SelectRange(*dragStart, *point);
  } else if (dragTarget_) {
    dragTarget_->OnDrag(*dragStart, *point);
  } else {
    BackToFront([&](UIWidget* panel) { return panel->OnDrag(*dragStart, *point); });
  }
}

void UIManager::OnMouseDragEnd(const math::Vec2* dragStart, const math::Vec2* point) {
  WidgetCallScope scope;
  ForEachPanel([&](UIWidget* panel) { panel->OnDrop(*dragStart, *point, false); });
  dragTarget_ = nullptr;
}

}  // namespace ui
