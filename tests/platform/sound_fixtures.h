// Sound files made in memory for the sound tests: WAV files of given
// samples, Ogg Vorbis and MPEG files, and a small four-channel tracker module.
#pragma once
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/codecs/little_endian.h"

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

// MPEG-1 layer III frames at 128 kbit/s, 44.1 kHz, stereo, whose side
// information is all zero: valid frames that decode to silence.
inline Bytes SilentMp3(int frames) {
  const size_t kFrameBytes = 417;  // 144 * 128000 / 44100
  Bytes out;
  for (int i = 0; i < frames; ++i) {
    Bytes frame(kFrameBytes, 0);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    out.insert(out.end(), frame.begin(), frame.end());
  }
  return out;
}

// Encodes the mono samples as Ogg Vorbis.
inline Bytes EncodeVorbis(int rate, const std::vector<float>& samples) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, rate, 0.4f) != 0) {
    vorbis_info_clear(&info);
    return {};
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);
  Bytes out;
  ogg_page page;
  auto append = [&out](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  ogg_packet header, commentPacket, codebook;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebook);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentPacket);
  ogg_stream_packetin(&stream, &codebook);
  while (ogg_stream_flush(&stream, &page)) append(page);
  float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(samples.size()));
  std::copy(samples.begin(), samples.end(), buffer[0]);
  vorbis_analysis_wrote(&dsp, static_cast<int>(samples.size()));
  vorbis_analysis_wrote(&dsp, 0);
  ogg_packet packet;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&stream, &packet);
      while (ogg_stream_pageout(&stream, &page)) append(page);
    }
  }
  while (ogg_stream_flush(&stream, &page)) append(page);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace sound_fixtures
