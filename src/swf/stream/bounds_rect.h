// A rectangle in twips.
#pragma once

namespace swf {

class bit_stream;
struct matrix2x3;
struct point2;

struct bounds_rect {
  float x_min = 0, x_max = 0, y_min = 0, y_max = 0;

  // The SWF RECT record.
  void read(bit_stream& in);

  // Edges included.
  bool contains(float x, float y) const;
  void expand_to_point(float x, float y);
  // 0 (x_min, y_min), 1 (x_max, y_min), 2 (x_max, y_max), 3 (x_min, y_max).
  point2 corner(int i) const;
  // The bounds of `r` transformed by `m`.
  void enclose_transformed_rect(const matrix2x3& m, const bounds_rect& r);
  void set_lerp(const bounds_rect& a, const bounds_rect& b, float t);
};

}  // namespace swf
