// The clocks resting blocks share. A block rests while its tick would only
// turn its animation over; resting blocks of one animation and phase would
// all do the same sums each frame, so one clock does them once, and a block
// that wakes takes its clock back bit for bit.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace ui {
struct SpriteSetEntry;
}

namespace well {

struct RestClock {
  const ui::SpriteSetEntry* entry = nullptr;
  float before = 0.0f;  // the clock before this frame's tick
  float now = 0.0f;
  uint32_t members = 0;
};

class RestClocks {
 public:
  // The clock of the animation at exactly that time, made when there is none.
  RestClock* Join(const ui::SpriteSetEntry* entry, float clock);
  void Leave(RestClock* clock) { --clock->members; }
  // Each clock takes one frame's step; clocks nobody rests on go.
  void Tick(float dt);
  void Clear() { clocks_.clear(); }
  size_t Count() const { return clocks_.size(); }

 private:
  std::vector<std::unique_ptr<RestClock>> clocks_;
  RestClock* lastJoined_ = nullptr;  // joins come in runs on one clock
};

}  // namespace well
