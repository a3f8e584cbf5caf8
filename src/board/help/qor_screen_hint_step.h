// A hint over the goal map, completed by a left click on it.
#pragma once
#include "board/help/qor_hint_step.h"

class QORScreenHintStep : public QORHintStep {
 public:
  QORScreenHintStep(int32_t hintId, well::HandHold* handHold, QORBoardView* board);

  void Begin() override { ShowHint(); }
};
