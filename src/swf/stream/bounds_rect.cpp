#include "swf/stream/bounds_rect.h"

#include "swf/stream/bit_stream.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/point2.h"

namespace swf {

void bounds_rect::read(bit_stream& in) {
  in.align_to_byte();
  const int bits = static_cast<int>(in.read_bits(5));
  x_min = static_cast<float>(in.read_signed_bits(bits));
  x_max = static_cast<float>(in.read_signed_bits(bits));
  y_min = static_cast<float>(in.read_signed_bits(bits));
  y_max = static_cast<float>(in.read_signed_bits(bits));
}

bool bounds_rect::contains(float x, float y) const { return x >= x_min && x <= x_max && y >= y_min && y <= y_max; }

void bounds_rect::expand_to_point(float x, float y) {
  if (x < x_min) x_min = x;
  if (x > x_max) x_max = x;
  if (y < y_min) y_min = y;
  if (y > y_max) y_max = y;
}

point2 bounds_rect::corner(int i) const {
  switch (i & 3) {
    case 0: return {x_min, y_min};
    case 1: return {x_max, y_min};
    case 2: return {x_max, y_max};
    default: return {x_min, y_max};
  }
}

void bounds_rect::enclose_transformed_rect(const matrix2x3& m, const bounds_rect& r) {
  const point2 first = m.transform(r.corner(0));
  x_min = x_max = first.x;
  y_min = y_max = first.y;
  for (int i = 1; i < 4; ++i) {
    const point2 p = m.transform(r.corner(i));
    expand_to_point(p.x, p.y);
  }
}

void bounds_rect::set_lerp(const bounds_rect& a, const bounds_rect& b, float t) {
  x_min = a.x_min + (b.x_min - a.x_min) * t;
  x_max = a.x_max + (b.x_max - a.x_max) * t;
  y_min = a.y_min + (b.y_min - a.y_min) * t;
  y_max = a.y_max + (b.y_max - a.y_max) * t;
}

}  // namespace swf
