// The player's hand on the game board: the hover under the pointer, a first
// and a second block chosen by clicks or a drag, the 0.2 s swap of two
// neighbours and the swap back when it lines nothing up, and what the mouse
// buttons reach before the blocks (tutorial, help, goal map, powers).
#include <cstdlib>

#include "audio/audio.h"
#include "board/blocks/qor_block.h"
#include "board/explorer/qor_goal_map.h"
#include "board/help/qor_game_help.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"
#include "well/help/hand_hold.h"
#include "well/help/hand_hold_step.h"

namespace {

constexpr float kSwapSeconds = 0.2f;

void PlaySet(const char* name) { audio::GetAudio().PlaySound(name); }

bool AreNeighbours(const well::Cell& a, const well::Cell& b) {
  return (a.x == b.x && std::abs(a.y - b.y) == 1) || (a.y == b.y && std::abs(a.x - b.x) == 1);
}

}  // namespace

well::Block* QORWell::GetBlockAtPoint(const math::Vec2& point) {
  OnBeforeChange();
  const math::Vec2 end = origin_ + viewSize_;
  if (point.x < origin_.x || point.y < origin_.y || point.x > end.x || point.y > end.y) return nullptr;
  const well::Cell cell = ScreenToCell(point);
  return cell.x >= 0 && cell.y >= 0 ? GetBlock(cell.x, cell.y) : nullptr;
}

bool QORWell::CanMoveBlock(well::Block* block) {
  const int32_t type = GetBlockType(block);
  if (type != QORBlock::kToken && type != QORBlock::kRock) return false;
  const well::Cell cell = block->GetCell();
  const QORTile* tile = GetTile(cell.x, cell.y);
  if (!tile || !tile->webbed) return true;
  if (block == selectedA_ || block == selectedB_) ClearSelection();
  return false;
}

void QORWell::TrySwap(well::Block* first, well::Block* second) {
  if (!first || !second || !CanMoveBlock(first) || !CanMoveBlock(second)) return;
  well::Cell explorer;
  if (!GetExplorerCell(explorer.x, explorer.y)) return;
  const well::Cell a = first->GetCell();
  const well::Cell b = second->GetCell();
  // A rock is never swapped onto the explorer.
  if (GetBlockType(first) == QORBlock::kRock && b == explorer) return;
  if (GetBlockType(second) == QORBlock::kRock && a == explorer) return;

  const QORTile* tileA = GetTile(a.x, a.y);
  const QORTile* tileB = GetTile(b.x, b.y);
  if (tileA && tileB && tileA->type != kTileVoid && tileB->type != kTileVoid && AreNeighbours(a, b)) {
    swapTimer_.remaining = kSwapSeconds;
    swapBack_ = 0;
    selectedA_ = first;
    selectedB_ = second;
    RaiseSoundCue(kCueBlockSwitch);
  } else {
    // The block chosen last becomes the first of a new pair.
    if (selectedA_) selectedA_->SetTint(kTintOpaque);
    if (selectedB_) selectedB_->SetTint(kTintOpaque);
    selectedA_ = selectedB_;
    selectedB_ = nullptr;
    PlaySet("select_A");
  }
  comboCount_ = 0;
  OnBoardChanged();
}

bool QORWell::HasMatchThrough(well::Block* block) {
  const int32_t type = GetBlockType(block);
  if (type < 0 || type > 2) return false;
  const well::Cell c = block->GetCell();
  const int32_t color = block->GetColor();
  // Every window of three cells through the block, along its row, then its
  // column, each starting at the block and moving back.
  for (int32_t k = 0; k >= -2; --k) {
    if (CountColorInRect(c.x + k, c.y, c.x + k + 2, c.y, color, nullptr, 0) == 3) return true;
  }
  for (int32_t k = 0; k >= -2; --k) {
    if (CountColorInRect(c.x, c.y + k, c.x, c.y + k + 2, color, nullptr, 0) == 3) return true;
  }
  return false;
}

bool QORWell::OnMouseMove(const math::Vec2& point) {
  ForgetLostBlocks();
  if (gameEnd_ || IsSwapping() || IsMoving()) return false;
  if (!IsEditing() && hud_) hud_->OnMouseMove(point);
  mousePosition_ = point;
  const well::Cell cell = ScreenToCell(point);
  if (const QORTile* tile = GetTile(cell.x, cell.y); tile && tile->type == kTileVoid) return false;
  well::Block* block = GetBlockAtPoint(point);
  // Blocks of no colour of their own (none, any, empty, filled) show no hover.
  if (!block || block->GetColor() >= kColorCount) return false;
  if (block != hovered_) {
    hovered_ = block;
    block->SetSelected();
  }
  return true;
}

void QORWell::OnLeftClick(const math::Vec2& point) {
  ForgetLostBlocks();
  // A treasure's popup closes in the HUD's next tick.
  if (hud_) hud_->GetPopupTimer().remaining = -1.0f;
  if (handHold_) {
    if (TutorialRefusesClick(point, well::HandHoldStep::kLeftButton)) return;
  } else if (IsHintShowing()) {
    help_->Dismiss();
    return;
  }
  if (goalMap_ && !IsRace() && goalMap_->OnClick(point)) return;
  comboCount_ = 0;
  if (IsSwapping() || IsMoving()) return;
  if (hud_ && hud_->GetArmedPower()) {
    UsePower(point);
    SetMoving();
    return;
  }
  well::Block* block = GetBlockAtPoint(point);
  if (!block) return;
  const int32_t type = GetBlockType(block);
  if (goalMap_ && type == QORBlock::kExit) goalMap_->SelectExit();
  if (goalMap_ && type == QORBlock::kMilestone) goalMap_->SelectBlock(block);
  if (!CanMoveBlock(block)) return;
  if (!selectedA_) {
    selectedA_ = block;
    PlaySet("select_A");
    return;
  }
  selectedB_ = block;
  if (selectedB_ == selectedA_) {
    selectedA_->SetTint(kTintOpaque);
    selectedB_ = nullptr;
    return;
  }
  PlaySet("select_B");
  TrySwap(selectedA_, selectedB_);
  if (!IsEditing()) UsePower(point);
}

void QORWell::OnMouseDrag(const math::Vec2& point) {
  ForgetLostBlocks();
  if (handHold_ || IsSwapping() || IsMoving()) return;
  well::Block* block = GetBlockAtPoint(point);
  if (!block || !CanMoveBlock(block) || !selectedA_) return;
  if (!selectedB_ && block != selectedA_) PlaySet("select_B");
  // One step from A towards the block, across first.
  const well::Cell a = selectedA_->GetCell();
  const well::Cell b = block->GetCell();
  well::Cell next = a;
  if (a.x != b.x) {
    next.x += a.x > b.x ? -1 : 1;
  } else if (a.y != b.y) {
    next.y += a.y > b.y ? -1 : 1;
  } else {
    return;
  }
  TrySwap(selectedA_, GetBlock(next.x, next.y));
}

void QORWell::OnRightClick(const math::Vec2& point) {
  ForgetLostBlocks();
  if (handHold_ && TutorialRefusesClick(point, well::HandHoldStep::kRightButton)) return;
  if (hud_ && hud_->GetArmedPower()) {
    CancelPower(point);
    return;
  }
  if (goalMap_ && !IsRace()) {
    const well::Cell cell = ScreenToCell(point);
    goalMap_->SetTarget(cell.x, cell.y);
  }
}

void QORWell::TickSwap(float dt) {
  ForgetLostBlocks();
  if (!IsSwapping()) return;
  swapTimer_.Tick(dt);
  if (IsSwapping() || !selectedA_ || !selectedB_) return;
  SwapBlocks(selectedA_, selectedB_);
  if (swapBack_) {
    // Back where they started.
    ClearSelection();
    swapBack_ = 0;
  } else if (HasMatchThrough(selectedA_) || HasMatchThrough(selectedB_)) {
    selectedA_->SetTint(kTintOpaque);
    selectedB_->SetTint(kTintOpaque);
    ResolveMatches();
  } else {
    swapBack_ = 1;
    swapTimer_.remaining = kSwapSeconds;
  }
}

void QORWell::DrawSwap() {
  ForgetLostBlocks();
  if (selectedA_) {
    const well::Cell cell = selectedA_->GetCell();
    const QORTile* tile = GetTile(cell.x, cell.y);
    if (tile && tile->type != kTileVoid) {
      selectionRing_.SetRect(selectedA_->GetScreenPosition(), selectedA_->GetDrawSize(), 0.0f, 0, kTintOpaque);
      selectionRing_.Render();
    }
  }
  if (!IsSwapping() || !selectedA_ || !selectedB_) return;
  const math::Vec2 from = selectedA_->GetScreenPosition();
  const math::Vec2 to = selectedB_->GetScreenPosition();
  const float p = swapTimer_.GetProgress();
  selectedA_->SetTint(kTintOpaque);
  selectedB_->SetTint(kTintOpaque);
  selectedA_->Draw(from + (to - from) * p);
  selectedB_->Draw(from + (to - from) * (1.0f - p));
  // The next frame's batch shows the pair faintly on its cells, under the
  // moving copies.
  selectedA_->SetTint(kTintFaint);
  selectedB_->SetTint(kTintFaint);
}

// --- What the buttons reach before the blocks.

void QORWell::UsePower(const math::Vec2& point) {
  if (hud_) hud_->UsePower(point);
}

void QORWell::CancelPower(const math::Vec2& point) {
  if (hud_) hud_->CancelPower(point);
}

bool QORWell::TutorialRefusesClick(const math::Vec2& point, int32_t button) {
  well::HandHoldStep* step = handHold_ ? handHold_->GetCurrentStep() : nullptr;
  return step && !step->AcceptClick(point, static_cast<uint32_t>(button));
}

// --- Blocks the selection lets go of.

void QORWell::TriggerRestore() {
  hovered_ = selectedA_ = selectedB_ = nullptr;
  swapTimer_.remaining = -1.0f;
  swapBack_ = 0;
  GameScrollWell::TriggerRestore();
}

bool QORWell::IsHeld(const well::Block* block) const {
  if (!block || block->IsDead()) return false;
  const well::Cell cell = block->GetOccupiedCell();
  return IsInside(cell.x, cell.y) && grid_[static_cast<size_t>(GetCellIndex(cell.x, cell.y))] == block;
}

void QORWell::ForgetLostBlocks() {
  if (hovered_ && !IsHeld(hovered_)) hovered_ = nullptr;
  const bool lostA = selectedA_ && !IsHeld(selectedA_);
  const bool lostB = selectedB_ && !IsHeld(selectedB_);
  if (!lostA && !lostB) return;
  if (lostA) selectedA_ = nullptr;
  if (lostB) selectedB_ = nullptr;
  if (IsSwapping()) {
    // The pair is broken: the swap ends where it stands.
    swapTimer_.remaining = -1.0f;
    swapBack_ = 0;
    ClearSelection();
  }
}

void QORWell::ClearSelection() {
  if (selectedA_) selectedA_->SetTint(kTintOpaque);
  if (selectedB_) selectedB_->SetTint(kTintOpaque);
  selectedA_ = selectedB_ = nullptr;
}
