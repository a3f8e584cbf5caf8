// libFuzzer target: number files (table "Number": "Image", "Size", "Coords")
// read over a device, then values across the int range built into quads and
// measured as plain numbers, with commas and as clocks, as the heads-up
// display draws them. Seeds: the game's number files.
#include <climits>
#include <cstddef>
#include <cstdint>

#include "fuzz_target.h"
#include "render/dx8/dx8_graphics.h"
#include "ui/widgets/kinds/ui_number.h"

namespace {

bool Prepare() {
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  return graphics->Init() && graphics->SetDisplayMode(800, 600, false, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool prepared = Prepare();
  if (!prepared) return 0;
  ui::UINumber number;
  number.Load(fuzz::WriteInput("number.lua", data, size));
  Vertex2D quads[ui::UINumber::kMaxVertices];
  for (bool clock : {false, true}) {
    number.SetClock(clock);
    for (int value : {0, 7, 1000, 65, ui::UINumber::kLongestClock, ui::UINumber::kLongestClock + 1, -1, INT_MAX,
                      INT_MIN}) {
      for (bool commas : {false, true}) {
        number.BuildDigitQuads(value, {0.5f, 0.5f}, number.GetCellSize(), 0xFFFFFFFFu, commas, quads);
        number.MeasureWidth(value, commas);
        number.Draw(value, {0.1f, 0.1f}, 1.5f, commas, 0xFFFFFFFFu);
      }
    }
  }
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/img/popup_number.lua");
  seeds.AddSourceFile("data/img/time_number.lua");
}
