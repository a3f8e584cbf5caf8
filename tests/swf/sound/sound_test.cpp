// Sound tags and the sound backends: what the loaders hand a backend, and
// what the engine's backend makes of it in the mixer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "swf/recording_sound.h"
#include "swf/sound/adpcm_decoder.h"
#include "swf/sound/sound_backend_bass.h"
#include "swf/sound/sound_sample.h"
#include "swf/stage_player.h"

namespace {

using swf_test::InstalledBackend;
using swf_test::MadeSample;
using swf_test::RecordingSound;
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;

constexpr float kFrame = 1.0f / 12;

// The assembler's tone: a sine of the given frequency, rate and amplitude.
int16_t Tone(int i, double hz, double rate, double amplitude) {
  return static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
}

TEST(SoundLoaders, HandTheBackendDecodedAdpcmAndPcmAtTheirOwnRates) {
  RecordingSound sound;
  InstalledBackend installed(&sound);
  StagePlayer player("sounds.swf");
  ASSERT_NE(player.movie(), nullptr);

  struct Expected {
    int character;
    size_t size;
    uint32_t count;
    int format;
    int rate;
    bool stereo;
  };
  const Expected table[] = {
      {1, 10000, 5000, swf::sound_backend::FORMAT_NATIVE16, 22050, false},
      {2, 1200, 300, swf::sound_backend::FORMAT_NATIVE16, 11025, true},
      {3, 100, 100, swf::sound_backend::FORMAT_UNCOMPRESSED, 11025, false},
      {6, 20000, 5000, swf::sound_backend::FORMAT_NATIVE16, 44100, true},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.character);
    swf::sound_sample* sample = player.movie()->find_sound(e.character);
    ASSERT_NE(sample, nullptr);
    const MadeSample& made = sound.made(sample->sample_id);
    EXPECT_EQ(made.size, e.size);
    EXPECT_EQ(made.count, e.count);
    EXPECT_EQ(made.format, e.format);
    EXPECT_EQ(made.rate, e.rate);
    EXPECT_EQ(made.stereo, e.stereo);
  }
  EXPECT_EQ(sound.made(player.movie()->find_sound(4)->sample_id).format, swf::sound_backend::FORMAT_NELLYMOSER);

  // Each ADPCM block opens with the raw sample; the codes between follow the
  // tone closely once the step has grown.
  const std::vector<int16_t>& adpcm = sound.made(player.movie()->find_sound(1)->sample_id).samples;
  ASSERT_EQ(adpcm.size(), 5000u);
  EXPECT_EQ(adpcm[0], Tone(0, 440, 22050, 12000));
  EXPECT_EQ(adpcm[4096], Tone(4096, 440, 22050, 12000));
  EXPECT_NE(adpcm[4096], Tone(4096, 440, 22050, 12000) + 1);
  int worst = 0;
  for (int i = 32; i < 5000; ++i) worst = std::max(worst, std::abs(adpcm[i] - Tone(i, 440, 22050, 12000)));
  EXPECT_LT(worst, 400);
  const std::vector<int16_t>& stereo = sound.made(player.movie()->find_sound(6)->sample_id).samples;
  for (int i = 32; i < 5000; ++i) {
    ASSERT_EQ(stereo[2 * i], stereo[2 * i + 1]) << i;
    ASSERT_LT(std::abs(stereo[2 * i] - Tone(i, 300, 44100, 16000)), 400) << i;
  }

  // A count beyond the data decodes what the data holds (a 4-bit code may
  // hide in the padding of the last byte).
  const MadeSample& truncated = sound.made(player.movie()->find_sound(5)->sample_id);
  EXPECT_GE(truncated.count, 300u);
  EXPECT_LE(truncated.count, 301u);
  EXPECT_EQ(truncated.size, truncated.count * 2u);
  EXPECT_TRUE(player.log.Has("start_sound_loader: sound_id 99 is not defined\n"));
}

TEST(SoundLoaders, StartAndStopSoundsAsTheirFramesPlay) {
  RecordingSound sound;
  InstalledBackend installed(&sound);
  {
    StagePlayer player("sounds.swf");
    const int32_t id = player.movie()->find_sound(1)->sample_id;
    const std::string begin = "begin " + std::to_string(id);
    // The first frame plays as the movie starts.
    player.Step(kFrame);
    player.Step(kFrame);
    EXPECT_EQ(sound.calls, (Lines{begin + " 2", "end " + std::to_string(id), begin + " 0"}));
    sound.calls.clear();
  }
  EXPECT_EQ(sound.calls.size(), 6u) << "the movie's samples are freed with it";
}

TEST(SoundLoaders, DefineNothingWithoutABackend) {
  StagePlayer player("sounds.swf");
  ASSERT_NE(player.movie(), nullptr);
  EXPECT_EQ(player.movie()->find_sound(1), nullptr);
  EXPECT_FALSE(player.log.Has("sound_id")) << "no complaint about sounds that could not be defined";
}

TEST(SoundSamples, AreFreedOnlyByTheBackendThatMadeThem) {
  RecordingSound maker;
  RecordingSound other;
  auto* sample = new swf::sound_sample(0);
  {
    InstalledBackend installed(&maker);
    auto* made = new swf::sound_sample(4);
    delete made;
    EXPECT_EQ(maker.calls, (Lines{"free 4"}));
  }
  InstalledBackend installed(&other);
  auto* made_elsewhere = new swf::sound_sample(5);
  swf::set_sound_backend(&maker);
  delete made_elsewhere;
  delete sample;
  EXPECT_EQ(maker.calls, (Lines{"free 4"}));
  EXPECT_TRUE(other.calls.empty());
}

TEST(AdpcmDecoder, StopsWhereTheDataEnds) {
  EXPECT_TRUE(swf::decode_adpcm(nullptr, 0, 100, false).empty());
  const uint8_t head_only[] = {0x40, 0x12};  // 4-bit codes, then half a first sample
  EXPECT_TRUE(swf::decode_adpcm(head_only, sizeof head_only, 100, false).empty());
  // 2-bit codes (size field 0), first sample 0x1234 at index 0, then codes.
  const uint8_t block[] = {0x04, 0x8D, 0x00, 0x00, 0x00};
  const std::vector<int16_t> out = swf::decode_adpcm(block, sizeof block, 0xFFFFFFFFu, false);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out[0], 0x1234);
  EXPECT_LE(out.size(), 1u + (sizeof block * 8 - 24) / 2);
}

// The engine's backend on the offline mixer.
class BassSound : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetOfflineMixing(true);
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    backend_.reset(static_cast<swf::sound_backend_bass*>(swf::create_sound_backend_bass()));
    swf::set_sound_backend(backend_.get());
  }
  void TearDown() override {
    swf::set_sound_backend(nullptr);
    backend_.reset();
    BASS_Free();
    platform::testing::SetOfflineMixing(false);
  }

  std::vector<HCHANNEL> Channels(HSAMPLE sample) {
    std::vector<HCHANNEL> channels(8);
    const DWORD count = BASS_SampleGetChannels(sample, channels.data());
    channels.resize(count == static_cast<DWORD>(-1) ? 0 : count);
    return channels;
  }
  // The loudest level of the next stretch of the mix.
  int Loudest() {
    std::vector<int16_t> mix(2 * 512);
    platform::testing::RenderMix(mix.data(), 512);
    int loudest = 0;
    for (int16_t v : mix) loudest = std::max(loudest, std::abs(static_cast<int>(v)));
    return loudest;
  }

  std::unique_ptr<swf::sound_backend_bass> backend_;
};

TEST_F(BassSound, PlaysStopsAndPlaysAgainAtTheSoundsRate) {
  HSAMPLE handle = 0;
  {
    StagePlayer player("sounds.swf");
    handle = backend_->handle_of(player.movie()->find_sound(1)->sample_id);
    ASSERT_NE(handle, 0u);

    // The first step plays frame 1, which starts the sound, and frame 2,
    // which stops it.
    player.Step(kFrame);
    EXPECT_TRUE(Channels(handle).empty()) << "the stop flag stops every playback";
    EXPECT_EQ(Loudest(), 0);

    player.Step(kFrame);
    std::vector<HCHANNEL> playing = Channels(handle);
    ASSERT_EQ(playing.size(), 1u) << "a stopped sound starts again";
    const platform::testing::MixerChannelInfo info = platform::testing::InspectChannel(playing[0]);
    EXPECT_TRUE(info.playing);
    EXPECT_EQ(info.freq, 22050);
    EXPECT_GT(Loudest(), 4000);

    player.Step(kFrame);
    EXPECT_EQ(Channels(handle).size(), 2u) << "starting a playing sound adds a playback";

    const HSAMPLE stereo = backend_->handle_of(player.movie()->find_sound(2)->sample_id);
    backend_->begin_playback(player.movie()->find_sound(2)->sample_id, 0);
    ASSERT_EQ(Channels(stereo).size(), 1u);
    EXPECT_EQ(platform::testing::InspectChannel(Channels(stereo)[0]).freq, 11025);
  }
  EXPECT_EQ(BASS_SampleGetChannels(handle, nullptr), static_cast<DWORD>(-1)) << "freed with the movie";
}

TEST_F(BassSound, RefusesFormatsItCannotPlay) {
  StagePlayer player("sounds.swf");
  int unable = 0;
  int codes = 0;
  for (const PlayerLogLine& line : PlayerLogCapture::Lines()) {
    unable += line.error && line.text == "Unable to load sound\n";
    codes += line.error && line.text.rfind("BASS Error Code ", 0) == 0;
  }
  EXPECT_EQ(unable, 2) << PlayerLogCapture::Text();
  EXPECT_EQ(codes, 2);
  for (int character : {3, 4}) {
    const int32_t id = player.movie()->find_sound(character)->sample_id;
    EXPECT_EQ(backend_->handle_of(id), 0u);
    backend_->begin_playback(id, 0);  // plays nothing, harmlessly
  }
  backend_->begin_playback(-1, 0);
  backend_->end_playback(1000);
  backend_->free_sample(1000);
}

TEST_F(BassSound, BackendFreesItsSamplesWhenItGoes) {
  const int32_t id = backend_->make_sample(std::vector<int16_t>(100, 1000).data(), 200, 100,
                                           swf::sound_backend::FORMAT_NATIVE16, 22050, false);
  const HSAMPLE handle = backend_->handle_of(id);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(BASS_SampleGetChannels(handle, nullptr), 0u);
  swf::set_sound_backend(nullptr);
  backend_.reset();
  EXPECT_EQ(BASS_SampleGetChannels(handle, nullptr), static_cast<DWORD>(-1));
}

}  // namespace
