// A clip event of a placement: which event, and the actions it runs.
#pragma once
#include <cstdint>

#include "swf/action/action_buffer.h"
#include "swf/script/as_variant.h"

namespace swf {

class bit_stream;

// An event id: the event of the player's enumeration and, for a key press,
// the key code.
struct event_id {
  uint8_t id = 0;
  uint8_t key_code = 0;
};

class swf_event {
 public:
  enum : uint8_t { INVALID = 0, PRESS = 1, RELEASE = 2, RELEASE_OUTSIDE = 3, ROLL_OVER = 4, ROLL_OUT = 5,
                   DRAG_OVER = 6, DRAG_OUT = 7, KEY_PRESS = 8, INITIALIZE = 9, LOAD = 10, UNLOAD = 11,
                   ENTER_FRAME = 12, MOUSE_DOWN = 13, MOUSE_UP = 14, MOUSE_MOVE = 15, KEY_DOWN = 16, KEY_UP = 17,
                   DATA = 18, LOAD_START = 19, LOAD_ERROR = 20, LOAD_PROGRESS = 21, LOAD_INIT = 22,
                   SOCK_CLOSE = 23, SOCK_CONNECT = 24, SOCK_XML = 25, XML_LOAD = 26, XML_DATA = 27, TIMER = 28,
                   EVENT_COUNT = 29 };
  static constexpr uint32_t kKeyPressFlag = 1u << 17;

  // Reads the event record that follows its flags.
  void read(bit_stream& in, uint32_t flags);

  event_id event;
  action_buffer actions;
  // A script function over the actions, run in its caller's context.
  as_variant method;
};

}  // namespace swf
