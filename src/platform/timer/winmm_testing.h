// Test seam for the millisecond clock.
#pragma once
#include <cstdint>

namespace platform::testing {
// From now on timeGetTime returns the given value until changed or released.
void SetMilliseconds(uint32_t ms);
// Back to the real clock.
void UseRealClock();
// Number of timeBeginPeriod calls not yet matched by timeEndPeriod.
int TimerPeriodDepth();
}  // namespace platform::testing
