#include "swf/base/clock.h"

#include "platform/window/win32.h"

namespace swf {

uint64_t get_ticks() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart);
}

double ticks_to_seconds(uint64_t ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

}  // namespace swf
