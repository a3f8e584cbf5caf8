// The sound data files: a sound bank's sets and a segments file's records,
// both read from the input.
#include "audio/audio.h"
#include "audio/audio_set.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("sounds.lua", data, size);
  audio::Audio audio;
  audio::AudioSet bank(audio);
  bank.Load(path);
  bank.PlaySet("button_press");
  audio.LoadSegments(path);
  audio.PlaySegment("menu");
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/sounds/soundbank.lua");
  seeds.AddSourceFile("data/sounds/segments.lua");
}
