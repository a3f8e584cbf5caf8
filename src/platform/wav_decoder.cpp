// WAV through SDL's loader, which knows PCM, float and the ADPCM variants.
#include <SDL.h>

#include <climits>
#include <cstring>

#include "platform/sound_decoder.h"

namespace platform::sound {

namespace {

bool ConvertToPcm16(const SDL_AudioSpec& spec, const Uint8* buffer, Uint32 length,
                    PcmSound& out) {
  if (spec.channels != 1 && spec.channels != 2) return false;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, spec.channels,
                        spec.freq) < 0)
    return false;
  size_t capacity = size_t{length} * static_cast<size_t>(cvt.len_mult);
  if (capacity > kMaxPcmBytes * 2 || capacity > INT_MAX) return false;
  std::vector<Uint8> work(capacity > 0 ? capacity : 1);
  std::memcpy(work.data(), buffer, length);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(length);
  if (SDL_ConvertAudio(&cvt) < 0) return false;
  size_t frameBytes = sizeof(int16_t) * spec.channels;
  size_t usable = static_cast<size_t>(cvt.len_cvt) / frameBytes * frameBytes;
  out.rate = spec.freq;
  out.channels = spec.channels;
  out.samples.resize(usable / sizeof(int16_t));
  std::memcpy(out.samples.data(), work.data(), usable);
  return IsUsablePcm(out);
}

}  // namespace

bool DecodeWav(const void* data, size_t size, PcmSound& out) {
  if (!data || size == 0 || size > INT_MAX) return false;
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
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
