#include "well/help/hand_hold.h"

#include "well/help/hand_hold_step.h"

namespace well {

HandHold::~HandHold() = default;

void HandHold::AddStep(HandHoldStep* step) {
  if (step) steps_.emplace_back(step);
}

void HandHold::Tick(float dt) {
  if (steps_.empty()) return;
  if (beginPending_) {
    beginPending_ = false;
    steps_.front()->Begin();
  }
  HandHoldStep* step = steps_.front().get();
  step->Tick(dt);
  if (!step->IsDone()) return;
  step->End();
  steps_.pop_front();
  if (!steps_.empty()) steps_.front()->Begin();
}

}  // namespace well
