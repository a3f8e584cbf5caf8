// The game board's explorer and goal map: made with the board and at level
// start, ticked and drawn with it, and deleted with it.
#include "board/blocks/qor_fixed_blocks.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"

void QORWell::CreateExplorer() {
  delete explorer_;
  explorer_ = new QORExplorer(this);
}

void QORWell::DeleteExplorerAndGoalMap() {
  delete goalMap_;
  goalMap_ = nullptr;
  delete explorer_;
  explorer_ = nullptr;
}

bool QORWell::GetExplorerCell(int32_t& x, int32_t& y) const {
  if (!explorer_) return false;
  x = explorer_->GetCell().x;
  y = explorer_->GetCell().y;
  return true;
}

bool QORWell::GetExplorerTargetCell(int32_t& x, int32_t& y) const {
  if (!explorer_) return false;
  x = explorer_->GetTargetCell().x;
  y = explorer_->GetTargetCell().y;
  return true;
}

void QORWell::RebuildExplorerPath() {
  if (explorer_) explorer_->RebuildPath();
}

void QORWell::InitExplorerVariables() {
  if (explorer_) explorer_->InitVariables();
}

bool QORWell::GetExplorerBoardPosition(math::Vec2& position) const {
  if (!explorer_) return false;
  position = explorer_->GetBoardPosition();
  return true;
}

void QORWell::PlaceExplorer(int32_t x, int32_t y) {
  if (explorer_) explorer_->PlaceAt(x, y);
}

void QORWell::PlayExplorerPowerAnimation() {
  if (explorer_) explorer_->PlayPowerAnimation();
}

void QORWell::CreateGoalMap() {
  delete goalMap_;
  goalMap_ = new QORGoalMap(this);
  goalMap_->Init();
  goalMap_->SetOpen(true);
}

void QORWell::OpenGoalMap(bool open) {
  if (goalMap_) goalMap_->SetOpen(open);
}

void QORWell::PlaceTargetMarkers() {
  if (goalMap_) goalMap_->PlaceTargetMarkers();
}

bool QORWell::GetShadyCell(int32_t& x, int32_t& y) const { return shady_ && GetWalkerCell(shady_, x, y); }

void QORWell::AwardTreasure(const math::Vec2& from, int32_t powerIndex) {
  if (!hud_) return;
  hud_->AddTreasureFound();
  hud_->AwardPower(from, powerIndex, true);
}

void QORWell::OpenExit() {
  if (GetBlockType(exit_) == QORBlock::kExit) static_cast<QORExitBlock*>(exit_)->Open();
}

void QORWell::RestExits() {
  std::vector<well::Block*> blocks;
  CollectAllBlocks(blocks);
  for (well::Block* block : blocks) {
    if (GetBlockType(block) == QORBlock::kExit) block->Init();
  }
}

void QORWell::OpenMilestone(well::Block* milestone) {
  if (GetBlockType(milestone) == QORBlock::kMilestone) static_cast<QORMilestoneBlock*>(milestone)->Open();
}
