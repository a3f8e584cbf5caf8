// Sound files made in memory for the sound tests: WAV files of given
// samples, and a small four-channel tracker module.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/little_endian.h"

namespace sound_fixtures {

using Bytes = std::vector<uint8_t>;

inline void PutText(Bytes& out, const char* text) {
  out.insert(out.end(), text, text + std::strlen(text));
}

// A 16-bit PCM WAV of the interleaved samples.
inline Bytes MakeWav(int rate, int channels, const std::vector<int16_t>& samples) {
  Bytes out;
  uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  PutText(out, "RIFF");
  platform::Append32(out, 36 + dataBytes);
  PutText(out, "WAVEfmt ");
  platform::Append32(out, 16);
  platform::Append16(out, 1);  // PCM
  platform::Append16(out, static_cast<uint32_t>(channels));
  platform::Append32(out, static_cast<uint32_t>(rate));
  platform::Append32(out, static_cast<uint32_t>(rate * channels * 2));
  platform::Append16(out, static_cast<uint32_t>(channels * 2));
  platform::Append16(out, 16);
  PutText(out, "data");
  platform::Append32(out, dataBytes);
  for (int16_t s : samples) platform::Append16(out, static_cast<uint16_t>(s));
  return out;
}

// `frames` frames holding the same value on every channel: a level that
// volume and pan scale exactly.
inline Bytes MakeLevelWav(int rate, int channels, size_t frames, int16_t level) {
  return MakeWav(rate, channels, std::vector<int16_t>(frames * channels, level));
}

// A four-channel module ("M.K.") with one looped square-wave instrument and
// `patterns` orders, order i playing pattern i, each with a note on row 0.
inline Bytes MakeModule(int patterns) {
  Bytes out(20, 0);  // title
  const int kSampleWords = 16;
  for (int s = 0; s < 31; ++s) {
    Bytes header(30, 0);
    if (s == 0) {
      header[22] = 0;
      header[23] = kSampleWords;  // length in words, big-endian
      header[25] = 64;            // volume
      header[29] = kSampleWords;  // loop length in words
    }
    out.insert(out.end(), header.begin(), header.end());
  }
  out.push_back(static_cast<uint8_t>(patterns));  // song length
  out.push_back(127);
  for (int i = 0; i < 128; ++i) out.push_back(static_cast<uint8_t>(i < patterns ? i : 0));
  PutText(out, "M.K.");
  const int kPeriod = 428;
  for (int p = 0; p < patterns; ++p) {
    Bytes pattern(64 * 4 * 4, 0);
    pattern[0] = static_cast<uint8_t>(kPeriod >> 8);
    pattern[1] = static_cast<uint8_t>(kPeriod & 0xFF);
    pattern[2] = 0x10;  // sample 1
    out.insert(out.end(), pattern.begin(), pattern.end());
  }
  for (int i = 0; i < kSampleWords * 2; ++i) out.push_back(i < kSampleWords ? 0x60 : 0xA0);
  return out;
}

}  // namespace sound_fixtures
