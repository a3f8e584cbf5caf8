#include "platform/window/win32.h"
#include "platform/window/win32_testing.h"

#include <cstdio>

namespace {
std::function<void(const char*)>& DebugSink() {
  static std::function<void(const char*)> sink;
  return sink;
}
}  // namespace

void OutputDebugStringA(const char* text) {
  if (DebugSink()) {
    DebugSink()(text);
    return;
  }
  std::fputs(text, stderr);
}

namespace platform::testing {
void SetDebugOutputSink(std::function<void(const char*)> sink) { DebugSink() = std::move(sink); }
}  // namespace platform::testing
