// Decoders that turn a sound file held in memory into 16-bit PCM for the mixer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::sound {

// Interleaved signed 16-bit frames in host byte order, mono or stereo.
struct PcmSound {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;

  size_t FrameCount() const { return channels > 0 ? samples.size() / channels : 0; }
};

// A decoded sound is refused beyond this size, so a hostile file cannot
// exhaust memory.
constexpr size_t kMaxPcmBytes = size_t{256} << 20;
// Rates a sound may have.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

// Each is true with `out` filled when the data decodes to a mono or stereo
// sound of at least one frame within the limits above; `out` is unspecified
// otherwise.
bool DecodeWav(const void* data, size_t size, PcmSound& out);
bool DecodeVorbis(const void* data, size_t size, PcmSound& out);
bool DecodeMp3(const void* data, size_t size, PcmSound& out);
// Picks the decoder from the data's signature (RIFF/WAVE, OggS, else MP3).
bool DecodeSound(const void* data, size_t size, PcmSound& out);

// The checks every decoder ends with.
bool IsUsablePcm(const PcmSound& pcm);
// Appends the whole 16-bit samples among `size` bytes of decoder output (none
// when a read gave fewer than two bytes).
void AppendSamples(PcmSound& pcm, const void* bytes, size_t size);

}  // namespace platform::sound
