// WAV files through the WAV decoder, as a sound bank's sample is loaded.
#include <cmath>

#include "fuzz_target.h"
#include "platform/codecs/sound_decoder.h"
#include "platform/sound_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::sound::PcmSound pcm;
  platform::sound::DecodeWav(data, size, pcm);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  std::vector<int16_t> tone(400);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>(8000 * std::sin(i * 0.2));
  seeds.Add("stereo16.wav", sound_fixtures::MakeWav(22050, 2, tone));
  seeds.Add("mono16.wav", sound_fixtures::MakeLevelWav(8000, 1, 50, 1000));
}
