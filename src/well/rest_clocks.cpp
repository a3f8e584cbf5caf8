#include "well/rest_clocks.h"

#include <algorithm>
#include <cstring>

#include "render/sprites/sprite_set.h"

namespace well {

namespace {

// The same bits: a clock one rounding apart would show another frame.
bool SameTime(float a, float b) { return std::memcmp(&a, &b, sizeof(float)) == 0; }

}  // namespace

RestClock* RestClocks::Join(const ui::SpriteSetEntry* entry, float clock) {
  auto matches = [entry, clock](const RestClock* c) { return c->entry == entry && SameTime(c->now, clock); };
  RestClock* found = lastJoined_ && matches(lastJoined_) ? lastJoined_ : nullptr;
  if (!found) {
    auto it = std::find_if(clocks_.begin(), clocks_.end(), [&matches](const auto& c) { return matches(c.get()); });
    if (it != clocks_.end()) {
      found = it->get();
    } else {
      clocks_.push_back(std::make_unique<RestClock>());
      found = clocks_.back().get();
      found->entry = entry;
      found->before = found->now = clock;
    }
  }
  ++found->members;
  lastJoined_ = found;
  return found;
}

void RestClocks::Tick(float dt) {
  clocks_.erase(std::remove_if(clocks_.begin(), clocks_.end(), [](const auto& c) { return c->members == 0; }),
                clocks_.end());
  lastJoined_ = nullptr;
  for (const auto& c : clocks_) {
    c->before = c->now;
    c->entry->Advance(c->now, dt);
  }
}

}  // namespace well
