// The base of every block on a board: its colour and state, its size in
// cells, the cell it occupies and the cell it slides to, its sprite, tint and
// a repeating timer. A block slides smoothly between cells at the board's move
// speed, tests whether it can fall, draws itself plainly, clipped or through
// a sprite batch, and offers hooks that game blocks fill in.
#pragma once
#include <cstdint>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/block_names.h"

namespace ui {
class SpriteBatch;
}

namespace well {

class BaseWell;
struct RestClock;

struct Cell {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
  bool operator!=(const Cell& other) const { return !(*this == other); }
};

class Block {
 public:
  explicit Block(BaseWell* board);
  virtual ~Block();
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;

  // (Re)loads the image for the current state and colour.
  virtual void Init() = 0;
  // The name the board file writes as Type.
  virtual std::string GetTypeName() = 0;
  virtual void Draw(const math::Vec2& position);
  // At GetScreenPosition, unclipped into the first batch.
  virtual void AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch& overlay);
  // Whole when it lies inside the clip rectangle, else only its part inside.
  virtual void DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax);
  virtual void AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch& overlay, const math::Vec2& clipMin,
                                 const math::Vec2& clipMax);
  // Animation, slide and timer; answers whether the block is still sliding.
  virtual bool Tick(float dt);
  virtual void SetSize(int32_t width, int32_t height);
  // The board put the block on a cell.
  virtual void OnPlaced() {}
  // Called by SetDestroyed and again when the board takes the block off.
  virtual void OnDestroyed() {}
  // Strikes the block below in turn.
  virtual void OnStruck();
  // A slide ended: falls on when it can, then strikes the block below.
  virtual void OnArrived();
  virtual void ReservedHook() {}
  virtual void OnTimer() {}
  virtual void OnAnimationEnd() {}
  virtual void SetSelected();
  virtual void SetStanding();
  virtual void SetColor(int32_t color);
  // Colour "any" on either side matches.
  virtual bool ColorMatches(int32_t color);
  virtual void SetState(int32_t state);
  // Starts a fall of one row when every cell below the block is free.
  virtual void FallTest();
  virtual void SetDestroyed();
  virtual float ReservedValue1() { return 0.0f; }
  virtual float ReservedValue2() { return 1.0f; }
  virtual float ReservedValue3() { return 0.0f; }
  virtual float ReservedValue4() { return 1.0f; }
  virtual bool ReservedFlag() { return true; }
  // True when a cycle end of its animation changes nothing in the block's
  // present state; the board still ticks the block under the pointer in full.
  virtual bool IgnoresCycleEnd() const { return false; }

  // A tick would only turn its animation over: alive, not sliding, no timer,
  // an animation of the sprite set with no owner to tell, and a cycle end
  // that changes nothing.
  bool CanRest() const;
  // The board ticks a resting block again; anything that changes the block
  // wakes it first.
  void Wake();
  RestClock* GetRestClock() const { return rest_; }
  // The board's: the shared clock the block rests on, null when awake.
  void SetRestClock(RestClock* clock) { rest_ = clock; }

  // The cell the block rests on or slides to.
  Cell GetCell() const { return target_; }
  // The cell whose grid entry holds the block; (-1, -1) before it was first placed.
  Cell GetOccupiedCell() const { return cell_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  const math::Vec2& GetDrawSize() const { return drawSize_; }
  // The board's CellToScreen of the occupied cell, plus slide and draw offsets.
  math::Vec2 GetScreenPosition() const;
  void DrawClippedAtOwnPosition(const math::Vec2& clipMin, const math::Vec2& clipMax);

  // Starts a slide to (x, y) when that cell is empty or holds this block;
  // answers the block the board reports there.
  Block* MoveTo(int32_t x, int32_t y);
  // Lands on (x, y) at once: the slide ends, and a block that had a cell
  // tells the board it moved.
  void SetCell(int32_t x, int32_t y);
  void SetErased();

  BaseWell* GetBoard() const { return board_; }
  int32_t GetColor() const { return color_; }
  int32_t GetState() const { return state_; }
  bool IsSliding() const { return sliding_ != 0; }
  bool IsDead() const { return state_ == kStateDestroyed || state_ == kStateErased; }
  uint32_t GetTint() const { return tint_; }
  void SetTint(uint32_t tint) { tint_ = tint; }
  const math::Vec2& GetSlideOffset() const { return slideOffset_; }
  const math::Vec2& GetDrawOffset() const { return drawOffset_; }
  void SetDrawOffset(const math::Vec2& offset) { drawOffset_ = offset; }
  bool HasImage() const { return sprite_.HasImage(); }
  ui::UISprite& GetSprite() {
    Wake();
    return sprite_;
  }
  const ui::UISprite& GetSprite() const { return sprite_; }
  // Off while its period is 0 or below.
  CountdownTimer& GetTimer() {
    Wake();
    return timer_;
  }

 protected:
  // Sets the sprite where and as the block draws.
  void PlaceSprite(const math::Vec2& position);
  bool FitsInside(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) const;
  // OnStruck of the block on the cell below this one, if any.
  void StrikeBlockBelow();
  // Moves the slide offset by `step` towards `distance` on one axis; true
  // when that axis has arrived.
  static bool SlideAxis(float distance, float step, float& offset);

  BaseWell* board_;
  int32_t color_ = kColorRed;
  int32_t state_ = kStateStand;
  int32_t width_ = 1;
  int32_t height_ = 1;
  math::Vec2 drawSize_;
  uint8_t sliding_ = 0;
  uint32_t tint_ = 0xFFFFFFFFu;
  Cell cell_{-1, -1};
  Cell target_{0, 0};
  math::Vec2 slideOffset_;
  math::Vec2 drawOffset_;
  ui::UISprite sprite_;
  CountdownTimer timer_{-1.0f, -1.0f};
  RestClock* rest_ = nullptr;
};

}  // namespace well
