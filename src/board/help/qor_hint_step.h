// A tutorial step that shows a hint and waits for the click it asks for: a
// click of one of its buttons inside its rectangle completes it. Making the
// step clears the hint's shown flag, so the hint shows again.
#pragma once
#include <cstdint>

#include "well/help/hand_hold_step.h"

class QORBoardView;

namespace well {
class Block;
}

class QORHintStep : public well::HandHoldStep {
 public:
  // A block's rectangle is taken this much smaller on each side.
  static constexpr float kInsetX = 0.0025f;
  static constexpr float kInsetY = 0.0033333f;

  QORHintStep(well::HandHold* handHold, QORBoardView* board, int32_t hintId, uint32_t buttonMask,
              const math::Vec2& min, const math::Vec2& max);

  // Borders included; a refused click changes nothing.
  bool AcceptClick(const math::Vec2& point, uint32_t button) override;
  bool IsDone() override { return done_ != 0; }
  // The box closes at once, without sound.
  void End() override;

  uint32_t GetButtonMask() const { return buttonMask_; }
  const math::Vec2& GetRectMin() const { return rectMin_; }
  const math::Vec2& GetRectMax() const { return rectMax_; }
  int32_t GetHintId() const { return hintId_; }

 protected:
  // Shows the hint over the block's screen rectangle less the inset, which
  // becomes the step's; without the block the step is skipped.
  void PointAtBlock(const well::Block* block);
  // Shows the hint over the step's rectangle.
  void ShowHint();
  // Done without a hint, with a warning: the level lacks the step's block.
  void SkipForMissingBlock();

  uint32_t buttonMask_;
  math::Vec2 rectMin_;
  math::Vec2 rectMax_;
  uint8_t done_ = 0;
  QORBoardView* board_;
  int32_t hintId_;
};
