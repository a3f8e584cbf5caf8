// One step of a tutorial: it begins when it comes first in its hand-hold,
// filters the player's clicks while it is current and ends when done.
#pragma once
#include <cstdint>

#include "core/math/vector.h"

namespace well {

class HandHold;

class HandHoldStep {
 public:
  // Button masks of AcceptClick.
  static constexpr uint32_t kLeftButton = 1;
  static constexpr uint32_t kRightButton = 2;

  explicit HandHoldStep(HandHold* handHold) : handHold_(handHold) {}
  virtual ~HandHoldStep() = default;
  HandHoldStep(const HandHoldStep&) = delete;
  HandHoldStep& operator=(const HandHoldStep&) = delete;

  virtual void Begin() {}
  virtual void End() {}
  virtual void ReservedHook() {}
  virtual void Tick(float) {}
  // Whether the board's own update runs while this step is current.
  virtual bool LetsBoardRun() { return true; }
  // Whether the click may reach the board; held back unless a step says so.
  virtual bool AcceptClick(const math::Vec2&, uint32_t) { return false; }
  virtual bool IsDone() = 0;

  HandHold* GetHandHold() const { return handHold_; }

 protected:
  HandHold* handHold_;
};

}  // namespace well
