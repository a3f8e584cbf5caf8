// WAV through SDL's loader, which knows PCM, float and the ADPCM variants.
// The loader allocates what a chunk claims before it reads, so the chunks are
// walked here first and every size checked against the bytes present.
#include <SDL.h>

#include <climits>
#include <cstring>

#include "platform/codecs/little_endian.h"
#include "platform/codecs/sound_decoder.h"

namespace platform::sound {

namespace {

constexpr size_t kRiffHeader = 12;  // "RIFF", size, "WAVE"
constexpr size_t kChunkHeader = 8;  // identifier, size

// The length of the RIFF file at the start of the data when each of its
// chunks lies inside it and it holds a format chunk and a data chunk with at
// least one byte; 0 otherwise.
size_t CheckedRiffLength(const uint8_t* bytes, size_t size) {
  if (size < kRiffHeader || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return 0;
  const uint64_t length = uint64_t{Load32(bytes + 4)} + 8;
  if (length > size || length < kRiffHeader) return 0;
  bool format = false, sound = false;
  uint64_t at = kRiffHeader;
  while (at + kChunkHeader <= length) {
    const uint8_t* chunk = bytes + at;
    const uint64_t chunkSize = Load32(chunk + 4);
    if (chunkSize > length - at - kChunkHeader) return 0;
    format |= std::memcmp(chunk, "fmt ", 4) == 0;
    sound |= std::memcmp(chunk, "data", 4) == 0 && chunkSize > 0;
    at += kChunkHeader + chunkSize + (chunkSize & 1);  // odd chunks are padded
  }
  return format && sound ? static_cast<size_t>(length) : 0;
}

bool ConvertToPcm16(const SDL_AudioSpec& spec, const Uint8* buffer, Uint32 length,
                    PcmSound& out) {
  if (spec.channels != 1 && spec.channels != 2) return false;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, spec.channels,
                        spec.freq) < 0)
    return false;
  size_t capacity = size_t{length} * static_cast<size_t>(cvt.len_mult);
  // An empty data chunk leaves no buffer at all.
  if (length == 0 || !buffer || capacity == 0 || capacity > kMaxPcmBytes * 2 || capacity > INT_MAX) return false;
  std::vector<Uint8> work(capacity);
  std::memcpy(work.data(), buffer, length);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(length);
  if (SDL_ConvertAudio(&cvt) < 0) return false;
  size_t frameBytes = sizeof(int16_t) * spec.channels;
  size_t usable = static_cast<size_t>(cvt.len_cvt) / frameBytes * frameBytes;
  if (usable == 0) return false;
  out.rate = spec.freq;
  out.channels = spec.channels;
  out.samples.resize(usable / sizeof(int16_t));
  std::memcpy(out.samples.data(), work.data(), usable);
  return IsUsablePcm(out);
}

}  // namespace

bool DecodeWav(const void* data, size_t size, PcmSound& out) {
  if (!data) return false;
  const size_t fileLength = CheckedRiffLength(static_cast<const uint8_t*>(data), size);
  if (fileLength == 0 || fileLength > INT_MAX) return false;
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(fileLength));
  if (!rw) return false;
  SDL_AudioSpec spec;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length)) return false;
  bool ok = ConvertToPcm16(spec, buffer, length, out);
  SDL_FreeWAV(buffer);
  return ok;
}

}  // namespace platform::sound
