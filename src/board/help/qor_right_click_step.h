// The right-click hint at a block, completed by a right click on it. Until
// the step begins, its rectangle is the goal map's corner.
#pragma once
#include "board/help/qor_hint_step.h"

class QORRightClickStep : public QORHintStep {
 public:
  static constexpr int32_t kHintId = 52;

  QORRightClickStep(well::HandHold* handHold, QORBoardView* board, well::Block* block);

  // Without its block the step is done at once, with a warning.
  void Begin() override;

 private:
  well::Block* block_;
};
