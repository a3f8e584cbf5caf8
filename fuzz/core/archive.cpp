// The resource archive as the game mounts it: the header, the packed
// directory and every entry it lists.
#include "archive_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ReadWholeArchive(fuzz::WriteInput("input.arc", data, size));
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { seeds.Add("sample.arc", fuzz::SampleArchive()); }
