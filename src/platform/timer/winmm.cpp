#include "platform/timer/winmm.h"
#include "platform/timer/winmm_testing.h"

#include <atomic>
#include <chrono>

namespace {
std::atomic<bool> g_fixedClock{false};
std::atomic<uint32_t> g_fixedMs{0};
std::atomic<int> g_periodDepth{0};

const std::chrono::steady_clock::time_point g_start = std::chrono::steady_clock::now();
}  // namespace

DWORD timeGetTime() {
  if (g_fixedClock) return g_fixedMs;
  auto elapsed = std::chrono::steady_clock::now() - g_start;
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// Linux timers already have sub-millisecond resolution; the depth is kept so
// that start-up and shut-down can be checked to pair their calls.
MMRESULT timeBeginPeriod(UINT) {
  ++g_periodDepth;
  return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT) {
  --g_periodDepth;
  return TIMERR_NOERROR;
}

namespace platform::testing {
void SetMilliseconds(uint32_t ms) {
  g_fixedMs = ms;
  g_fixedClock = true;
}
void UseRealClock() { g_fixedClock = false; }
int TimerPeriodDepth() { return g_periodDepth; }
}  // namespace platform::testing
