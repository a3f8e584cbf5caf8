// A board's effects owner: it owns the board's effect sets, ticks and draws
// them, and holds the screen offset (the board's scroll) by which particle
// effects are shifted so that they stay on their board cells.
#pragma once

#include "core/math/vector.h"

namespace well {

class BaseWell;

class WellSFX {
 public:
  WellSFX(void* owner, BaseWell* board);
  virtual ~WellSFX();
  WellSFX(const WellSFX&) = delete;
  WellSFX& operator=(const WellSFX&) = delete;

  virtual void Tick(float dt);
  virtual void Draw();
  // Before the scrolling board's default draw of its blocks.
  virtual void PreDraw() {}
  virtual void ReservedHook() {}
  virtual void Init() {}
  virtual void AddScore(int points) { (void)points; }

  void* GetOwner() const { return owner_; }
  BaseWell* GetBoard() const { return board_; }
  const math::Vec2& GetOffset() const { return offset_; }
  void SetOffset(const math::Vec2& offset) { offset_ = offset; }

 private:
  void* owner_;
  BaseWell* board_;
  math::Vec2 offset_;
};

}  // namespace well
