// The explorer the player guides to the exit. He walks cell by cell along
// his route over gold floor towards the goal the player picks, plans again
// whenever the board changes, waits on webs, is knocked out by critters
// (and then starts again beside the entrance), and wins the level on any
// cell of the exit tomb.
#pragma once
#include <cstdint>
#include <memory>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/block.h"

class QORPathFind;
class QORBoardView;

class QORExplorer {
 public:
  // 64 x 64 pixels of the 800 x 600 screen.
  static constexpr float kSpriteWidth = 0.08f;
  static constexpr float kSpriteHeight = 0.10666667f;
  // A step down or up takes half as long as a step sideways.
  static constexpr float kVerticalStep = 0.5f;
  static constexpr float kSideStep = 1.0f;
  static constexpr float kKnockOutSeconds = 1.0f;
  // Particles of the goal marker's burst.
  static constexpr float kGoalBurst = 30.0f;

  // Standing on (1, 1).
  explicit QORExplorer(QORBoardView* board);
  ~QORExplorer();
  QORExplorer(const QORExplorer&) = delete;
  QORExplorer& operator=(const QORExplorer&) = delete;

  // A new route sized to the board; the board calls it at level start.
  void InitVariables();
  // Plans the way to the goal; when he stands, he sets off at once.
  void SetGoal(int32_t x, int32_t y);
  // Plans again to the route's goal, over the board as it is now.
  void RebuildPath();
  // A critter's strike: he stops, and after 1 s starts again beside the entrance.
  void KnockOut();
  void SetIdle();
  // The power gesture; he stops where he stands.
  void PlayPowerAnimation();
  void Tick(float dt);
  // The route, then the figure.
  void Draw();
  // The end of a step: finds treasures, tears through rocks, takes the next
  // step unless a critter near him stopped him, and wins on the exit.
  void OnArrive();
  // Starts the step to a neighbour (a sideways step when both differ), or
  // stands for a step period when given his own cell.
  void StepTowards(int32_t x, int32_t y);
  // Stands on the cell at once.
  void PlaceAt(int32_t x, int32_t y);

  math::Vec2 GetScreenPosition() const;
  // In board space: not shifted by the scroll.
  math::Vec2 GetBoardPosition() const;
  // Where the figure is drawn: centred on the cell, standing on its floor.
  math::Vec2 GetSpritePosition() const;

  QORBoardView* GetBoard() const { return board_; }
  well::Cell GetCell() const { return cell_; }
  well::Cell GetTargetCell() const { return target_; }
  well::Cell GetGoal() const { return goal_; }
  bool IsKnockedOut() const { return knockedOut_ != 0; }
  const CountdownTimer& GetStepTimer() const { return stepTimer_; }
  QORPathFind* GetRoute() const { return route_.get(); }
  void SetAlpha(float alpha) { alpha_ = alpha; }

 private:
  void ShowAnimation(const char* name) { sprite_.LoadImage(name); }
  // The point between the cell's position and the target's by the step's progress.
  math::Vec2 Interpolate(const math::Vec2& from, const math::Vec2& to) const;
  math::Vec2 BoardPositionOf(const well::Cell& cell) const;
  bool IsOnExit() const;

  QORBoardView* board_;
  ui::UISprite sprite_;
  math::Vec2 drawOffset_;
  well::Cell cell_{1, 1};
  float alpha_ = 1.0f;
  well::Cell target_{1, 1};
  CountdownTimer stepTimer_{kSideStep, kSideStep};
  std::unique_ptr<QORPathFind> route_;
  well::Cell goal_{0, 0};
  uint8_t knockedOut_ = 0;
  // Set when a critter stops him or knocks him out.
  uint8_t halted_ = 0;
  CountdownTimer knockOutTimer_{kKnockOutSeconds, kKnockOutSeconds};
};
