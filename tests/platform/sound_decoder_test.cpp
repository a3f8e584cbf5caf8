#include "platform/sound_decoder.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "platform/module_player.h"
#include "platform/sound_fixtures.h"

namespace {

using platform::sound::DecodeSound;
using platform::sound::PcmSound;
using sound_fixtures::Bytes;

TEST(WavDecoder, ReadsSixteenAndEightBitPcm) {
  PcmSound pcm;
  Bytes stereo = sound_fixtures::MakeWav(22050, 2, {100, -100, 200, -200});
  ASSERT_TRUE(DecodeSound(stereo.data(), stereo.size(), pcm));
  EXPECT_EQ(pcm.rate, 22050);
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{100, -100, 200, -200}));

  // 8-bit unsigned mono: 0x80 is silence, 0xC0 half up.
  Bytes eight = sound_fixtures::MakeWav(8000, 1, {});
  eight[34] = 8;                          // bits per sample
  eight[32] = 1;                          // block align
  eight[28] = 0x40, eight[29] = 0x1F;     // byte rate 8000
  eight[40] = 3;                          // data size
  eight[4] += 3;
  for (uint8_t b : {0x80, 0xC0, 0x40}) eight.push_back(b);
  ASSERT_TRUE(DecodeSound(eight.data(), eight.size(), pcm));
  EXPECT_EQ(pcm.channels, 1);
  ASSERT_EQ(pcm.samples.size(), 3u);
  EXPECT_NEAR(pcm.samples[0], 0, 1);
  EXPECT_NEAR(pcm.samples[1], 16384, 1);
  EXPECT_NEAR(pcm.samples[2], -16384, 1);
}

TEST(WavDecoder, RefusesBrokenFiles) {
  Bytes good = sound_fixtures::MakeLevelWav(44100, 1, 100, 5);
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
  } cases[] = {
      {"six channels", 22, 6},
      {"no rate", 24, 0},
      {"unknown format", 20, 0x55},
      {"zero block align", 32, 0},
  };
  PcmSound pcm;
  for (const Case& c : cases) {
    Bytes bad = good;
    bad[c.offset] = c.value;
    if (c.offset == 24) bad[25] = bad[26] = 0;
    EXPECT_FALSE(DecodeSound(bad.data(), bad.size(), pcm)) << c.what;
  }
  for (size_t cut : {size_t{0}, size_t{4}, size_t{12}, size_t{30}, size_t{44}}) {
    Bytes truncated(good.begin(), good.begin() + cut);
    EXPECT_FALSE(DecodeSound(truncated.data(), truncated.size(), pcm)) << cut;
  }
}

// MPEG-1 layer III frames at 128 kbit/s, 44.1 kHz, stereo, whose side
// information is all zero: valid frames that decode to silence.
Bytes SilentMp3(int frames) {
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

TEST(Mp3Decoder, DecodesFramesAndRefusesNoise) {
  Bytes mp3 = SilentMp3(20);
  PcmSound pcm;
  ASSERT_TRUE(DecodeSound(mp3.data(), mp3.size(), pcm));
  EXPECT_EQ(pcm.rate, 44100);
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_GE(pcm.FrameCount(), 1152u * 18);
  EXPECT_LE(pcm.FrameCount(), 1152u * 20);
  Bytes noise(2000, 0x11);
  EXPECT_FALSE(DecodeSound(noise.data(), noise.size(), pcm));
}

// Encodes the mono samples as Ogg Vorbis.
Bytes EncodeVorbis(int rate, const std::vector<float>& samples) {
  vorbis_info info;
  vorbis_info_init(&info);
  EXPECT_EQ(vorbis_encode_init_vbr(&info, 1, rate, 0.4f), 0);
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

TEST(VorbisDecoder, DecodesWhatWasEncodedAndRefusesDamage) {
  const int kRate = 22050;
  std::vector<float> tone(kRate / 4);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(i * 2 * M_PI * 441.0 / kRate);
  Bytes ogg = EncodeVorbis(kRate, tone);
  PcmSound pcm;
  ASSERT_TRUE(DecodeSound(ogg.data(), ogg.size(), pcm));
  EXPECT_EQ(pcm.rate, kRate);
  EXPECT_EQ(pcm.channels, 1);
  ASSERT_EQ(pcm.FrameCount(), tone.size());
  int16_t peak = 0;
  for (int16_t s : pcm.samples) peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(s)));
  EXPECT_NEAR(peak, 16384, 2000);

  Bytes headerOnly(ogg.begin(), ogg.begin() + 60);
  EXPECT_FALSE(DecodeSound(headerOnly.data(), headerOnly.size(), pcm));
  Bytes scrambled = ogg;
  for (size_t i = 30; i < scrambled.size(); i += 3) scrambled[i] ^= 0x5A;
  EXPECT_FALSE(DecodeSound(scrambled.data(), scrambled.size(), pcm));
}

// Damaged copies of every kind of file: a decoder may refuse them or decode
// something, but must stay inside its buffers and return.
TEST(SoundDecoders, SurviveDamagedFiles) {
  std::vector<float> tone(2000, 0.25f);
  const Bytes originals[] = {sound_fixtures::MakeLevelWav(22050, 2, 300, 1000),
                             EncodeVorbis(22050, tone), SilentMp3(6),
                             sound_fixtures::MakeModule(2)};
  std::mt19937 random(7);
  for (const Bytes& original : originals) {
    for (int round = 0; round < 150; ++round) {
      Bytes damaged = original;
      int flips = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
      if (round % 3 == 0) damaged.resize(random() % damaged.size() + 1);
      PcmSound pcm;
      if (DecodeSound(damaged.data(), damaged.size(), pcm)) {
        EXPECT_TRUE(platform::sound::IsUsablePcm(pcm));
      }
      platform::sound::ModulePlayer module;
      if (module.Load(damaged.data(), damaged.size(), false)) {
        std::vector<float> out(2 * 512);
        module.Render(44100, 512, out.data());
      }
    }
  }
}

}  // namespace
