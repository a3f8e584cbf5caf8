#include "swf/geometry/trapezoid_tessellator.h"

#include <algorithm>
#include <cmath>

#include "swf/base/dyn_array.h"
#include "swf/stream/point2.h"

namespace swf {
namespace trapezoid_tessellator {
namespace {

// Stored with begin y <= end y.
struct fill_segment {
  float begin_x, begin_y, end_x, end_y;
  int32_t left_style, right_style, line_style;

  float height() const { return end_y - begin_y; }
};

struct tessellator_state {
  trapezoid_sink* sink = nullptr;
  dyn_array<fill_segment> segments;
  dyn_array<float> points;  // x, y pairs of the current path
  float tolerance = 1.0f;
  int32_t left_style = -1, right_style = -1, line_style = -1;
  bool fill_seen = false;
  bool line_seen = false;
  point2 last;
};

tessellator_state& state() {
  static tessellator_state s;
  return s;
}

bool by_top_then_height(const fill_segment& a, const fill_segment& b) {
  if (a.begin_y != b.begin_y) return a.begin_y < b.begin_y;
  return a.height() < b.height();
}

bool by_left_then_bottom(const fill_segment& a, const fill_segment& b) {
  if (a.begin_x != b.begin_x) return a.begin_x < b.begin_x;
  return a.end_x < b.end_x;
}

// Cuts segments [i, j) at y1 and emits the slab [y0, y1] between them.
void cut_slab(int32_t i, int32_t j, float y0, float y1) {
  if (y0 == y1) return;
  tessellator_state& s = state();
  dyn_array<fill_segment> slab;
  for (int32_t k = i; k < j; ++k) {
    fill_segment& segment = s.segments[k];
    const float height = segment.height();
    const float f = height > 0 ? (y1 - segment.begin_y) / height : 1.0f;
    const float x = segment.begin_x + f * (segment.end_x - segment.begin_x);
    fill_segment piece = segment;
    piece.end_x = x;
    piece.end_y = y1;
    slab.push_back(piece);
    segment.begin_x = x;
    segment.begin_y = y1;
  }
  std::sort(slab.begin(), slab.end(), by_left_then_bottom);
  // A slab opened by a segment with only a right style is filled from the
  // right styles throughout. Any negative style is none: a path after a
  // style reset comes with -2.
  const bool use_right = slab[0].left_style < 0 && slab[0].right_style >= 0;
  for (int32_t k = 0; k + 1 < slab.size(); ++k) {
    const fill_segment& left = slab[k];
    const fill_segment& right = slab[k + 1];
    const int32_t style = use_right ? left.right_style : left.left_style;
    if (style < 0) continue;
    s.sink->take_trapezoid(style, {left.begin_y, left.end_y, left.begin_x, left.end_x, right.begin_x, right.end_x});
  }
}

void sweep() {
  dyn_array<fill_segment>& segments = state().segments;
  const int32_t count = segments.size();
  std::sort(segments.begin(), segments.end(), by_top_then_height);
  int32_t i = 0;
  while (i < count) {
    const float y0 = segments[i].begin_y;
    int32_t j = i + 1;
    while (j < count && !(segments[j].begin_y > y0)) ++j;
    std::sort(segments.begin() + i, segments.begin() + j, by_top_then_height);
    if (j < count && segments[i].end_y > segments[j].begin_y) {
      cut_slab(i, j, y0, segments[j].begin_y);
      continue;
    }
    const float y1 = segments[i].end_y;
    cut_slab(i, j, y0, y1);
    // Segment i ends at y1 by construction; stepping over it first keeps the
    // sweep moving even on a coordinate that compares with nothing.
    ++i;
    while (i < count && segments[i].end_y <= y1) ++i;
  }
}

void flatten(point2 p, point2 c, point2 a, int depth) {
  const point2 m{(p.x + a.x) / 2, (p.y + a.y) / 2};
  const point2 q{(m.x + c.x) / 2, (m.y + c.y) / 2};
  if (depth < kMaxSubdivisionDepth && std::fabs(m.x - q.x) + std::fabs(m.y - q.y) >= state().tolerance) {
    flatten(p, {(p.x + c.x) / 2, (p.y + c.y) / 2}, q, depth + 1);
    flatten(q, {(c.x + a.x) / 2, (c.y + a.y) / 2}, a, depth + 1);
    return;
  }
  line_to(a.x, a.y);
}

}  // namespace

void start_shape(trapezoid_sink* sink, float tolerance) {
  tessellator_state& s = state();
  s.sink = sink;
  s.segments.clear();
  s.points.clear();
  s.tolerance = tolerance > 0 ? tolerance : 1.0f;
  s.left_style = s.right_style = s.line_style = -1;
  s.fill_seen = false;
  s.line_seen = false;
}

void start_path(int left_style, int right_style, int line_style, float x, float y) {
  tessellator_state& s = state();
  s.last = {x, y};
  s.left_style = left_style;
  s.right_style = right_style;
  s.line_style = line_style;
  s.points.clear();
  s.points.push_back(x);
  s.points.push_back(y);
  if (left_style >= 0 || right_style >= 0) s.fill_seen = true;
  if (line_style >= 0) s.line_seen = true;
}

void line_to(float x, float y) {
  tessellator_state& s = state();
  fill_segment segment{s.last.x, s.last.y, x, y, s.left_style, s.right_style, s.line_style};
  if (segment.begin_y > segment.end_y) {
    std::swap(segment.begin_x, segment.end_x);
    std::swap(segment.begin_y, segment.end_y);
    std::swap(segment.left_style, segment.right_style);
  }
  s.segments.push_back(segment);
  s.last = {x, y};
  s.points.push_back(x);
  s.points.push_back(y);
}

void curve_to(float control_x, float control_y, float anchor_x, float anchor_y) {
  flatten(state().last, {control_x, control_y}, {anchor_x, anchor_y}, 0);
}

void finish_path() {
  tessellator_state& s = state();
  const int count = s.points.size() / 2;
  if (s.line_style >= 0 && count > 1 && s.sink) s.sink->take_outline(s.line_style, s.points.begin(), count);
  s.points.clear();
}

void finish_shape() {
  tessellator_state& s = state();
  if (s.fill_seen && s.sink) sweep();
  s.segments.clear();
  s.sink = nullptr;
  s.points.clear();
}

}  // namespace trapezoid_tessellator
}  // namespace swf
