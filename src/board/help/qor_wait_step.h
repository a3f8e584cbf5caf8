// A pause in the tutorial; every click is held back meanwhile.
#pragma once
#include "core/countdown_timer.h"
#include "well/help/hand_hold_step.h"

class QORWaitStep : public well::HandHoldStep {
 public:
  QORWaitStep(well::HandHold* handHold, float seconds) : HandHoldStep(handHold), timer_(seconds, seconds) {}

  void Tick(float dt) override { timer_.Tick(dt); }
  bool IsDone() override { return timer_.IsExpired(); }

 private:
  CountdownTimer timer_;
};
