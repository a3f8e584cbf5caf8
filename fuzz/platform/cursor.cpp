// Cursor files, loaded from a file as the application's cursor is.
#include "fuzz_target.h"
#include "platform/cursor_fixtures.h"
#include "platform/window/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("input.cur", data, size);
  if (HANDLE cursor = LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE))
    DestroyCursor(static_cast<HCURSOR>(cursor));
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { seeds.Add("arrow.cur", cursor_fixtures::ArrowCursor()); }
