#include "platform/codecs/sound_decoder.h"

#include <cstring>

namespace platform::sound {

bool IsUsablePcm(const PcmSound& pcm) {
  return (pcm.channels == 1 || pcm.channels == 2) && pcm.rate >= kMinRate &&
         pcm.rate <= kMaxRate && pcm.FrameCount() > 0 &&
         pcm.samples.size() % pcm.channels == 0 &&
         pcm.samples.size() * sizeof(int16_t) <= kMaxPcmBytes;
}

void AppendSamples(PcmSound& pcm, const void* bytes, size_t size) {
  const size_t count = size / sizeof(int16_t);
  if (count == 0) return;
  const size_t old = pcm.samples.size();
  pcm.samples.resize(old + count);
  std::memcpy(pcm.samples.data() + old, bytes, count * sizeof(int16_t));
}

bool DecodeSound(const void* data, size_t size, PcmSound& out) {
  if (!data || size < 4) return false;
  const auto* bytes = static_cast<const char*>(data);
  if (size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WAVE", 4) == 0)
    return DecodeWav(data, size, out);
  if (std::memcmp(bytes, "OggS", 4) == 0) return DecodeVorbis(data, size, out);
  return DecodeMp3(data, size, out);
}

}  // namespace platform::sound
