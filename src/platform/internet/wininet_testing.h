// Test seam for the internet session calls.
#pragma once
#include <string>

#include "platform/internet/wininet.h"

namespace platform::testing {
// Handles opened and not yet closed.
int OpenInternetHandles();
// The agent name the handle was opened with; empty when it is not open.
std::string InternetAgentOf(HINTERNET handle);
}  // namespace platform::testing
