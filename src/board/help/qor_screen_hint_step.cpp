#include "board/help/qor_screen_hint_step.h"

QORScreenHintStep::QORScreenHintStep(int32_t hintId, well::HandHold* handHold, QORBoardView* board)
    : QORHintStep(handHold, board, hintId, kLeftButton, {0.825f, 0.85f}, {0.925f, 0.9666667f}) {}
