#include "ui/manager/ui_manager.h"

#include <strings.h>

#include "core/script/console.h"
#include "core/log.h"
#include "core/memory/profiler.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "swf/engine/flash_driver.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/kinds/ui_flash_widget.h"
#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/kinds/ui_part_widget.h"
#include "ui/widgets/ui_widget.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

namespace {

bool g_forceLeftAlign = false;

}  // namespace

UIManager::UIManager() {
  SetSpriteHost(this);
  SetCursor("Cursor.png", {0, 0}, {kCursorSize, kCursorSize});
}

UIManager::~UIManager() {
  DropAllPanels();
  ShutdownFlash();
  SetSpriteHost(nullptr);
}

UIWidget* UIManager::CreateWidget(UIWidget* parent, const std::string& typeName) {
  auto is = [&typeName](int type) { return strcasecmp(typeName.c_str(), GetWidgetTypeName(type)) == 0; };
  if (is(UIWidget::kTypeSlider)) return new UISlider(parent, "");
  if (is(UIWidget::kTypeProgress)) return new UIProgress(parent, "");
  if (is(UIWidget::kTypeDropDown)) return new UIDropDown(parent, "");
  if (is(UIWidget::kTypeCheckBox)) return new UICheckBox(parent, "");
  if (is(UIWidget::kTypeFlash)) return new UIFlashWidget(parent, "");
  if (is(UIPartWidget::kType)) return new UIPartWidget(parent, "");
  if (is(UIPart2DWidget::kType)) return new UIPart2DWidget(parent, "");
  if (is(UIWidget::kTypeMultiLine)) return new UIMultiLine(parent, "");
  return new UIWidget(parent, "");
}

UIWidget* UIManager::CreateWidgetFromTable(UIWidget* parent, const LuaPlus::LuaObject& table) {
  if (!table.IsTable()) return nullptr;
  WidgetCallScope scope;
  UIWidget* widget = CreateWidget(parent, script::ReadString(table, "Type", "Widget"));
  if (widget->Load(table)) return widget;
  DestroyWidget(widget);
  return nullptr;
}

UIWidget* UIManager::AddPanel(const std::string& path) {
  const std::string failure = "Unable to load UI panel " + path + "!";
  LuaPlus::LuaState* state = script::CreateLuaState();
  UIWidget* panel = nullptr;
  if (!script::LoadDataScript(state, path)) {
    LOG_LINE(MSG_ERROR, failure);
  } else {
    // Every object must be gone before the state is.
    LuaPlus::LuaObject table = script::GetGlobalObject(state, "Panel");
    if (!table.IsTable()) {
      LOG_LINE(MSG_ERROR, failure);
    } else if (UIWidget* listed = GetPanel(script::ReadString(table, "Name", ""))) {
      panel = listed;
    } else if ((panel = CreateWidgetFromTable(nullptr, table))) {
      InsertPanel(panel);
      LOG_LINE(MSG_LOAD, "UI panel " + panel->GetName() + " loaded from file " + path);
      panel->SetSourceFile(path);
    }
  }
  LuaPlus::LuaState::Destroy(state);
  return panel;
}

void UIManager::SavePanel(UIWidget* panel, const std::string& path) {
  if (!panel) return;
  WriteLua writer;
  if (!writer.Open(path)) return;
  writer.BeginTable("Panel");
  panel->Save(writer);
  writer.EndTable(false);
  writer.Close();
}

bool UIManager::IsListed(const UIWidget* panel) { return panels_.IndexOf(panel) != WalkList<PanelEntry>::kNone; }

void UIManager::InsertPanel(UIWidget* panel) {
  if (panel && !IsListed(panel)) panels_.Append({panel});
}

bool UIManager::DropPanel(UIWidget* panel, bool destroy) {
  const size_t at = panels_.IndexOf(panel);
  if (at == WalkList<PanelEntry>::kNone) return false;
  panels_.Unlink(at);
  if (destroy) DestroyWidget(panel);
  return true;
}

void UIManager::DropAllPanels() { panels_.Clear(&DestroyWidget); }

UIWidget* UIManager::GetWidget(const std::string& name) {
  UIWidget* found = nullptr;
  BackToFront([&](UIWidget* panel) { return (found = panel->GetWidgetByName(name)) != nullptr; });
  return found;
}

void UIManager::PushPanelToFront(UIWidget* panel) {
  const size_t at = panels_.IndexOf(panel);
  if (at == WalkList<PanelEntry>::kNone) return;
  panels_.Unlink(at);
  panels_.Append({panel});
}

void UIManager::PushPanelToBack(UIWidget* panel) {
  const size_t at = panels_.IndexOf(panel);
  if (at == WalkList<PanelEntry>::kNone) return;
  panels_.Unlink(at);
  panels_.Prepend({panel});
}

bool UIManager::HitTest(const math::Vec2& point) {
  return FrontToBack([&point](UIWidget* panel) { return panel->HitTest(point); });
}

void UIManager::Update(float dt) {
  util::ProfileScope timing(kProfileSection);
  WidgetCallScope scope;
  ForEachPanel([dt](UIWidget* panel) { panel->Update(dt); });
}

void UIManager::Render() {
  util::ProfileScope timing(kProfileSection);
  WidgetCallScope scope;
  ForEachPanel([](UIWidget* panel) {
    panel->Render(false);
    panel->RenderOnTop();
  });
  if (dragTarget_) dragTarget_->Render(true);
  if (cursorShown_) {
    cursor_.SetRect(cursorPosition_ + cursorOffset_, cursorSize_, 0, 0, 0xFFFFFFFFu);
    cursor_.Render();
  }
}

void UIManager::InitFlash() {
  if (flashDriver_) return;
  flashDriver_ = std::make_unique<flash::FlashDriver>();
  flashDriver_->Init();
}

void UIManager::ShutdownFlash() { flashDriver_.reset(); }

void UIManager::ResetResources() {
  InitFlash();
  WidgetCallScope scope;
  ForEachPanel([](UIWidget* panel) { panel->ResetResources(); });
}

void UIManager::SetCursor(const std::string& image, const math::Vec2& offset, const math::Vec2& size) {
  cursor_.LoadImage(image);
  cursor_.uv1 = {0, 0};
  cursor_.uv2 = {1, 1};
  cursor_.additive = 0;
  cursorOffset_ = offset;
  cursorSize_ = size;
}

UIWidget* UIManager::GetPanel(const std::string& name) {
  const size_t at =
      panels_.IndexWhere([&name](const PanelEntry& e) { return strcasecmp(e.value->GetName().c_str(), name.c_str()) == 0; });
  return at == WalkList<PanelEntry>::kNone ? nullptr : panels_.At(at).value;
}

void UIManager::SetFocus(UIWidget* widget) {
  if (widget == focus_) return;
  editWidget_ = nullptr;
  editTextBox_ = nullptr;
  focus_ = widget;
}

void UIManager::SetEditWidget(UIWidget* widget) {
  dragTarget_ = nullptr;
  if (widget && widget->IsEditable()) {
    focus_ = widget;
    editWidget_ = widget;
    editTextBox_ = &widget->GetTextBlock();
  } else {
    focus_ = nullptr;
    editWidget_ = nullptr;
    editTextBox_ = nullptr;
  }
}

void UIManager::ClearEditWidget() {
  focus_ = nullptr;
  dragTarget_ = nullptr;
  editWidget_ = nullptr;
  editTextBox_ = nullptr;
}

void UIManager::ForgetDeadWidgets() {
  if (focus_ && focus_->IsDead()) focus_ = nullptr;
  if (dragTarget_ && dragTarget_->IsDead()) dragTarget_ = nullptr;
  if (openDropdown_ && openDropdown_->IsDead()) openDropdown_ = nullptr;
  if (editWidget_ && editWidget_->IsDead()) {
    editWidget_ = nullptr;
    editTextBox_ = nullptr;
  }
}

void UIManager::ForgetWidget(const UIWidget* widget) {
  if (focus_ == widget) focus_ = nullptr;
  if (dragTarget_ == widget) dragTarget_ = nullptr;
  if (openDropdown_ == widget) openDropdown_ = nullptr;
  if (editWidget_ == widget) {
    editWidget_ = nullptr;
    editTextBox_ = nullptr;
  }
}

void UIManager::ExecuteScript(const std::string& script) {
  console::Console* console = GetConsole();
  if (console->GetState() && !script.empty()) console->Do(script);
}

void UIManager::RunClipEnded(UIWidget* owner) {
  if (owner) owner->RunEvent(UIWidget::kClipEnded);
}

void UIManager::ForceLeftAlign(bool on) { g_forceLeftAlign = on; }

bool UIManager::IsForceLeftAlign() { return g_forceLeftAlign; }

}  // namespace ui

ui::UIManager* GetUIMan() {
  static ui::UIManager manager;
  return &manager;
}
