// Test seams for the window-system layer.
#pragma once
#include <functional>

namespace platform::testing {
// Receives every OutputDebugStringA text instead of standard error; an empty
// function restores standard error.
void SetDebugOutputSink(std::function<void(const char*)> sink);
}  // namespace platform::testing
