#include "board/help/qor_right_click_step.h"

QORRightClickStep::QORRightClickStep(well::HandHold* handHold, QORBoardView* board, well::Block* block)
    : QORHintStep(handHold, board, kHintId, kRightButton, {0.9125f, 0.8816667f}, {0.965f, 0.9466667f}),
      block_(block) {}

void QORRightClickStep::Begin() { PointAtBlock(block_); }
