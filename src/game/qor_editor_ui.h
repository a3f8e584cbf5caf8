// The level editor's HUD: the editor's main panel with its mode list and
// buttons in place of the play HUD's, the twelve tool panels (one shown at
// a time by the scripts), and the colour check boxes, which show the
// board's colours and are the colours a saved level keeps.
#pragma once
#include <cstdint>

#include "board/hud/qor_well_ui.h"

namespace ui {
class UICheckBox;
}

class QORWell;

class QOREditorUI : public QORWellUI {
 public:
  static constexpr const char* kMainPanel = "ui/editor.ui";
  static constexpr const char* kToolPanel = "ui/editor_%i.ui";
  static constexpr const char* kColourPanel = "editor_3";
  static constexpr const char* kTimeFont = "img/time_number.lua";
  static constexpr int32_t kFirstToolPanel = 2;
  static constexpr int32_t kToolPanelCount = 12;

  explicit QOREditorUI(QORWell* board);

  void Init() override;
  void Hide() override;
  // Ticks each colour with a weight above 0 on the board.
  void RefreshColors() override;
  // Each box's state; 0 for a colour without a box.
  void ReadColorSwitches(uint8_t flags[kColorCount]) override;

  ui::UIWidget* GetMainPanel() const { return main_; }
  ui::UIWidget* GetToolPanel(int32_t index) const;
  ui::UIWidget* GetCurrentEntry() const { return currentEntry_; }
  ui::UICheckBox* GetColourBox(int32_t colour) const;

 private:
  // The board whose colour weights the boxes show.
  QORWell* well_;
  ui::UIWidget* main_ = nullptr;
  ui::UIWidget* tools_[kToolPanelCount] = {};
  ui::UICheckBox* colourBoxes_[kColorCount] = {};
  ui::UIWidget* currentEntry_ = nullptr;
  ui::UINumber timeNumbers_;
};
