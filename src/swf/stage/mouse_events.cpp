#include "swf/stage/mouse_events.h"

#include "swf/base/counted_ptr.h"
#include "swf/movie/swf_event.h"
#include "swf/script/movie.h"

namespace swf {
namespace {
void send(movie* target, uint8_t event) {
  if (target) target->on_button_event(event_id{event, 0});
}
}  // namespace

void generate_mouse_events(mouse_button_state* state) {
  // Held for the step: an event's actions may drop the last other reference.
  counted_ptr<movie> active(state->active.get());
  counted_ptr<movie> topmost(state->topmost.get());

  if (state->was_down) {
    if ((!active || active->wants_mouse_events()) && topmost && topmost != active &&
        topmost->wants_mouse_events()) {
      active = topmost;
      send(active.get(), swf_event::DRAG_OVER);
      state->inside = true;
    }
    if (state->inside && topmost != active) {
      send(active.get(), swf_event::DRAG_OUT);
      state->inside = false;
    } else if (!state->inside && topmost == active) {
      send(active.get(), swf_event::DRAG_OVER);
      state->inside = true;
    }
    if (!state->is_down) {
      state->was_down = false;
      if (active) {
        if (state->inside) {
          send(active.get(), swf_event::RELEASE);
        } else if (!active->wants_mouse_events()) {
          send(active.get(), swf_event::RELEASE_OUTSIDE);
        }
      }
    }
  } else {
    if (topmost != active) {
      send(active.get(), swf_event::ROLL_OUT);
      active = topmost;
      send(active.get(), swf_event::ROLL_OVER);
      state->inside = true;
    }
    if (state->is_down) {
      send(active.get(), swf_event::PRESS);
      state->inside = true;
      state->was_down = true;
    }
  }
  state->active = active.get();
  state->topmost = topmost.get();
}

}  // namespace swf
