// A hint at a block, completed by a left click on it. The rectangle follows
// the block to where it stands when the step begins.
#pragma once
#include "board/help/qor_hint_step.h"

class QORBlockHintStep : public QORHintStep {
 public:
  QORBlockHintStep(int32_t hintId, well::HandHold* handHold, QORBoardView* board, well::Block* block);

  // Without its block the step is done at once.
  void Begin() override;

 private:
  well::Block* block_;
};
