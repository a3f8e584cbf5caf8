#include "board/help/qor_hint_step.h"

#include <string>

#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "board/qor_board_view.h"
#include "core/log.h"
#include "well/block.h"
#include "well/help/help_panel.h"

QORHintStep::QORHintStep(well::HandHold* handHold, QORBoardView* board, int32_t hintId, uint32_t buttonMask,
                         const math::Vec2& min, const math::Vec2& max)
    : HandHoldStep(handHold), buttonMask_(buttonMask), rectMin_(min), rectMax_(max), board_(board),
      hintId_(hintId) {
  SetInt(hintId, 0);
}

bool QORHintStep::AcceptClick(const math::Vec2& point, uint32_t button) {
  const bool inside =
      point.x >= rectMin_.x && point.x <= rectMax_.x && point.y >= rectMin_.y && point.y <= rectMax_.y;
  if (!inside || (button & buttonMask_) == 0) return false;
  done_ = 1;
  return true;
}

void QORHintStep::End() {
  QORGameHelp* help = board_ ? board_->GetHelp() : nullptr;
  if (help && help->GetPanel()) help->GetPanel()->SetState(well::HelpPanel::kClosed);
}

void QORHintStep::PointAtBlock(const well::Block* block) {
  if (!block) {
    SkipForMissingBlock();
    return;
  }
  const math::Vec2 inset(kInsetX, kInsetY);
  const math::Vec2 position = block->GetScreenPosition();
  rectMin_ = position + inset;
  rectMax_ = position + block->GetDrawSize() - inset;
  ShowHint();
}

void QORHintStep::ShowHint() {
  if (board_) board_->TriggerHint(hintId_, rectMin_, rectMax_);
}

void QORHintStep::SkipForMissingBlock() {
  LOG_LINE(MSG_WARNING, "The tutorial's hint " + std::to_string(hintId_) + " has no block to point at: skipped");
  done_ = 1;
}
