// The game board's HUD, help and tutorial: made by InitUI, ticked and drawn
// with the board, and deleted with it.
#include <algorithm>
#include <string>

#include "board/game_variables.h"
#include "board/help/qor_area_hint_step.h"
#include "board/help/qor_block_hint_step.h"
#include "board/help/qor_game_help.h"
#include "board/help/qor_right_click_step.h"
#include "board/help/qor_screen_hint_step.h"
#include "board/help/qor_wait_step.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"
#include "core/log.h"
#include "well/help/hand_hold.h"
#include "well/help/hand_hold_step.h"

namespace {

// The blocks of the first level's tutorial: a row laid out to offer a swap.
struct Recolour {
  int32_t x, y, color;
};
constexpr Recolour kFirstLevelRow[] = {{29, 31, 9}, {30, 31, 9}, {31, 31, 11}, {32, 31, 9}};
// The second level's tutorial points at this block.
constexpr int32_t kSecondLevelX = 23;
constexpr int32_t kSecondLevelY = 44;

}  // namespace

void QORWell::InitUI() {
  // Made again, the interface replaces the old one; a tutorial the scripts
  // built already stays.
  delete hud_;
  DeleteHelp();
  hud_ = new QORWellUI(this);
  hud_->Init();
  help_ = new QORGameHelp();
  if (handHold_) hud_->SetTutorialDone(false);
}

void QORWell::DeleteInterface() {
  delete handHold_;
  handHold_ = nullptr;
  DeleteHelp();
  delete hud_;
  hud_ = nullptr;
}

void QORWell::AddScore(int32_t points) {
  if (hud_) hud_->SetScore(std::max(0, hud_->GetScore() + points));
}

void QORWell::TickHud(float dt) {
  if (hud_) hud_->Tick(dt);
  if (help_) help_->Tick(dt);
}

bool QORWell::TickTutorial(float dt) {
  if (!handHold_) return true;
  handHold_->Tick(dt);
  well::HandHoldStep* step = handHold_->GetCurrentStep();
  if (step) return step->LetsBoardRun();
  if (hud_) hud_->SetTutorialDone(true);
  delete handHold_;
  handHold_ = nullptr;
  return true;
}

bool QORWell::IsHintShowing() const { return help_ && help_->IsHintOpen(); }

void QORWell::DrawHud() {
  if (!hud_) return;
  hud_->Draw();
  hud_->SetGold(GetInt(game_var::kGold));
}

void QORWell::DeleteHelp() {
  delete help_;
  help_ = nullptr;
}

void QORWell::ReadHudColorSwitches(uint8_t flags[kColorCount]) {
  if (hud_) hud_->ReadColorSwitches(flags);
}

void QORWell::AwardDebugPower() {
  math::Vec2 position;
  if (hud_ && GetExplorerBoardPosition(position)) hud_->AwardPower(position, 1, false);
}

void QORWell::UpdateTutorial() {
  if (GetInt(game_var::kHintsEnabled) <= 0) return;
  const int32_t level = GetLevelIndex();
  if (level != 0 && level != 1) return;
  delete handHold_;
  auto* tutorial = new well::HandHold(this);
  handHold_ = tutorial;
  // Powers wait until the tutorial is over.
  if (hud_) hud_->SetTutorialDone(false);
  if (level == 0) {
    for (const Recolour& cell : kFirstLevelRow) {
      well::Block* block = GetBlock(cell.x, cell.y);
      if (!block) {
        LOG_LINE(MSG_WARNING, "The tutorial finds no block on " + std::to_string(cell.x) + ", " +
                                  std::to_string(cell.y) + " to colour");
        continue;
      }
      block->SetColor(cell.color);
      block->Init();
    }
    tutorial->AddStep(new QORWaitStep(tutorial, 1.5f));
    tutorial->AddStep(new QORBlockHintStep(45, tutorial, this, GetBlock(31, 31)));
    tutorial->AddStep(new QORBlockHintStep(46, tutorial, this, GetBlock(32, 31)));
    tutorial->AddStep(new QORWaitStep(tutorial, 2.0f));
    tutorial->AddStep(new QORAreaHintStep(this, tutorial, 47, GetBlock(29, 31), GetBlock(32, 31)));
    return;
  }
  well::Block* block = GetBlock(kSecondLevelX, kSecondLevelY);
  tutorial->AddStep(new QORWaitStep(tutorial, 1.5f));
  tutorial->AddStep(new QORRightClickStep(tutorial, this, block));
  tutorial->AddStep(new QORWaitStep(tutorial, 4.5f));
  tutorial->AddStep(new QORAreaHintStep(this, tutorial, 53, block));
  tutorial->AddStep(new QORWaitStep(tutorial, 1.5f));
  tutorial->AddStep(new QORScreenHintStep(50, tutorial, this));
  tutorial->AddStep(new QORWaitStep(tutorial, 1.0f));
  tutorial->AddStep(new QORScreenHintStep(51, tutorial, this));
}
