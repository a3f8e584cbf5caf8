// A point in twips.
#pragma once
#include <cstring>

namespace swf {

struct point2 {
  float x = 0, y = 0;

  // Bitwise equality of both coordinates.
  bool bitwise_equal(const point2& other) const { return std::memcmp(this, &other, sizeof other) == 0; }
};

}  // namespace swf
