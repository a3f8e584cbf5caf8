// Multimedia timer calls: the millisecond clock and the timer resolution.
#pragma once
#include <cstdint>

typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint32_t MMRESULT;

enum : MMRESULT { TIMERR_NOERROR = 0 };

// Milliseconds since the process started; wraps after 49.7 days.
DWORD timeGetTime();
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);
