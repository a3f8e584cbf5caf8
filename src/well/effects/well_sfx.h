// A board's effects owner: it owns the board's effect sets, ticks and draws
// them in the order they were added, and holds the offset (the board's
// scroll) that particle and coin effects subtract, so that they stay on
// their board cells while the board scrolls.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/math/vector.h"
#include "well/effects/sfx_set.h"

namespace well {

class BaseWell;

class WellSFX {
 public:
  WellSFX(void* owner, BaseWell* board);
  // Deletes every set.
  virtual ~WellSFX();
  WellSFX(const WellSFX&) = delete;
  WellSFX& operator=(const WellSFX&) = delete;

  // Each set in list order.
  virtual void Tick(float dt);
  virtual void Draw();
  // Drawn by the scrolling board before its blocks.
  virtual void PreDraw() {}
  virtual void ReservedHook() {}
  // Where a derived owner makes its sets.
  virtual void Init() {}
  virtual void AddScore(int32_t /*points*/) {}

  // Appends the set, drawn over those before it, and answers it.
  template <typename Set>
  Set* AddSet(std::unique_ptr<Set> set) {
    Set* added = set.get();
    sets_.push_back(std::move(set));
    return added;
  }
  const std::vector<std::unique_ptr<SFXSet>>& GetSets() const { return sets_; }

  BaseWell* GetBoard() const { return board_; }
  void* GetOwner() const { return owner_; }
  const math::Vec2& GetOffset() const { return offset_; }
  void SetOffset(const math::Vec2& offset) { offset_ = offset; }

 private:
  void* owner_;
  std::vector<std::unique_ptr<SFXSet>> sets_;
  BaseWell* board_;
  math::Vec2 offset_{0.0f, 0.0f};
};

}  // namespace well
