#include "swf/stream/rgba_color.h"

#include "swf/stream/bit_stream.h"

namespace swf {

void rgba_color::read(bit_stream& in, int tag_type) {
  if (tag_type <= 22) {
    read_rgb(in);
  } else {
    read_rgba(in);
  }
}

void rgba_color::read_rgb(bit_stream& in) {
  r = in.read_uint8();
  g = in.read_uint8();
  b = in.read_uint8();
  a = 255;
}

void rgba_color::read_rgba(bit_stream& in) {
  read_rgb(in);
  a = in.read_uint8();
}

namespace {
uint8_t lerp_channel(uint8_t a, uint8_t b, float t) { return static_cast<uint8_t>(a + (b - a) * t + 0.5f); }
}  // namespace

void rgba_color::set_lerp(const rgba_color& from, const rgba_color& to, float t) {
  r = lerp_channel(from.r, to.r, t);
  g = lerp_channel(from.g, to.g, t);
  b = lerp_channel(from.b, to.b, t);
  a = lerp_channel(from.a, to.a, t);
}

}  // namespace swf
