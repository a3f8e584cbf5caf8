// The outline records of a shape: paths of straight and quadratic edges.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"

namespace swf {

// A straight edge has its control point equal to its anchor.
struct shape_edge {
  float control_x = 0, control_y = 0;
  float anchor_x = 0, anchor_y = 0;
};

// Style indices are 1-based into the shape's arrays; 0 is none, -1 follows a
// new-styles reset.
struct shape_path {
  int32_t fill0 = 0;  // on the left
  int32_t fill1 = 0;  // on the right
  int32_t line = 0;
  float start_x = 0, start_y = 0;
  dyn_array<shape_edge> edges;
  // Separates two groups of paths made with different style arrays.
  bool new_shape = false;

  bool empty() const { return edges.empty(); }
};

}  // namespace swf
