#include "platform/codecs/sound_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "platform/codecs/module_player.h"
#include "platform/sdl_allocation_watch.h"
#include "platform/sound_fixtures.h"

namespace {

using platform::sound::DecodeSound;
using platform::sound::PcmSound;
using sound_fixtures::Bytes;
using sound_fixtures::EncodeVorbis;
using sound_fixtures::SilentMp3;

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

TEST(WavDecoder, ChunkSizesAreCheckedAgainstTheFileBeforeAnythingIsAllocated) {
  const Bytes good = sound_fixtures::MakeLevelWav(22050, 1, 4, 100);  // 44 bytes of header, 8 of sound
  auto with32 = [](Bytes bytes, size_t offset, uint32_t value) {
    platform::Store32(bytes.data() + offset, value);
    return bytes;
  };
  Bytes listed = good;  // a chunk the loader skips, before the sound
  const uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  listed.insert(listed.begin() + 36, list, list + sizeof list);
  listed = with32(listed, 4, static_cast<uint32_t>(listed.size() - 8));
  const struct {
    const char* what;
    Bytes file;
    bool decodes;
  } cases[] = {
      {"a sound", good, true},
      {"an odd chunk padded to a whole word", listed, true},
      {"a data chunk of 4 GB in a 44-byte file",
       with32(with32(Bytes(good.begin(), good.begin() + 44), 4, 36), 40, 0xFFFFFFF0u), false},
      {"a data chunk one byte past the end", with32(good, 40, 9), false},
      {"a file size past the end", with32(good, 4, 0xFFFFFFF0u), false},
      {"a format chunk past the end", with32(good, 16, 0x7FFFFFFF), false},
      {"an empty data chunk", sound_fixtures::MakeWav(22050, 1, {}), false},
      {"no data chunk", with32(good, 36, 0x61746164 ^ 0x20202020), false},
  };
  for (const auto& c : cases) {
    SdlAllocationWatch watch;
    PcmSound pcm;
    EXPECT_EQ(platform::sound::DecodeWav(c.file.data(), c.file.size(), pcm), c.decodes) << c.what;
    EXPECT_LT(SdlAllocationWatch::Largest(), size_t{1} << 20) << c.what;
  }
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
  // Too short to hold a frame: nothing decodes, and no empty buffer is copied.
  const Bytes word = {'a', 'b', 'c', 'd'};
  EXPECT_FALSE(DecodeSound(word.data(), word.size(), pcm));
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
