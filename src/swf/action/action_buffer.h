// A block of ActionScript byte code as a tag holds it: the actions exactly
// as read, up to and including the End action.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"

namespace swf {

class bit_stream;

class action_buffer {
 public:
  // Appends actions until one whose code is 0 has been appended (or the data
  // stops): the code, and for codes of 0x80 and up the two length bytes and
  // that many bytes of data.
  void read(bit_stream& in);

  int32_t length() const { return bytes_.size(); }
  const dyn_array<uint8_t>& bytes() const { return bytes_; }

 private:
  dyn_array<uint8_t> bytes_;
};

}  // namespace swf
