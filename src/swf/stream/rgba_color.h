// A colour of four bytes.
#pragma once
#include <cstdint>

namespace swf {

class bit_stream;

struct rgba_color {
  uint8_t r = 255, g = 255, b = 255, a = 255;

  constexpr rgba_color() = default;
  constexpr rgba_color(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) : r(red), g(green), b(blue), a(alpha) {}

  // RGB (alpha 255) or RGBA: shape tags up to type 22 store opaque colours.
  void read(bit_stream& in, int tag_type);
  void read_rgb(bit_stream& in);
  void read_rgba(bit_stream& in);
  // Per channel (integer)(a + (b - a) t + 0.5).
  void set_lerp(const rgba_color& from, const rgba_color& to, float t);
};

}  // namespace swf
