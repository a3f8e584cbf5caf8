// The credits file: its lines read as the credits screen reads them.
#include "fuzz_target.h"
#include "game/qor_credit_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QORCreditState credits(nullptr, fuzz::WriteInput("credits.lua", data, size));
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/scripts/credits.lua");
  seeds.AddText("holes.lua", "CREDITS = { '*a', 5, nil, 'b', x = 'c', [100] = 'far' }");
  seeds.AddText("not_a_table.lua", "CREDITS = '*stars'");
}
