// The scorpion: walks straight runs of 2 to 5 cells over plain tokens,
// turning in place with a little jump between runs, and stings an explorer
// beside it once it has lived 2 s, which sends him back to the entrance.
#pragma once
#include <cstdint>
#include <string>

#include "board/walkers/qor_walker.h"

class QORScorpion : public QORWalker {
 public:
  static constexpr float kPace = 2.0f;
  // How long it lives before its first sting.
  static constexpr float kFirstSting = 2.0f;

  QORScorpion(QORBoardView* board, QORNest* nest);

  void Tick(float dt) override;
  void Think() override;
  int32_t GetType() const override { return kScorpion; }
  math::Vec2 GetDrawOffset() const override;
  bool TryAttack() override;

  // Free of anything that stops it: a plain token on floor that is neither
  // void nor bare, not the explorer's cell or the cell he steps to, and no
  // other walker.
  bool CanEnter(int32_t x, int32_t y) const;
  bool IsTurning() const { return turning_ != 0; }

 private:
  // "_left", "_right", "_down" or "_up" for the step.
  static std::string Suffix(int32_t dx, int32_t dy);
  // A new run in a random open direction, or none; it turns in place.
  void ChooseWalk();

  int32_t dx_ = 0;
  int32_t dy_ = -1;
  int32_t stepsLeft_ = 0;
  uint8_t turning_ = 0;
  float attackClock_ = 0.0f;
};
