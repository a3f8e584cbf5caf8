// Reads the data of one action without passing its end: reads beyond it
// give 0 (texts null) and mark the data as overrun.
#pragma once
#include <cstdint>
#include <cstring>

namespace swf {

class action_data {
 public:
  action_data(const uint8_t* begin, const uint8_t* end) : at_(begin), end_(end) {}

  bool overrun() const { return overrun_; }
  bool at_end() const { return at_ >= end_; }

  uint8_t read_u8() { return take(1) ? at_[-1] : 0; }
  uint16_t read_u16() { return take(2) ? static_cast<uint16_t>(at_[-2] | at_[-1] << 8) : 0; }
  uint32_t read_u32() {
    if (!take(4)) return 0;
    return static_cast<uint32_t>(at_[-4]) | static_cast<uint32_t>(at_[-3]) << 8 |
           static_cast<uint32_t>(at_[-2]) << 16 | static_cast<uint32_t>(at_[-1]) << 24;
  }
  // A zero-terminated text inside the data, or null when it runs past it.
  const char* read_text() {
    const void* zero = at_ < end_ ? std::memchr(at_, 0, static_cast<size_t>(end_ - at_)) : nullptr;
    if (!zero) {
      overrun_ = true;
      at_ = end_;
      return nullptr;
    }
    const char* text = reinterpret_cast<const char*>(at_);
    at_ = static_cast<const uint8_t*>(zero) + 1;
    return text;
  }

 private:
  bool take(int n) {
    if (end_ - at_ < n) {
      overrun_ = true;
      at_ = end_;
      return false;
    }
    at_ += n;
    return true;
  }

  const uint8_t* at_;
  const uint8_t* end_;
  bool overrun_ = false;
};

}  // namespace swf
