// A colour transform: per channel (red, green, blue, alpha) a multiplier and
// an addend, applied as c x multiplier + addend clamped to 0..255.
#pragma once

namespace swf {

class bit_stream;
struct rgba_color;

struct color_xform {
  // [channel][0] multiplier, [channel][1] addend.
  float m[4][2] = {{1, 0}, {1, 0}, {1, 0}, {1, 0}};

  constexpr color_xform() = default;

  // The SWF CXFORM record (alpha untouched) and CXFORMWITHALPHA record.
  // Multipliers are stored over 255, so a stored 256 gives 1.0039.
  void read_rgb(bit_stream& in);
  void read_rgba(bit_stream& in);

  // this = this x other: per channel the addend takes the other's addend
  // through this multiplier, then the multipliers multiply.
  void concatenate(const color_xform& other);
  rgba_color transform(const rgba_color& color) const;

 private:
  void read_channels(bit_stream& in, int channels);
};

extern const color_xform identity_cxform;

}  // namespace swf
