// Test seam for the process-wide profiler.
#pragma once

namespace util::testing {
// Call before the first GetProfiler: the process-wide profiler then moves its
// clock on by the calibration pause instead of sleeping through it, so a test
// that runs main-loop steps does not wait a second.
void SkipCalibrationPause();
}  // namespace util::testing
