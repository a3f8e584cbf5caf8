#include "swf/geometry/strip_builder.h"

#include "swf/geometry/tessellation.h"
#include "swf/geometry/trapezoid_tessellator.h"

namespace swf {
namespace {
bool ends_in(const dyn_array<point2>& strip, const point2& a, const point2& b) {
  const int32_t n = strip.size();
  return n >= 2 && strip[n - 2].bitwise_equal(a) && strip[n - 1].bitwise_equal(b);
}

void append_point(dyn_array<int16_t>* out, const point2& p) {
  out->push_back(to_int16_saturated(p.x));
  out->push_back(to_int16_saturated(p.y));
}
}  // namespace

int32_t strip_builder::find_strip_ending_in(const point2& l0, const point2& r0) const {
  for (int32_t i = last_extended_ + 1; i < strips_.size(); ++i)
    if (ends_in(strips_[i], l0, r0)) return i;
  for (int32_t i = 0; i <= last_extended_ && i < strips_.size(); ++i)
    if (ends_in(strips_[i], l0, r0)) return i;
  return -1;
}

void strip_builder::add_trapezoid(const trapezoid& t) {
  const point2 l0{t.left_x0, t.y0}, r0{t.right_x0, t.y0};
  const point2 l1{t.left_x1, t.y1}, r1{t.right_x1, t.y1};
  if (!l0.bitwise_equal(r0)) {
    const int32_t found = find_strip_ending_in(l0, r0);
    if (found >= 0) {
      strips_[found].push_back(l1);
      strips_[found].push_back(r1);
      last_extended_ = found;
      return;
    }
  }
  strips_.push_back(dyn_array<point2>());
  dyn_array<point2>& strip = strips_.back();
  for (const point2& p : {l0, r0, l1, r1}) strip.push_back(p);
}

dyn_array<int16_t> strip_builder::join() const {
  dyn_array<point2> joined;
  for (int32_t i = 0; i < strips_.size(); ++i) {
    const dyn_array<point2>& s = strips_[i];
    int32_t skip = 0;
    if (i > 0) {
      const point2 a = joined[joined.size() - 2], b = joined.back();
      if (a.bitwise_equal(s[0]) && b.bitwise_equal(s[1])) {
        skip = 2;
      } else if (b.bitwise_equal(s[0]) && a.bitwise_equal(s[1])) {
        joined.push_back(a);
        skip = 2;
      } else {
        // Two repeated points make the degenerate triangles of the bridge.
        joined.push_back(b);
        joined.push_back(s[0]);
      }
    }
    for (int32_t k = skip; k < s.size(); ++k) joined.push_back(s[k]);
  }
  dyn_array<int16_t> out;
  for (const point2& p : joined) append_point(&out, p);
  return out;
}

}  // namespace swf
