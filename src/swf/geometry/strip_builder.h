// Collects the trapezoids of one fill style into triangle strips: a
// trapezoid whose top edge is the bottom edge of a strip continues it, any
// other starts a strip; at the end the strips are joined into one.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/stream/point2.h"

namespace swf {

struct trapezoid;

class strip_builder {
 public:
  void add_trapezoid(const trapezoid& t);
  // One strip, the strips bridged by repeated points, as 16-bit x, y values.
  dyn_array<int16_t> join() const;

  const dyn_array<dyn_array<point2>>& strips() const { return strips_; }

 private:
  // The strip ending in `l0` then `r0`, searched after the one extended
  // last first; -1 when none does.
  int32_t find_strip_ending_in(const point2& l0, const point2& r0) const;

  dyn_array<dyn_array<point2>> strips_;
  int32_t last_extended_ = -1;
};

}  // namespace swf
