#include "well/block_names.h"

#include <strings.h>

#include <cstring>

namespace well {

namespace {

const char* const kColorNames[kColorCount] = {
    "blue",     "green",    "red",       "yellow",    "purple",    "black",     "turqoise", "orange",
    "pink",     "violet",   "cyan",      "white",     "generic1",  "generic2",  "generic3", "generic4",
    "generic5", "generic6", "generic7",  "generic8",  "generic9",  "generic10", "generic11", "generic12",
    "none",     "empty",    "filled",    "none",      "any",
};

const char* const kStateNames[] = {"stand", "falling", "squash", "stand", "destroyed", "erased", "selected"};
constexpr int32_t kStateNameCount = static_cast<int32_t>(sizeof(kStateNames) / sizeof(kStateNames[0]));

}  // namespace

std::string ColorToName(int32_t color) {
  if (color < 0 || color >= kColorCount) return "none";
  return kColorNames[color];
}

int32_t NameToColor(const std::string& name) {
  for (int32_t color = 0; color < kColorCount; ++color) {
    // The length test keeps a name with a NUL byte inside from matching its head.
    if (name.size() == std::strlen(kColorNames[color]) && strcasecmp(name.c_str(), kColorNames[color]) == 0)
      return color;
  }
  return kColorRed;
}

std::string StateToName(int32_t state) {
  if (state < 0 || state >= kStateNameCount) return "stand";
  return kStateNames[state];
}

}  // namespace well
