#include "swf/action/action_buffer.h"

#include "swf/stream/bit_stream.h"

namespace swf {

void action_buffer::read(bit_stream& in) {
  for (;;) {
    uint8_t code;
    if (in.read_bytes(&code, 1) == 0) {
      bytes_.push_back(0);  // the data stopped: end the actions there
      return;
    }
    bytes_.push_back(code);
    if (code == 0) return;
    if (code < 0x80) continue;
    uint8_t length_bytes[2];
    in.read_bytes(length_bytes, 2);
    bytes_.push_back(length_bytes[0]);
    bytes_.push_back(length_bytes[1]);
    const int length = length_bytes[0] | length_bytes[1] << 8;
    const int32_t start = bytes_.size();
    bytes_.resize(start + length);
    if (in.read_bytes(&bytes_[start], length) < length) {
      bytes_.push_back(0);
      return;
    }
  }
}

}  // namespace swf
