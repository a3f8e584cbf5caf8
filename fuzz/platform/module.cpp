// Tracker modules through the module player: loaded, rendered for a while,
// sent to another order and rendered again, as music and its segments play.
#include "fuzz_target.h"
#include "platform/codecs/module_player.h"
#include "platform/sound_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::sound::ModulePlayer module;
  if (!module.Load(data, size, true)) return 0;
  float stereo[2 * 1024];
  module.Render(44100, 1024, stereo);
  module.JumpTo(1, 8);
  module.Render(22050, 1024, stereo);
  module.Restart();
  module.Render(44100, 256, stereo);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.Add("one_pattern.mod", sound_fixtures::MakeModule(1));
  seeds.Add("three_patterns.mod", sound_fixtures::MakeModule(3));
}
