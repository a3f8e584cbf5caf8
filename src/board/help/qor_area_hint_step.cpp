#include "board/help/qor_area_hint_step.h"

#include "board/qor_board_view.h"
#include "well/block.h"

QORAreaHintStep::QORAreaHintStep(QORBoardView* board, well::HandHold* handHold, int32_t hintId, well::Block* a,
                                 well::Block* b)
    : QORHintStep(handHold, board, hintId, 0, {0.0f, 0.0f}, {1.0f, 1.0f}) {
  if (!board || !a || !b) return;
  areaMin_ = a->GetScreenPosition() + board->GetScroll();
  areaMax_ = b->GetScreenPosition() + board->GetScroll() + board->CellsToSize(1, 1);
  hasArea_ = 1;
}

QORAreaHintStep::QORAreaHintStep(QORBoardView* board, well::HandHold* handHold, int32_t hintId, well::Block* block)
    : QORHintStep(handHold, board, hintId, 0, {0.0f, 0.0f}, {1.0f, 1.0f}) {
  if (!board || !block) return;
  areaMin_ = block->GetScreenPosition() + board->GetScroll();
  areaMax_ = areaMin_ + block->GetDrawSize();
  hasArea_ = 1;
}

void QORAreaHintStep::Begin() {
  if (!hasArea_) {
    SkipForMissingBlock();
    return;
  }
  const math::Vec2 inset(kInsetX, kInsetY);
  const math::Vec2& scroll = board_->GetScroll();
  board_->TriggerHint(hintId_, areaMin_ + inset - scroll, areaMax_ - inset - scroll);
}
