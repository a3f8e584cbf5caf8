// The process-wide trapezoid tessellator: paths of straight and quadratic
// segments come in, each with its left, right and line style; curves are
// flattened by midpoint subdivision and, when the shape is finished, a sweep
// over the segments sorted by y hands one trapezoid per filled span of every
// horizontal slab to a sink, and the flattened points of every outlined path.
// One shape at a time, main thread only.
#pragma once
#include <cstdint>

namespace swf {

// y0 < y1; the left and right sides at the top and at the bottom.
struct trapezoid {
  float y0, y1;
  float left_x0, left_x1;
  float right_x0, right_x1;
};

class trapezoid_sink {
 public:
  virtual ~trapezoid_sink() = default;
  // `style` is a 0-based fill style index, never negative.
  virtual void take_trapezoid(int style, const trapezoid& t) = 0;
  // `points` holds `count` x, y pairs; count > 1.
  virtual void take_outline(int style, const float* points, int count) = 0;
};

namespace trapezoid_tessellator {

// A tolerance of 0 or below becomes 1.0 twip.
void start_shape(trapezoid_sink* sink, float tolerance);
// Styles are 0-based; -1 and below mean none.
void start_path(int left_style, int right_style, int line_style, float x, float y);
void line_to(float x, float y);
void curve_to(float control_x, float control_y, float anchor_x, float anchor_y);
void finish_path();
// Sweeps when some path of the shape had a fill, then forgets the shape.
void finish_shape();

// The most levels a curve is halved to: 1024 segments an edge at most, far
// more than any visible need, so no scale can make an edge yield millions.
constexpr int kMaxSubdivisionDepth = 10;

}  // namespace trapezoid_tessellator
}  // namespace swf
