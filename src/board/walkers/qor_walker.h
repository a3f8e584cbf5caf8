// The base of every figure that moves over the game board from cell to
// cell: the critters that come out of the nests and the rival. A walker
// stands on a cell, shows an animated sprite and steps to a target cell over
// the period of its step timer; each time the timer runs out it decides its
// next step (`Think`). The board owns the walkers on its list, ticks and
// draws them, and is the only one that removes and deletes them.
#pragma once
#include <cstdint>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/block.h"

class QORNest;
class QORBoardView;
struct QORTile;

class QORWalker {
 public:
  // What GetType answers; 4 is never used.
  enum Kind : int32_t {
    kNoKind = -1,
    kSpider = 0,
    kShady = 1,
    kCobra = 2,
    kScorpion = 3,
    kLocust = 5,
    kScarab = 6,
  };

  QORWalker(QORBoardView* board, QORNest* nest);
  virtual ~QORWalker();
  QORWalker(const QORWalker&) = delete;
  QORWalker& operator=(const QORWalker&) = delete;

  virtual void Draw();
  // The animation and the step timer; Think when the timer runs out, with
  // the cell just reached as the target and the cell left as the current.
  virtual void Tick(float dt);
  virtual void Think() = 0;
  virtual int32_t GetType() const { return kNoKind; }
  virtual math::Vec2 GetDrawOffset() const { return math::Vec2(0.0f, 0.0f); }
  // Whether a match beside it kills it.
  virtual bool CanBeKilled() const { return true; }
  // The board takes it off: the nest that released it forgets it.
  virtual void OnRemoved();
  // Attacks an explorer standing beside it; true when it did.
  virtual bool TryAttack() { return false; }

  // On the screen: the current cell's position, moved towards the target
  // by the step's progress while the step timer runs.
  math::Vec2 GetScreenPosition() const;
  // The sprite's top-left corner: centred across the cell, standing on its
  // bottom edge.
  math::Vec2 GetSpritePosition() const;

  // Stands on the cell: current and target.
  void PlaceAt(int32_t x, int32_t y);
  const well::Cell& GetCell() const { return cell_; }
  const well::Cell& GetTargetCell() const { return target_; }
  float GetAlpha() const { return alpha_; }
  void SetAlpha(float alpha) { alpha_ = alpha; }
  int32_t GetTurnSense() const { return turnSense_; }
  void SetTurnSense(int32_t sense) { turnSense_ = sense; }
  bool IsDone() const { return done_ != 0; }
  QORNest* GetNest() const { return nest_; }
  // The nest goes first: the walker no longer tells it anything.
  void ForgetNest() { nest_ = nullptr; }
  CountdownTimer& GetStepTimer() { return stepTimer_; }
  const ui::UISprite& GetSprite() const { return sprite_; }
  QORBoardView* GetBoard() const { return board_; }

 protected:
  // The image by name, whole texture, native size, blended normally; the
  // image shown already keeps running.
  void ShowImage(const std::string& name);
  // The first thing every Think does: the cell reached becomes the current.
  void Arrive() { cell_ = target_; }
  // Both the period and what remains of it.
  void SetPace(float seconds) { stepTimer_.period = stepTimer_.remaining = seconds; }
  // White at the walker's alpha.
  uint32_t GetColour() const { return ColourAt(alpha_); }
  static uint32_t ColourAt(float alpha);
  // The tile of a cell, null off the board.
  QORTile* TileAt(int32_t x, int32_t y) const;
  // A plain token (block type 0) stands on the cell.
  bool HasToken(int32_t x, int32_t y) const;
  bool IsExplorerAt(int32_t x, int32_t y) const;
  // One cell's size on the screen.
  math::Vec2 GetCellSize() const;
  static void PlaySet(const char* name);

  float alpha_ = 1.0f;
  int32_t turnSense_ = 1;
  well::Cell cell_;
  well::Cell target_;
  ui::UISprite sprite_;
  CountdownTimer stepTimer_{1.0f, 1.0f};
  QORBoardView* board_;
  QORNest* nest_;
  uint8_t done_ = 0;
};
