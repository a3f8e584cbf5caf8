#include "game/qor_editor_ui.h"

#include <cstdio>

#include "board/qor_well.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/ui_widget.h"
#include "well/block_names.h"

QOREditorUI::QOREditorUI(QORWell* board) : QORWellUI(board), well_(board) {}

void QOREditorUI::Init() {
  QORWellUI::Init();
  if (panel_) panel_->SetIsVisible(false);
  numbers_.Load(kNumberFont);
  timeNumbers_.Load(kTimeFont);
  ui::UIManager* manager = GetUIMan();
  main_ = manager->AddPanel(kMainPanel);
  if (main_) {
    main_->SetIsVisible(true);
    if (auto* modes = dynamic_cast<ui::UIDropDown*>(main_->GetWidgetOfType("ModeDrop", ui::UIWidget::kTypeDropDown))) {
      modes->SelectOption(0, false);
    }
    currentEntry_ = main_->GetWidgetByName("CurrentEntry");
  }
  for (int32_t i = 0; i < kToolPanelCount; ++i) {
    char file[32];
    std::snprintf(file, sizeof(file), kToolPanel, i + kFirstToolPanel);
    tools_[i] = manager->AddPanel(file);
    if (tools_[i]) tools_[i]->SetIsVisible(false);
  }
  if (tools_[0]) tools_[0]->SetIsVisible(true);
  ui::UIWidget* colours = manager->GetPanel(kColourPanel);
  for (int32_t colour = 0; colour < kColorCount; ++colour) {
    const std::string name = std::string("check_") + well::ColorToName(colour);
    colourBoxes_[colour] =
        colours ? dynamic_cast<ui::UICheckBox*>(colours->GetWidgetOfType(name, ui::UIWidget::kTypeCheckBox)) : nullptr;
  }
}

void QOREditorUI::Hide() {
  if (main_) main_->SetIsVisible(false);
  for (ui::UIWidget* tool : tools_) {
    if (tool) tool->SetIsVisible(false);
  }
}

void QOREditorUI::RefreshColors() {
  if (!well_) return;
  const num::ProbSet& weights = well_->GetColorWeights();
  for (int32_t colour = 0; colour < kColorCount; ++colour) {
    if (colourBoxes_[colour]) colourBoxes_[colour]->SetChecked(weights.weights[colour] > 0.0f);
  }
}

void QOREditorUI::ReadColorSwitches(uint8_t flags[kColorCount]) {
  for (int32_t colour = 0; colour < kColorCount; ++colour) {
    flags[colour] = colourBoxes_[colour] && colourBoxes_[colour]->IsChecked() ? 1 : 0;
  }
}

ui::UIWidget* QOREditorUI::GetToolPanel(int32_t index) const {
  const int32_t i = index - kFirstToolPanel;
  return i >= 0 && i < kToolPanelCount ? tools_[i] : nullptr;
}

ui::UICheckBox* QOREditorUI::GetColourBox(int32_t colour) const {
  return colour >= 0 && colour < kColorCount ? colourBoxes_[colour] : nullptr;
}
