// The vocabulary that board files and level tables use for blocks: colour
// indexes with their names, and the names of the block states.
#pragma once
#include <cstdint>
#include <string>

namespace well {

enum BlockColor : int32_t {
  kColorBlue = 0,
  kColorGreen = 1,
  kColorRed = 2,
  kColorGeneric1 = 12,
  kColorUnnamed = 24,  // written "none"
  kColorEmpty = 25,
  kColorFilled = 26,
  kColorNone = 27,
  kColorAny = 28,  // matches every colour
  kColorCount = 29,
};

enum BlockState : int32_t {
  kStateStand = 0,
  kStateFalling = 1,
  kStateSquash = 2,
  kStateDestroyed = 4,
  kStateErased = 5,
  kStateSelected = 6,
};

// "none" for an index without a name of its own (24, 27, anything outside
// 0 .. 28).
std::string ColorToName(int32_t color);
// The first index whose name matches, letter case aside; so "none" reads as
// 24. A name that matches none reads as red.
int32_t NameToColor(const std::string& name);
// "stand" for a state without a name.
std::string StateToName(int32_t state);

}  // namespace well
