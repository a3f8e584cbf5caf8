// A hint over a group of blocks, fixed in board units when the step is
// made; any click anywhere completes it.
#pragma once
#include "board/help/qor_hint_step.h"

class QORAreaHintStep : public QORHintStep {
 public:
  // From block A's cell to block B's cell and one cell more.
  QORAreaHintStep(QORBoardView* board, well::HandHold* handHold, int32_t hintId, well::Block* a, well::Block* b);
  // The block's own rectangle.
  QORAreaHintStep(QORBoardView* board, well::HandHold* handHold, int32_t hintId, well::Block* block);

  // Shows the hint over the area as the view stands now; without the
  // blocks the step is done at once, with a warning.
  void Begin() override;
  bool AcceptClick(const math::Vec2&, uint32_t) override {
    done_ = 1;
    return true;
  }

  bool HasArea() const { return hasArea_ != 0; }
  const math::Vec2& GetAreaMin() const { return areaMin_; }
  const math::Vec2& GetAreaMax() const { return areaMax_; }

 private:
  math::Vec2 areaMin_;
  math::Vec2 areaMax_;
  uint8_t hasArea_ = 0;
};
