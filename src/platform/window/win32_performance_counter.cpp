// The performance counter over the monotonic clock.
#include <time.h>

#include <atomic>

#include "platform/window/win32.h"
#include "platform/window/win32_testing.h"

namespace {
constexpr int64_t kNanosecondsPerSecond = 1000000000;

std::atomic<bool> g_fixedCounter{false};
std::atomic<int64_t> g_fixedCount{0};
}  // namespace

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  if (g_fixedCounter) {
    count->QuadPart = g_fixedCount;
    return TRUE;
  }
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  count->QuadPart = static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  frequency->QuadPart = kNanosecondsPerSecond;
  return TRUE;
}

namespace platform::testing {
void SetPerformanceCounter(int64_t count) {
  g_fixedCount = count;
  g_fixedCounter = true;
}
void UseRealPerformanceCounter() { g_fixedCounter = false; }
}  // namespace platform::testing
