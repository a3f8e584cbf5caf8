// MPEG audio through libmpg123, fed from memory.
#include <mpg123.h>

#include <climits>

#include "platform/codecs/sound_decoder.h"

namespace platform::sound {

namespace {

// Asks for 16-bit output at whatever rate and channel count the stream has.
mpg123_handle* NewDecoder() {
  static const bool initialised = mpg123_init() == MPG123_OK;
  if (!initialised) return nullptr;
  int error = MPG123_OK;
  mpg123_handle* decoder = mpg123_new(nullptr, &error);
  if (!decoder) return nullptr;
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  mpg123_format_none(decoder);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (mpg123_open_feed(decoder) != MPG123_OK) {
    mpg123_delete(decoder);
    return nullptr;
  }
  return decoder;
}

bool ReadAll(mpg123_handle* decoder, PcmSound& out) {
  unsigned char buffer[16384];
  for (;;) {
    size_t done = 0;
    int result = mpg123_read(decoder, buffer, sizeof buffer, &done);
    if (result == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      mpg123_getformat(decoder, &rate, &channels, &encoding);
      // One layout per sound: a stream that changes it mid-way is refused.
      if (out.channels != 0 && (channels != out.channels || rate != out.rate)) return false;
      out.rate = static_cast<int>(rate);
      out.channels = channels;
      continue;
    }
    if (result != MPG123_OK && result != MPG123_NEED_MORE && result != MPG123_DONE) return false;
    if (out.samples.size() * 2 + done > kMaxPcmBytes) return false;
    AppendSamples(out, buffer, done);
    if (result != MPG123_OK) break;
  }
  if (out.channels > 0) out.samples.resize(out.samples.size() / out.channels * out.channels);
  return IsUsablePcm(out);
}

}  // namespace

bool DecodeMp3(const void* data, size_t size, PcmSound& out) {
  if (!data || size == 0 || size > LONG_MAX) return false;
  mpg123_handle* decoder = NewDecoder();
  if (!decoder) return false;
  out = PcmSound{};
  bool ok = mpg123_feed(decoder, static_cast<const unsigned char*>(data), size) == MPG123_OK &&
            ReadAll(decoder, out);
  mpg123_delete(decoder);
  return ok;
}

}  // namespace platform::sound
