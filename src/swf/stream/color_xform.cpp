#include "swf/stream/color_xform.h"

#include "swf/stream/bit_stream.h"
#include "swf/stream/rgba_color.h"

namespace swf {

const color_xform identity_cxform;

void color_xform::read_channels(bit_stream& in, int channels) {
  in.align_to_byte();
  *this = color_xform();
  const bool has_addends = in.read_bits(1) != 0;
  const bool has_multipliers = in.read_bits(1) != 0;
  const int bits = static_cast<int>(in.read_bits(4));
  if (has_multipliers)
    for (int c = 0; c < channels; ++c) m[c][0] = static_cast<float>(in.read_signed_bits(bits)) / 255.0f;
  if (has_addends)
    for (int c = 0; c < channels; ++c) m[c][1] = static_cast<float>(in.read_signed_bits(bits));
}

void color_xform::read_rgb(bit_stream& in) { read_channels(in, 3); }
void color_xform::read_rgba(bit_stream& in) { read_channels(in, 4); }

void color_xform::concatenate(const color_xform& other) {
  for (int c = 0; c < 4; ++c) {
    m[c][1] += m[c][0] * other.m[c][1];
    m[c][0] *= other.m[c][0];
  }
}

namespace {
uint8_t apply(uint8_t value, const float* channel) {
  const float v = value * channel[0] + channel[1];
  if (v >= 255) return 255;
  if (v <= 0) return 0;
  return static_cast<uint8_t>(v);
}
}  // namespace

rgba_color color_xform::transform(const rgba_color& color) const {
  return rgba_color(apply(color.r, m[0]), apply(color.g, m[1]), apply(color.b, m[2]), apply(color.a, m[3]));
}

}  // namespace swf
