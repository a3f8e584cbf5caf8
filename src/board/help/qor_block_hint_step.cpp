#include "board/help/qor_block_hint_step.h"

QORBlockHintStep::QORBlockHintStep(int32_t hintId, well::HandHold* handHold, QORBoardView* board, well::Block* block)
    : QORHintStep(handHold, board, hintId, kLeftButton, {0.0f, 0.0f}, {1.0f, 1.0f}), block_(block) {}

void QORBlockHintStep::Begin() { PointAtBlock(block_); }
