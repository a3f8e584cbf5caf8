// Which instance the mouse is over and which one it pressed, kept between
// steps so that a step can tell buttons what changed.
#pragma once
#include "swf/base/weak_handle.h"

namespace swf {

class movie;

struct mouse_button_state {
  weak_handle<movie> active;   // the instance the mouse went down on or is over
  weak_handle<movie> topmost;  // the instance under the mouse now
  bool was_down = false;
  bool is_down = false;
  bool inside = false;  // the mouse is over the active instance
};

// Sends press, release, release outside, roll over, roll out, drag over and
// drag out to the instances concerned.
void generate_mouse_events(mouse_button_state* state);

}  // namespace swf
