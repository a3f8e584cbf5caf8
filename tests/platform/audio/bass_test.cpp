#include "platform/audio/bass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio/bass_testing.h"
#include "platform/codecs/sound_decoder.h"
#include "platform/sound_fixtures.h"

namespace {

using platform::testing::InspectChannel;
using platform::testing::RenderMix;
using sound_fixtures::Bytes;

constexpr DWORD kRate = 44100;

std::vector<int16_t> Render(size_t frames) {
  std::vector<int16_t> out(frames * 2);
  RenderMix(out.data(), frames);
  return out;
}

bool IsSilent(const std::vector<int16_t>& mix) {
  for (int16_t s : mix)
    if (s != 0) return false;
  return true;
}

HSAMPLE Load(const Bytes& file, DWORD max, DWORD flags) {
  return BASS_SampleLoad(TRUE, file.data(), 0, static_cast<DWORD>(file.size()), max, flags);
}

HMUSIC LoadMusic(const Bytes& file, DWORD flags) {
  return BASS_MusicLoad(TRUE, file.data(), 0, static_cast<DWORD>(file.size()), flags, 0);
}

class BassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetOfflineMixing(true);
    ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr, nullptr));
  }
  void TearDown() override {
    BASS_Free();
    platform::testing::SetOfflineMixing(false);
  }

  // A playing channel of a looping half-level mono sample.
  HCHANNEL PlayLevel(int volume, int pan) {
    HSAMPLE sample = Load(sound_fixtures::MakeLevelWav(kRate, 1, 4410, 16384), 10, BASS_SAMPLE_LOOP);
    HCHANNEL channel = BASS_SampleGetChannel(sample, FALSE);
    EXPECT_TRUE(BASS_ChannelSetAttributes(channel, -1, volume, pan));
    EXPECT_TRUE(BASS_ChannelPlay(channel, TRUE));
    return channel;
  }
};

TEST(BassLifecycle, CallsFailBeforeInitAndInitIsOnce) {
  EXPECT_FALSE(BASS_Start());
  EXPECT_FALSE(BASS_Free());
  Bytes wav = sound_fixtures::MakeLevelWav(kRate, 1, 100, 1000);
  EXPECT_EQ(Load(wav, 1, 0), 0u);
  EXPECT_FALSE(BASS_Init(2, kRate, 0, nullptr, nullptr));
  EXPECT_FALSE(BASS_Init(0, 10, 0, nullptr, nullptr));
  ASSERT_TRUE(BASS_Init(0, kRate, 0, nullptr, nullptr));
  EXPECT_FALSE(BASS_Init(0, kRate, 0, nullptr, nullptr));
  EXPECT_TRUE(BASS_Free());
  // Again after a free, now on the (silent) output device.
  ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr, nullptr));
  EXPECT_NE(Load(wav, 1, 0), 0u);
  EXPECT_TRUE(BASS_Free());
}

TEST_F(BassTest, SamplePlaysAtItsVolumeAndPan) {
  struct Case {
    int volume, pan, left, right;
  } cases[] = {
      {100, 0, 16384, 16384}, {50, 0, 8192, 8192},   {0, 0, 0, 0},
      {100, -100, 16384, 0},  {100, 100, 0, 16384},  {60, 50, 4915, 9830},
      {60, -50, 9830, 4915},
  };
  for (const Case& c : cases) {
    HCHANNEL channel = PlayLevel(c.volume, c.pan);
    std::vector<int16_t> mix = Render(256);
    EXPECT_NEAR(mix[200], c.left, 2) << c.volume << " " << c.pan;
    EXPECT_NEAR(mix[201], c.right, 2) << c.volume << " " << c.pan;
    BASS_ChannelStop(channel);
  }
}

TEST_F(BassTest, StereoSampleKeepsItsSidesAndChannelsAddUp) {
  std::vector<int16_t> frames;
  for (int i = 0; i < 1000; ++i) {
    frames.push_back(8192);
    frames.push_back(-4096);
  }
  HSAMPLE stereo = Load(sound_fixtures::MakeWav(kRate, 2, frames), 4, BASS_SAMPLE_LOOP);
  ASSERT_NE(stereo, 0u);
  BASS_ChannelPlay(BASS_SampleGetChannel(stereo, FALSE), TRUE);
  BASS_ChannelPlay(BASS_SampleGetChannel(stereo, FALSE), TRUE);
  std::vector<int16_t> mix = Render(64);
  EXPECT_NEAR(mix[100], 16384, 2);
  EXPECT_NEAR(mix[101], -8192, 2);
}

TEST_F(BassTest, LoudMixClipsInsteadOfWrapping) {
  for (int i = 0; i < 3; ++i) PlayLevel(100, 0);
  EXPECT_EQ(Render(64)[100], 32767);
}

TEST_F(BassTest, UnchangedValuesLeaveAttributesAlone) {
  HCHANNEL channel = PlayLevel(40, 30);
  struct Case {
    int freq, volume, pan;
    bool accepted;
    int wantFreq, wantVolume, wantPan;
  } cases[] = {
      {-1, -1, -101, true, 44100, 40, 30},  {-1, 70, -101, true, 44100, 70, 30},
      {-1, -1, -20, true, 44100, 70, -20},  {22050, -1, -101, true, 22050, 70, -20},
      {0, -1, -101, true, 44100, 70, -20},  {-1, 101, -101, false, 44100, 70, -20},
      {-1, -2, 0, false, 44100, 70, -20},   {-1, 0, -102, false, 44100, 70, -20},
      {-1, 0, 101, false, 44100, 70, -20},  {50, 0, 0, false, 44100, 70, -20},
      {-1, 0, -100, true, 44100, 0, -100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BASS_ChannelSetAttributes(channel, c.freq, c.volume, c.pan) != FALSE, c.accepted)
        << c.freq << " " << c.volume << " " << c.pan;
    platform::testing::MixerChannelInfo info = InspectChannel(channel);
    EXPECT_EQ(info.freq, c.wantFreq);
    EXPECT_EQ(info.volume, c.wantVolume);
    EXPECT_EQ(info.pan, c.wantPan);
  }
  EXPECT_FALSE(BASS_ChannelSetAttributes(channel + 1000, -1, 50, -101));
}

TEST_F(BassTest, FrequencyChangesTheRateAtWhichTheSampleIsRead) {
  HSAMPLE sample = Load(sound_fixtures::MakeLevelWav(22050, 1, 22050, 100), 1, 0);
  HCHANNEL channel = BASS_SampleGetChannel(sample, FALSE);
  BASS_ChannelPlay(channel, TRUE);
  Render(1000);
  EXPECT_EQ(BASS_ChannelGetPosition(channel), 500u * 2);
  BASS_ChannelSetAttributes(channel, 44100, -1, -101);
  Render(1000);
  EXPECT_EQ(BASS_ChannelGetPosition(channel), 1500u * 2);
}

TEST_F(BassTest, EachSampleHasItsChannelLimit) {
  HSAMPLE sample = Load(sound_fixtures::MakeLevelWav(kRate, 1, 4410, 1000), 3, BASS_SAMPLE_LOOP);
  std::vector<HCHANNEL> channels;
  for (int i = 0; i < 3; ++i) {
    channels.push_back(BASS_SampleGetChannel(sample, FALSE));
    ASSERT_NE(channels.back(), 0u);
    BASS_ChannelPlay(channels.back(), TRUE);
  }
  EXPECT_EQ(BASS_SampleGetChannel(sample, TRUE), 0u);
  // Without "only new" the longest-playing channel is taken over.
  HCHANNEL fourth = BASS_SampleGetChannel(sample, FALSE);
  EXPECT_NE(fourth, 0u);
  EXPECT_FALSE(InspectChannel(channels[0]).exists);
  EXPECT_EQ(BASS_ChannelIsActive(channels[0]), BASS_ACTIVE_STOPPED);
  EXPECT_TRUE(InspectChannel(channels[1]).exists);
  HCHANNEL live[3] = {};
  ASSERT_EQ(BASS_SampleGetChannels(sample, live), 3u);
  EXPECT_EQ(std::count(live, live + 3, channels[0]), 0);
  EXPECT_EQ(std::count(live, live + 3, fourth), 1);
  // A stopped channel frees its place.
  BASS_ChannelStop(channels[1]);
  EXPECT_NE(BASS_SampleGetChannel(sample, TRUE), 0u);
  EXPECT_EQ(BASS_SampleGetChannels(sample, nullptr), 3u);
  EXPECT_EQ(BASS_SampleGetChannels(sample + 1000, nullptr), static_cast<DWORD>(-1));
  // Another sample has its own limit.
  HSAMPLE other = Load(sound_fixtures::MakeLevelWav(kRate, 1, 10, 1000), 1, 0);
  EXPECT_NE(BASS_SampleGetChannel(other, TRUE), 0u);
}

TEST_F(BassTest, SampleEndsAndFreesItsChannel) {
  HSAMPLE sample = Load(sound_fixtures::MakeLevelWav(kRate, 1, 1500, 1000), 1, 0);
  HCHANNEL channel = BASS_SampleGetChannel(sample, FALSE);
  BASS_ChannelPlay(channel, TRUE);
  std::vector<int16_t> mix = Render(2000);
  EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
  EXPECT_NE(mix[2 * 1400], 0);
  EXPECT_EQ(mix[2 * 1600], 0);
  EXPECT_FALSE(BASS_ChannelPlay(channel, TRUE));
}

TEST_F(BassTest, PauseHoldsEverythingAndStartResumes) {
  HCHANNEL channel = PlayLevel(100, 0);
  EXPECT_FALSE(IsSilent(Render(100)));
  QWORD before = BASS_ChannelGetPosition(channel);
  ASSERT_TRUE(BASS_Pause());
  EXPECT_TRUE(IsSilent(Render(500)));
  EXPECT_EQ(BASS_ChannelGetPosition(channel), before);
  EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_PLAYING);
  ASSERT_TRUE(BASS_Start());
  EXPECT_FALSE(IsSilent(Render(100)));
  EXPECT_EQ(BASS_ChannelGetPosition(channel), before + 200);
}

TEST_F(BassTest, RefusesWhatIsNoSound) {
  Bytes wav = sound_fixtures::MakeLevelWav(kRate, 1, 100, 1000);
  Bytes truncated(wav.begin(), wav.begin() + 30);
  Bytes noise(3000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 7919 >> 3);
  EXPECT_EQ(Load(truncated, 1, 0), 0u);
  EXPECT_EQ(Load(noise, 1, 0), 0u);
  EXPECT_EQ(Load(wav, 0, 0), 0u);
  EXPECT_EQ(BASS_SampleLoad(FALSE, "sounds/x.wav", 0, 0, 1, 0), 0u);
  EXPECT_EQ(BASS_SampleLoad(TRUE, wav.data(), 0, 0, 1, 0), 0u);
  EXPECT_EQ(LoadMusic(wav, 0), 0u);
  EXPECT_EQ(LoadMusic(noise, 0), 0u);
  EXPECT_EQ(BASS_SampleGetChannel(12345, FALSE), 0u);
}

TEST_F(BassTest, CreatedSampleHoldsWhatWasWrittenAndReportsRefusals) {
  EXPECT_EQ(BASS_SampleCreateDone(), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
  struct Refused {
    DWORD length, freq, chans, max, flags;
  };
  const Refused refused[] = {
      {0, 22050, 1, 1, 0}, {3, 22050, 1, 1, 0}, {6, 22050, 2, 1, 0}, {4, 22050, 3, 1, 0},
      {4, 10, 1, 1, 0},    {4, 22050, 1, 0, 0}, {4, 22050, 1, 1, 1},
  };
  for (const Refused& r : refused) {
    EXPECT_EQ(BASS_SampleCreate(r.length, r.freq, r.chans, r.max, r.flags), nullptr) << r.length << " " << r.chans;
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  }

  auto* buffer = static_cast<int16_t*>(BASS_SampleCreate(2 * 4410, 22050, 1, 2, BASS_SAMPLE_LOOP));
  ASSERT_NE(buffer, nullptr);
  std::fill(buffer, buffer + 4410, int16_t{8000});
  HSAMPLE sample = BASS_SampleCreateDone();
  ASSERT_NE(sample, 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
  EXPECT_EQ(BASS_SampleCreateDone(), 0u) << "one sample per creation";

  HCHANNEL first = BASS_SampleGetChannel(sample, FALSE);
  HCHANNEL second = BASS_SampleGetChannel(sample, FALSE);
  ASSERT_TRUE(BASS_ChannelPlay(first, TRUE));
  ASSERT_TRUE(BASS_ChannelPlay(second, TRUE));
  EXPECT_EQ(InspectChannel(first).freq, 22050);
  std::vector<int16_t> mix = Render(64);
  EXPECT_NEAR(mix[20], 16000, 2);
  EXPECT_NEAR(mix[21], 16000, 2);

  EXPECT_TRUE(BASS_SampleStop(sample));
  EXPECT_TRUE(IsSilent(Render(64)));
  EXPECT_EQ(BASS_SampleGetChannels(sample, nullptr), 0u);
  EXPECT_NE(BASS_SampleGetChannel(sample, FALSE), 0u) << "a stopped sample plays again";

  EXPECT_TRUE(BASS_SampleFree(sample));
  EXPECT_TRUE(IsSilent(Render(64)));
  EXPECT_FALSE(BASS_SampleFree(sample));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
  EXPECT_FALSE(BASS_SampleStop(sample));
  EXPECT_EQ(BASS_SampleGetChannel(sample, FALSE), 0u);
}

TEST_F(BassTest, ModulePlaysLoopsAndFrees) {
  Bytes mod = sound_fixtures::MakeModule(1);
  HMUSIC once = LoadMusic(mod, BASS_MUSIC_PRESCAN | BASS_MUSIC_RAMPS);
  HMUSIC looped = LoadMusic(mod, BASS_MUSIC_PRESCAN | BASS_MUSIC_RAMPS | BASS_MUSIC_LOOP);
  ASSERT_NE(once, 0u);
  ASSERT_NE(looped, 0u);
  EXPECT_TRUE(BASS_ChannelPlay(once, TRUE));
  EXPECT_TRUE(BASS_ChannelPlay(looped, TRUE));
  EXPECT_FALSE(IsSilent(Render(4410)));
  // One pattern of 64 rows at the default tempo lasts 7.68 s.
  Render(kRate * 8);
  EXPECT_EQ(BASS_ChannelIsActive(once), BASS_ACTIVE_STOPPED);
  EXPECT_EQ(BASS_ChannelIsActive(looped), BASS_ACTIVE_PLAYING);
  // Played again from the start, the ended module plays again.
  EXPECT_TRUE(BASS_ChannelPlay(once, TRUE));
  EXPECT_EQ(BASS_ChannelIsActive(once), BASS_ACTIVE_PLAYING);
  EXPECT_TRUE(BASS_MusicFree(once));
  EXPECT_FALSE(InspectChannel(once).exists);
  EXPECT_FALSE(BASS_MusicFree(once));
  // A sample channel is no module.
  EXPECT_FALSE(BASS_MusicFree(PlayLevel(50, 0)));
}

HSTREAM LoadStream(const Bytes& file, DWORD flags) {
  return BASS_StreamCreateFile(TRUE, file.data(), 0, file.size(), flags);
}

// A Vorbis stream (read a block at a time) and a WAV one (decoded whole)
// play what the whole file decodes to, loop without a gap, stay after they
// end, and play again from the start.
TEST_F(BassTest, StreamPlaysTheDecodedSoundLoopsAndStaysUntilFreed) {
  std::vector<float> tone(11000);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(i * 2 * M_PI * 441.0 / kRate);
  const Bytes files[] = {sound_fixtures::EncodeVorbis(kRate, tone),
                         sound_fixtures::MakeLevelWav(kRate, 1, 11000, 3000)};
  for (const Bytes& file : files) {
    platform::sound::PcmSound pcm;
    ASSERT_TRUE(platform::sound::DecodeSound(file.data(), file.size(), pcm));
    const size_t length = pcm.FrameCount();
    HSTREAM once = LoadStream(file, 0);
    ASSERT_NE(once, 0u);
    EXPECT_FALSE(InspectChannel(once).isMusic);
    EXPECT_EQ(InspectChannel(once).freq, static_cast<int>(kRate));
    ASSERT_TRUE(BASS_ChannelPlay(once, TRUE));
    std::vector<int16_t> mix = Render(length / 2);
    for (size_t i = 0; i < length / 2; ++i) ASSERT_EQ(mix[i * 2], pcm.samples[i]) << i;
    EXPECT_EQ(BASS_ChannelGetPosition(once), QWORD{length / 2} * 2);
    Render(length);
    EXPECT_EQ(BASS_ChannelIsActive(once), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(InspectChannel(once).exists);
    ASSERT_TRUE(BASS_ChannelPlay(once, TRUE));
    EXPECT_EQ(Render(1)[0], pcm.samples[0]);
    EXPECT_TRUE(BASS_StreamFree(once));
    EXPECT_FALSE(InspectChannel(once).exists);
    EXPECT_FALSE(BASS_StreamFree(once));

    HSTREAM looped = LoadStream(file, BASS_SAMPLE_LOOP);
    ASSERT_TRUE(BASS_ChannelPlay(looped, TRUE));
    mix = Render(length * 5 / 2);
    for (size_t i = 0; i < length * 5 / 2; ++i) ASSERT_EQ(mix[i * 2], pcm.samples[i % length]) << i;
    EXPECT_EQ(BASS_ChannelIsActive(looped), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(BASS_ChannelGetPosition(looped), QWORD{length / 2} * 2);
    // Stopped, it stays silent and can be freed.
    EXPECT_TRUE(BASS_ChannelStop(looped));
    EXPECT_TRUE(IsSilent(Render(100)));
    EXPECT_TRUE(BASS_StreamFree(looped));
  }
}

TEST_F(BassTest, StreamPlaysAtItsOwnRateAndRefusesWhatIsNoSound) {
  HSTREAM half = LoadStream(sound_fixtures::MakeLevelWav(kRate / 2, 2, 30000, 2000), 0);
  ASSERT_NE(half, 0u);
  ASSERT_TRUE(BASS_ChannelPlay(half, TRUE));
  Render(kRate / 2);
  // Half a second at the output rate is half a second of the stream.
  EXPECT_EQ(BASS_ChannelGetPosition(half), QWORD{kRate / 4} * 4);
  EXPECT_TRUE(BASS_ChannelSetAttributes(half, kRate, -1, -101));
  Render(kRate / 4);
  EXPECT_EQ(BASS_ChannelGetPosition(half), QWORD{kRate / 2} * 4);

  const Bytes noise(3000, 0x33);
  EXPECT_EQ(LoadStream(noise, 0), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
  EXPECT_EQ(LoadStream(noise, BASS_MUSIC_RAMPS), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  // A sample channel is no stream.
  EXPECT_FALSE(BASS_StreamFree(PlayLevel(50, 0)));
}

TEST_F(BassTest, ModuleJumpsToTheOrderAndRowAsked) {
  HMUSIC music = LoadMusic(sound_fixtures::MakeModule(3), BASS_MUSIC_LOOP);
  ASSERT_NE(music, 0u);
  BASS_ChannelPlay(music, TRUE);
  Render(64);
  EXPECT_EQ(InspectChannel(music).order, 0);
  EXPECT_EQ(InspectChannel(music).row, 0);
  ASSERT_TRUE(BASS_ChannelSetPosition(music, BassMusicPosition(2, 16)));
  Render(64);
  EXPECT_EQ(InspectChannel(music).order, 2);
  EXPECT_EQ(InspectChannel(music).row, 16);
  ASSERT_TRUE(BASS_ChannelSetPosition(music, BassMusicPosition(1, 0)));
  Render(64);
  EXPECT_EQ(InspectChannel(music).order, 1);
  EXPECT_EQ(InspectChannel(music).row, 0);
  // Outside the order list, or not in order-and-row form: refused, no jump.
  EXPECT_FALSE(BASS_ChannelSetPosition(music, BassMusicPosition(3, 0)));
  EXPECT_FALSE(BASS_ChannelSetPosition(music, 1000));
  EXPECT_EQ(InspectChannel(music).order, 1);
  HCHANNEL sampleChannel = PlayLevel(50, 0);
  EXPECT_FALSE(BASS_ChannelSetPosition(sampleChannel, BassMusicPosition(0, 0)));
}

struct SyncRecord {
  std::atomic<int> calls{0};
  std::atomic<DWORD> channel{0};
  std::atomic<QWORD> position{0};
  std::thread::id thread;
};

void RecordSync(HSYNC, DWORD channel, DWORD, void* user) {
  auto* record = static_cast<SyncRecord*>(user);
  record->channel = channel;
  record->position = BASS_ChannelGetPosition(channel);
  record->thread = std::this_thread::get_id();
  ++record->calls;
}

TEST_F(BassTest, SyncFiresWhenThePlaybackPassesItsPosition) {
  HSAMPLE sample = Load(sound_fixtures::MakeLevelWav(kRate, 1, 3000, 1000), 1, BASS_SAMPLE_LOOP);
  HCHANNEL channel = BASS_SampleGetChannel(sample, FALSE);
  SyncRecord record;
  // Frame 1500 of 16-bit mono.
  ASSERT_NE(BASS_ChannelSetSync(channel, BASS_SYNC_MIXTIME | BASS_SYNC_POS, 3000, RecordSync,
                                &record),
            0u);
  BASS_ChannelPlay(channel, TRUE);
  Render(1000);
  EXPECT_EQ(record.calls, 0);
  Render(1000);
  EXPECT_EQ(record.calls, 1);
  EXPECT_EQ(record.channel, channel);
  EXPECT_EQ(record.position, 4000u);
  // Again on the next pass of the loop, not before.
  Render(2000);
  EXPECT_EQ(record.calls, 1);
  Render(1000);
  EXPECT_EQ(record.calls, 2);
  EXPECT_EQ(BASS_ChannelSetSync(channel, 2, 0, RecordSync, &record), 0u);
  EXPECT_EQ(BASS_ChannelSetSync(channel, BASS_SYNC_POS, 0, nullptr, nullptr), 0u);
}

TEST_F(BassTest, ModuleSyncRunsOnTheMixingThread) {
  platform::testing::SetOfflineMixing(false);
  HMUSIC music = LoadMusic(sound_fixtures::MakeModule(1), BASS_MUSIC_LOOP);
  SyncRecord record;
  ASSERT_NE(BASS_ChannelSetSync(music, BASS_SYNC_MIXTIME | BASS_SYNC_POS, 3, RecordSync, &record),
            0u);
  BASS_ChannelPlay(music, TRUE);
  for (int i = 0; i < 300 && record.calls == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(record.calls, 1);
  EXPECT_EQ(record.channel, music);
  EXPECT_NE(record.thread, std::this_thread::get_id());
}

}  // namespace
