// A tag kept in a frame's list and run when a timeline reaches (or seeks
// over) the frame: placements, removals, the background colour, actions.
#pragma once
#include <cstdint>

namespace swf {

class movie;

class display_tag {
 public:
  virtual ~display_tag() = default;
  virtual void run(movie* m) { (void)m; }
  // Only the display state, when a timeline seeks.
  virtual void run_state(movie* m) { (void)m; }
  virtual void run_state_backwards(movie* m, int frame) {
    (void)frame;
    run_state(m);
  }
  virtual bool is_removal() const { return false; }
  virtual bool holds_actions() const { return false; }
  // (depth << 16) | character id for a tag that places a character, else -1.
  virtual uint32_t placement_key() const { return 0xFFFFFFFFu; }
};

}  // namespace swf
