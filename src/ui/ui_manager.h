// The owner of every UI panel (a panel is a widget without a parent): loads
// panels from ".ui" files, makes widgets by type name, keeps the focus, the
// widget being dragged, the open dropdown and the text box being edited, and
// runs Lua on behalf of widgets. It is also the sprites' host: their
// language and their owners' "clip_ended".
#pragma once
#include <string>

#include "render/sprite_host.h"
#include "ui/walk_list.h"

class WriteLua;

namespace LuaPlus {
class LuaObject;
}

namespace ui {

class UIText;
class UIWidget;

class UIManager : public SpriteHost {
 public:
  UIManager();
  ~UIManager() override;
  UIManager(const UIManager&) = delete;
  UIManager& operator=(const UIManager&) = delete;

  // Loads a panel file and lists its panel front-most; a panel of the same
  // name already listed is returned instead. Null, logged, on failure.
  UIWidget* AddPanel(const std::string& path);
  // A new widget of the type name (compared in lower case) with no name.
  UIWidget* CreateWidget(UIWidget* parent, const std::string& typeName);
  // The widget of the table's "Type", loaded from the table; null when the
  // value is no table or the load fails.
  UIWidget* CreateWidgetFromTable(UIWidget* parent, const LuaPlus::LuaObject& table);
  // Writes the panel as the table "Panel"; nothing for a null panel.
  void SavePanel(UIWidget* panel, const std::string& path);
  // Lists the panel front-most unless it is listed.
  void InsertPanel(UIWidget* panel);
  // Unlinks a listed panel, destroying it when asked; whether it was listed.
  bool DropPanel(UIWidget* panel, bool destroy);
  void DropAllPanels();
  // The back-most listed panel of the name, in any letter case.
  UIWidget* GetPanel(const std::string& name);
  bool IsListed(const UIWidget* panel);

  // A new focus clears the edit box.
  void SetFocus(UIWidget* widget);
  UIWidget* GetFocus() const { return focus_; }
  // An editable widget becomes the focus and its text the edit box; anything
  // else clears both. The drag target is cleared either way.
  void SetEditWidget(UIWidget* widget);
  void ClearEditWidget();
  UIText* GetEditTextBox() const { return editTextBox_; }
  UIWidget* GetDragTarget() const { return dragTarget_; }
  void SetDragTarget(UIWidget* widget) { dragTarget_ = widget; }
  UIWidget* GetOpenDropdown() const { return openDropdown_; }
  void SetOpenDropdown(UIWidget* dropdown) { openDropdown_ = dropdown; }
  // Clears focus, drag target, open dropdown and edit box where they point
  // at a widget whose destruction is under way.
  void ForgetDeadWidgets();
  // The same for a widget being freed.
  void ForgetWidget(const UIWidget* widget);

  // Runs the script in the console's state and echoes it; nothing for an
  // empty script or without a console state.
  void ExecuteScript(const std::string& script);

  const std::string& GetFontName() const { return fontName_; }
  void SetLanguage(const std::string& language) { language_ = language; }

  // SpriteHost.
  void RunClipEnded(UIWidget* owner) override;
  const std::string& GetLanguage() const override { return language_; }

  // Long centred texts drawn from the left (process-wide).
  static void ForceLeftAlign(bool on);
  static bool IsForceLeftAlign();

 private:
  struct PanelEntry {
    UIWidget* value = nullptr;
  };
  // Back-most first.
  WalkList<PanelEntry> panels_;
  UIWidget* focus_ = nullptr;
  UIWidget* openDropdown_ = nullptr;
  UIWidget* dragTarget_ = nullptr;
  UIWidget* editWidget_ = nullptr;
  UIText* editTextBox_ = nullptr;
  std::string fontName_ = "SmallFont";
  std::string language_ = "English";
};

}  // namespace ui

ui::UIManager* GetUIMan();
