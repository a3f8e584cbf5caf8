// Bursts of one ".p2d" particle system, placed in board space: drawn less
// the effects owner's offset, so they stay on their cells as the board
// scrolls.
#pragma once
#include <memory>
#include <string>

#include "core/math/vector.h"
#include "well/effects/sfx_set.h"

namespace part2d {
class Part2D;
}

namespace well {

class Part2DSFXSet : public SFXSet {
 public:
  Part2DSFXSet(void* owner, WellSFX* effects);
  ~Part2DSFXSet() override;

  void Draw() override;
  void Tick(float dt) override;
  // A new system from the file, replacing the old one; the load's answer.
  // The file is read on its first load in the process only.
  bool Load(const std::string& file);
  // One particle in every group of the system, `count` times (a float:
  // while i < count).
  void TriggerCount(float count, const math::Vec2& position);
  // The same, each at the position plus a random vector between (0, 0) and
  // the extent.
  void TriggerSpread(float count, const math::Vec2& position, const math::Vec2& extent);

  // Null until loaded.
  part2d::Part2D* GetSystem() const { return system_.get(); }

 private:
  std::unique_ptr<part2d::Part2D> system_;
};

}  // namespace well
