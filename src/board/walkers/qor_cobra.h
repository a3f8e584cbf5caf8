// The cobra: stands in the middle of its nest for the rest of the level and
// strikes the explorer whenever he comes within the 4 x 4 cells centred on
// the nest, which sends him back to the entrance. Matches do not kill it.
#pragma once
#include <cstdint>

#include "board/walkers/qor_walker.h"

class QORCobra : public QORWalker {
 public:
  static constexpr float kPace = 0.5f;

  explicit QORCobra(QORBoardView* board);

  void Think() override;
  int32_t GetType() const override { return kCobra; }
  math::Vec2 GetDrawOffset() const override { return GetCellSize() * 0.5f; }
  bool CanBeKilled() const override { return false; }
};
