// The rival, who races the explorer to the exit over any floor, whatever
// stands on it. He waits 5 s at the start; after that his pace follows how
// far ahead of the explorer he is, so the race stays close. A match beside
// him stuns him for 2.5 s; the explorer walking into him turns gold back;
// reaching the exit's lower-left cell first loses the level.
#pragma once
#include <cstdint>
#include <memory>

#include "board/walkers/qor_walker.h"
#include "well/well_path.h"

// Every floor cell is open to the rival; blocks do not matter.
class QORShadyPath : public well::WellPath {
 public:
  explicit QORShadyPath(QORBoardView* board);
  int32_t GetCellCost(int32_t x, int32_t y) override;

 private:
  QORBoardView* board_;
};

class QORShady : public QORWalker {
 public:
  static constexpr float kStartWait = 5.0f;
  static constexpr float kStunSeconds = 2.5f;
  static constexpr float kFirstStep = 3.0f;

  // Floods his path from the exit, or warns that the board has none.
  explicit QORShady(QORBoardView* board);
  ~QORShady() override;

  void Tick(float dt) override;
  void Think() override;
  int32_t GetType() const override { return kShady; }
  bool CanBeKilled() const override { return false; }
  // The explorer on his cell: gold turns back; he is not stopped.
  bool TryAttack() override;

  // A match beside him: he stands for the seconds (the board's 2.5).
  void Stun(float seconds = kStunSeconds);
  bool IsStunned() const { return !stunTimer_.IsExpired(); }
  // The exit tomb's lower-left cell; false without an exit.
  bool GetExitGoal(well::Cell& goal) const;

 private:
  // The seconds a cell takes by how near he is to the exit against the explorer.
  static float PaceFor(int32_t shadyDistance, int32_t explorerDistance);

  std::unique_ptr<QORShadyPath> path_;
  CountdownTimer stunTimer_{kStartWait, kStartWait};
};
