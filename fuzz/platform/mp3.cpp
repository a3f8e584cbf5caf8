// MPEG audio files through the MP3 decoder, as sample music is loaded.
#include "fuzz_target.h"
#include "platform/codecs/sound_decoder.h"
#include "platform/sound_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::sound::PcmSound pcm;
  platform::sound::DecodeMp3(data, size, pcm);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { seeds.Add("silence.mp3", sound_fixtures::SilentMp3(4)); }
