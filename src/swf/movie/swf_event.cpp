#include "swf/movie/swf_event.h"

#include "swf/base/log.h"
#include "swf/script/as_function.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
// The event of each flag bit, from bit 0 up.
const uint8_t kEventOfFlag[18] = {
    swf_event::LOAD,       swf_event::ENTER_FRAME, swf_event::UNLOAD,          swf_event::MOUSE_MOVE,
    swf_event::MOUSE_DOWN, swf_event::MOUSE_UP,    swf_event::KEY_DOWN,        swf_event::KEY_UP,
    swf_event::DATA,       swf_event::INITIALIZE,  swf_event::PRESS,           swf_event::RELEASE,
    swf_event::RELEASE_OUTSIDE, swf_event::ROLL_OVER, swf_event::ROLL_OUT,     swf_event::DRAG_OVER,
    swf_event::DRAG_OUT,   swf_event::INVALID,
};
}  // namespace

void swf_event::read(bit_stream& in, uint32_t flags) {
  if (flags & (flags - 1))
    log_error("error: swf_event::read() -- more than one event type encoded!  unexpected! flags = 0x%x\n", flags);
  for (int bit = 0; bit < 18; ++bit) {
    if (flags & (1u << bit)) {
      event.id = kEventOfFlag[bit];
      break;
    }
  }
  if (flags & kKeyPressFlag) log_error("swf_event::read -- KEY_PRESS found, not handled yet, flags = 0x%x\n", flags);

  const uint32_t length = in.read_uint32();
  const int64_t declared_end = in.tell_offset() + length;
  int64_t key_code_bytes = 0;
  if (flags & kKeyPressFlag) {
    event.key_code = in.read_uint8();  // the key code comes before the actions
    key_code_bytes = 1;
  }
  actions.read(in);
  if (actions.length() + key_code_bytes != static_cast<int64_t>(length)) {
    log_error("error -- swf_event::read(), event_length = %d, but read %d\n", static_cast<int>(length),
              actions.length());
    in.seek_offset(declared_end);
  }
  method.set_as_function(new as_function(&actions, nullptr, 0, actions.length(), dyn_array<with_entry>()));
}

}  // namespace swf
