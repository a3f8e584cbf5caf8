// Sounds decoded a block at a time as they play, so long music never sits in
// memory as PCM.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/codecs/sound_decoder.h"

namespace platform::sound {

class SoundStream {
 public:
  virtual ~SoundStream() = default;

  int Rate() const { return rate_; }
  int Channels() const { return channels_; }
  // Decodes up to `frames` interleaved 16-bit frames into `out`; fewer only
  // at the end or on damaged data (then 0 from there on).
  virtual size_t Read(int16_t* out, size_t frames) = 0;
  // Back to the first frame; false when the data cannot be read again.
  virtual bool Rewind() = 0;
  // Whether a read stopped at damaged data rather than at the end.
  bool Failed() const { return failed_; }

 protected:
  int rate_ = 0;
  int channels_ = 0;
  bool failed_ = false;
};

// Ogg Vorbis streams from a copy of its compressed bytes; other sounds are
// decoded whole up front. Null for data no decoder takes.
std::unique_ptr<SoundStream> OpenSoundStream(const void* data, size_t size);
// Null unless the data opens as a mono or stereo Vorbis stream within the
// rates a sound may have.
std::unique_ptr<SoundStream> OpenVorbisStream(const void* data, size_t size);

// Reads the whole stream into `out`, with room made first for
// `expectedFrames`; true when it makes a usable sound.
bool ReadWholeStream(SoundStream& stream, PcmSound& out, size_t expectedFrames);

}  // namespace platform::sound
