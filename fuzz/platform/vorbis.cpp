// Ogg Vorbis files through the Vorbis decoder, as sample music is loaded.
#include <cmath>

#include "fuzz_target.h"
#include "platform/codecs/sound_decoder.h"
#include "platform/sound_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::sound::PcmSound pcm;
  platform::sound::DecodeVorbis(data, size, pcm);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  std::vector<float> tone(2000);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(static_cast<float>(i) * 0.1f);
  seeds.Add("tone.ogg", sound_fixtures::EncodeVorbis(22050, tone));
}
