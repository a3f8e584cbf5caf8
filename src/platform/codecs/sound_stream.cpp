#include "platform/codecs/sound_stream.h"

#include <algorithm>
#include <cstring>

namespace platform::sound {

namespace {

// A sound decoded whole, handed out as a stream.
class PcmStream : public SoundStream {
 public:
  explicit PcmStream(PcmSound pcm) : pcm_(std::move(pcm)) {
    rate_ = pcm_.rate;
    channels_ = pcm_.channels;
  }

  size_t Read(int16_t* out, size_t frames) override {
    const size_t count = std::min(frames, pcm_.FrameCount() - next_);
    std::memcpy(out, pcm_.samples.data() + next_ * channels_, count * channels_ * sizeof(int16_t));
    next_ += count;
    return count;
  }

  bool Rewind() override {
    next_ = 0;
    return true;
  }

 private:
  PcmSound pcm_;
  size_t next_ = 0;
};

}  // namespace

std::unique_ptr<SoundStream> OpenSoundStream(const void* data, size_t size) {
  if (data && size >= 4 && std::memcmp(data, "OggS", 4) == 0) return OpenVorbisStream(data, size);
  PcmSound pcm;
  if (!DecodeSound(data, size, pcm)) return nullptr;
  return std::make_unique<PcmStream>(std::move(pcm));
}

bool ReadWholeStream(SoundStream& stream, PcmSound& out, size_t expectedFrames) {
  out.rate = stream.Rate();
  out.channels = stream.Channels();
  out.samples.clear();
  out.samples.reserve(expectedFrames * static_cast<size_t>(out.channels));
  constexpr size_t kBlockFrames = 4096;
  int16_t block[kBlockFrames * 2];
  for (;;) {
    const size_t got = stream.Read(block, kBlockFrames);
    if (got == 0) break;
    const size_t count = got * static_cast<size_t>(out.channels);
    if ((out.samples.size() + count) * sizeof(int16_t) > kMaxPcmBytes) return false;
    out.samples.insert(out.samples.end(), block, block + count);
  }
  return !stream.Failed() && IsUsablePcm(out);
}

}  // namespace platform::sound
