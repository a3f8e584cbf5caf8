// The player's clock: the performance counter.
#pragma once
#include <cstdint>

namespace swf {

uint64_t get_ticks();
double ticks_to_seconds(uint64_t ticks);

}  // namespace swf
