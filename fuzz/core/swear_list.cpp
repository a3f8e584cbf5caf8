// The swear list: its entries read and applied to a text.
#include "core/script/swear_filter.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SwearFilter filter;
  if (filter.Load(fuzz::WriteInput("swear.lua", data, size))) filter.Filter("Damned crap, b4stard idiots \xC3\xA9!");
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { seeds.AddSourceFile("data/scripts/swear.lua"); }
