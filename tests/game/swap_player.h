// A player who only swaps, as a newcomer who knows the rules plays: whenever
// the board rests, and no sooner than its pause after its last move, it
// clicks the two blocks of the swap whose line breaks the most floor on the
// explorer's way (the first cells of the way most), stuns the rival and
// banishes the mummy when it can. It sends the explorer to the treasures
// first, then to the exit, by clicking them on the board, or a cell of the
// way when they lie out of view. Every move goes through the board's own
// click path; the board's tiles and blocks are only read.
#pragma once
#include <cstdint>
#include <vector>

#include "core/math/vector.h"
#include "well/block.h"

class QORWell;

namespace game_test {

class SwapPlayer {
 public:
  SwapPlayer(QORWell& board, float pause);
  // One frame: the player's move when one is due, then the board's tick.
  void Play(float dt);
  int32_t GetSwaps() const { return swaps_; }

 private:
  struct Swap {
    well::Cell a;
    well::Cell b;
    float value = 0.0f;
  };

  void Move();
  // Aims the explorer at the nearest treasure left, else at the exit.
  void Steer(const std::vector<well::Cell>& way, const well::Cell& goal);
  // The cheapest way from the explorer to the goal, counting the matches
  // its tiles still need; empty when none leads there.
  std::vector<well::Cell> FindWay(const well::Cell& goal) const;
  well::Cell ChooseGoal() const;
  bool FindSwap(const std::vector<well::Cell>& way, Swap& best) const;
  // What the line a swap makes is worth; 0 when it makes none.
  float Value(const std::vector<int32_t>& colours, const well::Cell& a, const well::Cell& b,
              const std::vector<float>& worth) const;
  // Every cell's worth when a line breaks the tile under it.
  std::vector<float> CellWorth(const std::vector<well::Cell>& way) const;
  std::vector<int32_t> Colours() const;
  bool IsMovable(const well::Cell& cell) const;
  bool IsClickable(const well::Cell& cell) const;
  math::Vec2 PointOf(const well::Cell& cell) const;
  int32_t Index(const well::Cell& cell) const;

  QORWell& board_;
  float pause_;
  float sinceMove_ = 0.0f;
  int32_t swaps_ = 0;
};

}  // namespace game_test
