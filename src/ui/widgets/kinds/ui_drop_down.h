// A widget showing the chosen one of a list of text options. A release on
// its button opens the list below it, one row per option; a release on a row
// chooses that option and runs "selected". The UI manager remembers the open
// dropdown so that a press elsewhere closes it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/widgets/ui_widget.h"

namespace ui {

class UIDropDown : public UIWidget {
 public:
  UIDropDown(UIWidget* parent, const std::string& name);
  ~UIDropDown() override;

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  bool OnMouseUp(const math::Vec2& point, int button) override;
  bool OnMouseHeld(const math::Vec2& point, int button) override;
  // While open, the list below counts as part of the widget.
  bool IsInside(const math::Vec2& point) const override;
  void SetPosition(const math::Vec2& relative) override;
  // Whether the list has a background.
  bool HasImage() const override;
  // Both ignored when the options cover the widget's text.
  void SetText(const std::string& utf8) override;
  bool SetTextW(const std::u16string& text) override;
  void RefreshText() override;
  UIWidget* GetClone() override;
  // Options and selection are not saved: scripts may add them in "on_load".
  bool SaveType(WriteLua& writer) override;

  // Translated like any widget text. The first option added is chosen.
  bool AddOption(const std::string& utf8);
  // Stores the index; one naming an option shows it (unless covered) and
  // closes the list for the UI manager; `fire` runs "selected".
  void SelectOption(int index, bool fire);
  void SetCurrentOption(int index) { SelectOption(index, false); }
  // The first option whose untranslated text is the text; none: no change.
  void SetCurrentOptionFromText(const std::string& utf8);
  // -1 for none.
  int GetSelected() const { return selected_; }
  // Displayed and untranslated text of the chosen option, or "".
  std::string GetSelectedText() const;
  std::string GetOriginalSelectedText() const;
  // Removes every option; the shown text stays.
  void Clear();
  bool IsOpen() const { return open_; }
  void SetOpen(bool open) { open_ = open; }
  size_t GetOptionCount() const { return options_.size(); }
  const UIText& GetOption(size_t index) const { return *options_[index]; }
  bool CoversCompletely() const { return covers_; }

  // "SliderWidget" of the dropdown.
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  const UIText* Selected() const;
  // Places option i's box on its row of the open list.
  void PlaceOption(UIText& option, size_t index) const;
  static bool Within(const math::Vec2& point, const math::Vec2& position, const math::Vec2& size);

  std::vector<std::unique_ptr<UIText>> options_;
  bool open_ = false;
  int selected_ = -1;
  math::Vec2 buttonPosition_;
  math::Vec2 buttonSize_;
  bool covers_ = false;
};

}  // namespace ui
