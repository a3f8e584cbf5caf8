// A segment the scarab race's racers bump against: two board positions in
// screen units, drawn and tested minus the board's scroll.
#pragma once
#include "core/math/vector.h"

struct QORBarrier {
  math::Vec2 from;
  math::Vec2 to;
};
