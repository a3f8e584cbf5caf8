// The mummy: it rises beside a mummy nest, follows the explorer over the
// board and, once beside him, casts its magic: he stops, and when the spell
// ends with him still there, the gold around him turns back to cracked sand
// and the mummy sinks away. Matches near it and power 3 banish it. It moves
// on only at the end of its animation cycles (the board calls Think then);
// the step timer only carries it visually from cell to cell. At most one
// exists, held by the board apart from the walkers.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/block.h"
#include "well/well_path.h"

class QORMummy;
class QORBoardView;

// The mummy's way to the explorer: over floor tiles whatever their wear,
// tokens and milestones; never through rocks, nests, start blocks or bare
// floor (type 5).
class QORMummyPath : public well::WellPath {
 public:
  QORMummyPath(QORBoardView* board, const QORMummy& mummy);
  int32_t GetCellCost(int32_t x, int32_t y) override;

 private:
  QORBoardView* board_;
  const QORMummy& mummy_;
};

class QORMummy {
 public:
  enum State : int32_t {
    kAppearing = 0,
    kIdle = 1,
    kDeciding = 2,
    kWalking = 3,
    kCasting = 4,
    kDisappearing = 5,
    kGone = 6,
    kBanished = 7,
  };
  static constexpr float kStepSeconds = 1.5f;
  // 64 x 64 pixels of the 800 x 600 screen.
  static constexpr float kSpriteWidth = 0.08f;
  static constexpr float kSpriteHeight = 0.10666667f;
  // The spell turns the gold back within this many cells of the explorer.
  static constexpr int32_t kSpellReach = 2;
  static constexpr float kBanishBurst = 100.0f;

  // Raises the board's "mummy_hi" cue; stands on (1, 1) until placed.
  explicit QORMummy(QORBoardView* board);
  virtual ~QORMummy();
  QORMummy(const QORMummy&) = delete;
  QORMummy& operator=(const QORMummy&) = delete;

  // The state step, run at the end of each animation cycle.
  void Think();
  // Casts at an explorer standing beside it; true when it did.
  virtual bool Magic();
  // Sinks away from any state, with its cue and a burst of flames.
  void Banish();
  void Draw();
  // Animates; true when the animation finished a cycle.
  bool TickSprite(float dt);
  // The step timer, while it runs.
  void TickStepTimer(float dt);

  // Stands on the cell: current and target.
  void PlaceAt(int32_t x, int32_t y);
  // The current cell's position, moved towards the target by the step's
  // progress while the step timer runs.
  math::Vec2 GetScreenPosition() const;
  // The sprite's top-left corner: centred across the cell, standing on its
  // bottom edge, and eased towards the target (2t - t^2 of the step).
  math::Vec2 GetSpritePosition() const;

  int32_t GetState() const { return state_; }
  const well::Cell& GetCell() const { return cell_; }
  const well::Cell& GetTargetCell() const { return target_; }
  void SetAlpha(float alpha) { alpha_ = alpha; }
  const ui::UISprite& GetSprite() const { return sprite_; }
  const CountdownTimer& GetStepTimer() const { return stepTimer_; }

 private:
  // "left", "Right", "Up" or "Down", by where the target lies.
  const char* StepWord() const;
  void ShowImage(const std::string& prefix, const char* word);
  // Plans towards the explorer, casts beside him, else takes the next step.
  void Decide(const well::Cell& explorer);
  // Gold turns back to cracked sand; the cell flashes either way.
  void RestoreCell(int32_t x, int32_t y);
  // The first-mummy hint over the sprite, once per profile.
  void ShowFirstHint();
  static int32_t Distance(const well::Cell& a, const well::Cell& b);

  QORBoardView* board_;
  float alpha_ = 1.0f;
  int32_t state_ = kAppearing;
  ui::UISprite sprite_;
  well::Cell cell_{1, 1};
  well::Cell target_{1, 1};
  CountdownTimer stepTimer_{kStepSeconds, kStepSeconds};
  uint8_t firstThink_ = 1;
  std::unique_ptr<QORMummyPath> path_;
  well::Cell lastGoal_{-1, -1};
};
