#include "audio/audio.h"

#include <gtest/gtest.h>

#include <vector>

#include "audio/audio_test_support.h"
#include "core/text/crc32.h"
#include "core/script/script_helper.h"

namespace {

using platform::testing::InspectChannel;
using platform::testing::MixerChannelInfo;

void Mix(size_t frames) {
  std::vector<int16_t> out(frames * 2);
  platform::testing::RenderMix(out.data(), frames);
}

class AudioTest : public testsupport::AudioTestBase {
 protected:
  void SetUp() override {
    AudioTestBase::SetUp();
    WriteSound("sfx/click.wav");
    // Sample music is told by its extension; the decoder goes by the content,
    // so WAV data stands in for Ogg and MP3 files here.
    WriteSound("music/theme.ogg");
    WriteSound("music/THEME2.OGG");
    WriteBytes("music/short.mp3", sound_fixtures::MakeLevelWav(44100, 1, 500, 8000));
    WriteBytes("music/tune.mod", sound_fixtures::MakeModule(4));
    WriteBytes("music/other.mod", sound_fixtures::MakeModule(2));
    WriteText("sounds/soundbank.lua", R"(SoundBank = { { Name = "click", Files = { "sfx/click.wav" } } })");
    WriteText("sounds/segments.lua", R"(
      AudioSegments = {
        { Name = "intro", File = "music/tune.mod", Order = 1, Row = 8, Bias = 0.5 },
        { Name = "battle", File = "music/tune.mod", Order = 3, Row = 0 },
        { Name = "calm", File = "music/other.mod", Order = 1, Row = 4, Bias = 0.75 },
        { Name = "theme", File = "music/theme.ogg", Bias = 0.75 },
        { Name = "intro", File = "music/other.mod" },
        "skipped",
        { Name = "nowhere", File = "music/none.mod" },
      })");
  }

  void Start() {
    audio_.Init("sounds/soundbank.lua");
    audio_.SetMusicVolume(80);
  }

  MixerChannelInfo Music(DWORD channel) { return InspectChannel(channel); }

  audio::Audio audio_;
};

TEST_F(AudioTest, WithoutTheSoundSystemNothingPlays) {
  ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));  // taken: Init must fail
  testsupport::LogCapture log;
  Start();
  EXPECT_TRUE(log.Has("Unable to load BASS sound system!"));
  EXPECT_EQ(audio_.PlaySound("click"), 0);
  audio_.PlaySegment("intro");
}

TEST_F(AudioTest, LoadSoundSharesOneSamplePerName) {
  Start();
  uint32_t key = audio_.LoadSound("sfx/click.wav", false);
  EXPECT_EQ(key, num::NameKey("sfx/click.wav"));
  EXPECT_EQ(audio_.LoadSound("SFX/Click.WAV", true), key);
  EXPECT_EQ(audio_.LoadSound("sfx/none.wav", false), 0u);
  WriteText("sfx/text.wav", "not a sound at all");
  EXPECT_EQ(audio_.LoadSound("sfx/text.wav", false), 0u);
}

TEST_F(AudioTest, EffectsPlayAtSfxVolumeTimesScaleTimesFactor) {
  Start();
  uint32_t key = audio_.LoadSound("sfx/click.wav", false);
  struct Case {
    int sfx;
    float factor;
    int volume;  // -1: nothing plays
  } cases[] = {
      {100, 1.0f, 60}, {70, 1.0f, 42}, {70, 0.5f, 21}, {0, 1.0f, -1},
      {-5, 1.0f, -1},  {500, 1.0f, 100}, {100, -2.0f, 0},
  };
  for (const Case& c : cases) {
    audio_.SetSFXVolume(c.sfx);
    HCHANNEL channel = audio_.PlaySample(key, c.factor);
    if (c.volume < 0) {
      EXPECT_EQ(channel, 0u) << c.sfx;
    } else {
      ASSERT_NE(channel, 0u) << c.sfx;
      EXPECT_EQ(InspectChannel(channel).volume, c.volume) << c.sfx << " x " << c.factor;
    }
  }
  EXPECT_EQ(audio_.PlaySample(12345, 1.0f), 0u);
  // Changing the SFX volume leaves playing effects alone.
  audio_.SetSFXVolume(100);
  HCHANNEL playing = audio_.PlaySample(key, 1.0f);
  audio_.SetSFXVolume(10);
  EXPECT_EQ(InspectChannel(playing).volume, 60);
  EXPECT_GT(audio_.PlaySound("CLICK"), 0);
  EXPECT_EQ(audio_.PlaySound("nothing"), -1);
  audio_.StopSound(playing);
  EXPECT_FALSE(InspectChannel(playing).exists);
}

TEST_F(AudioTest, SampleIsPlayingWhileAnyOfItsChannelsPlays) {
  Start();
  uint32_t key = audio_.LoadSound("sfx/click.wav", false);
  EXPECT_FALSE(audio_.IsSamplePlaying(key));
  HCHANNEL first = audio_.PlaySample(key, 1.0f);
  HCHANNEL second = audio_.PlaySample(key, 1.0f);
  EXPECT_TRUE(audio_.IsSamplePlaying(key));
  audio_.StopSound(first);
  EXPECT_TRUE(audio_.IsSamplePlaying(key));
  audio_.StopSound(second);
  EXPECT_FALSE(audio_.IsSamplePlaying(key));
  // The sound runs a tenth of a second and then ends by itself.
  audio_.PlaySample(key, 1.0f);
  Mix(44100 / 5);
  EXPECT_FALSE(audio_.IsSamplePlaying(key));
  // A key is no channel handle and no unknown key plays.
  EXPECT_FALSE(audio_.IsSamplePlaying(12345));
}

TEST_F(AudioTest, SameMusicGoesOnAndEndedMusicStartsAgain) {
  Start();
  DWORD channel = audio_.PlayMusic("music/tune.mod", 1.0f, true);
  ASSERT_NE(channel, 0u);
  Mix(44100);
  QWORD position = BASS_ChannelGetPosition(channel);
  EXPECT_EQ(audio_.PlayMusic("MUSIC/TUNE.MOD", 0.2f, false), channel);
  EXPECT_EQ(BASS_ChannelGetPosition(channel), position);
  EXPECT_EQ(Music(channel).volume, 80);

  DWORD sample = audio_.PlayMusic("music/short.mp3", 1.0f, false);
  ASSERT_NE(sample, 0u);
  EXPECT_FALSE(Music(channel).exists);  // the module was freed
  Mix(1000);
  EXPECT_EQ(BASS_ChannelIsActive(sample), BASS_ACTIVE_STOPPED);
  DWORD again = audio_.PlayMusic("music/short.mp3", 1.0f, false);
  EXPECT_NE(again, 0u);
  EXPECT_EQ(BASS_ChannelIsActive(again), BASS_ACTIVE_PLAYING);
}

TEST_F(AudioTest, ModulesLoadPrescannedAndRampedAndLogTheirStart) {
  Start();
  testsupport::LogCapture log;
  EXPECT_EQ(Music(audio_.PlayMusic("music/tune.mod", 1.0f, true)).flags, 0x20404u);
  EXPECT_EQ(Music(audio_.PlayMusic("music/other.mod", 1.0f, false)).flags, 0x20400u);
  EXPECT_TRUE(log.Has("Playing music music/tune.mod  [MSG_COMMENT]"));
  EXPECT_TRUE(log.Has("Playing music music/other.mod  [MSG_COMMENT]"));
  // Music that cannot be read or decoded is not announced.
  audio_.PlayMusic("music/none.mod", 1.0f, true);
  audio_.PlayMusic("sfx/click.wav", 1.0f, true);
  EXPECT_FALSE(log.Has("Playing music music/none.mod"));
  EXPECT_FALSE(log.Has("Playing music sfx/click.wav"));
}

TEST_F(AudioTest, MusicVolumeFollowsEachMusicsFactor) {
  Start();
  DWORD ogg = audio_.PlayMusic("music/theme.ogg", 0.5f, true);
  ASSERT_NE(ogg, 0u);
  EXPECT_FALSE(Music(ogg).isMusic);
  EXPECT_EQ(Music(ogg).volume, 40);
  audio_.SetMusicVolume(60);
  EXPECT_EQ(Music(ogg).volume, 30);
  // A module after it plays at that music's scale: its own factor is ignored.
  DWORD module = audio_.PlayMusic("music/tune.mod", 1.0f, true);
  EXPECT_TRUE(Music(module).isMusic);
  EXPECT_EQ(Music(module).volume, 30);
  DWORD quiet = audio_.PlayMusic("music/other.mod", 0.25f, true);
  EXPECT_EQ(Music(quiet).volume, 30);
  // Capitals in the extension still make sample music.
  DWORD upper = audio_.PlayMusic("music/THEME2.OGG", 1.0f, true);
  ASSERT_NE(upper, 0u);
  EXPECT_FALSE(Music(upper).isMusic);
  // A volume out of range from a script is held to the layer's range.
  audio_.SetMusicVolume(-20);
  EXPECT_EQ(Music(upper).volume, 0);
  audio_.SetMusicVolume(300);
  EXPECT_EQ(Music(upper).volume, 100);
}

TEST_F(AudioTest, QuietSampleMusicIsNotStartedButModulesAre) {
  Start();
  audio_.SetMusicVolume(5);
  EXPECT_EQ(audio_.PlayMusic("music/theme.ogg", 1.0f, true), 0u);
  DWORD module = audio_.PlayMusic("music/tune.mod", 1.0f, true);
  ASSERT_NE(module, 0u);
  EXPECT_EQ(Music(module).volume, 5);
  EXPECT_EQ(audio_.PlayMusic("music/none.mod", 1.0f, true), 0u);
  EXPECT_FALSE(Music(module).exists);
}

TEST_F(AudioTest, MusicChannelPlaysUntilItEndsOrIsStopped) {
  Start();
  EXPECT_FALSE(audio_.IsChannelPlaying(0));
  DWORD cue = audio_.PlayMusic("music/short.mp3", 1.0f, false);
  ASSERT_NE(cue, 0u);
  EXPECT_TRUE(audio_.IsChannelPlaying(cue));
  Mix(1000);
  EXPECT_FALSE(audio_.IsChannelPlaying(cue));
  DWORD module = audio_.PlayMusic("music/tune.mod", 1.0f, true);
  ASSERT_NE(module, 0u);
  Mix(44100);
  EXPECT_TRUE(audio_.IsChannelPlaying(module));
  audio_.StopAll();
  EXPECT_FALSE(audio_.IsChannelPlaying(module));
}

TEST_F(AudioTest, StopAllAndPlayCDStopAndFreeTheMusic) {
  Start();
  for (int use = 0; use < 2; ++use) {
    DWORD module = audio_.PlayMusic("music/tune.mod", 1.0f, true);
    ASSERT_NE(module, 0u);
    if (use == 0) audio_.StopAll();
    else audio_.PlayCD(7);
    EXPECT_FALSE(Music(module).exists);
    EXPECT_NE(audio_.PlayMusic("music/tune.mod", 1.0f, true), 0u);
  }
}

TEST_F(AudioTest, SegmentsJumpWithinTheirModule) {
  Start();
  audio_.PlaySegment("INTRO");
  DWORD channel = audio_.PlayMusic("music/tune.mod", 1.0f, true);  // the one playing
  Mix(64);
  EXPECT_EQ(Music(channel).order, 1);
  EXPECT_EQ(Music(channel).row, 8);
  EXPECT_EQ(Music(channel).volume, 80);  // a module's bias is ignored too
  // The same segment again does nothing: the music runs on.
  Mix(44100);
  int row = Music(channel).row;
  audio_.PlaySegment("intro");
  Mix(64);
  EXPECT_EQ(Music(channel).row, row);
  // Another segment of the module jumps without reloading.
  audio_.PlaySegment("battle");
  Mix(64);
  EXPECT_EQ(Music(channel).order, 3);
  EXPECT_EQ(Music(channel).row, 0);
  EXPECT_EQ(Music(channel).volume, 80);
  audio_.PlaySegment("no such segment");
  audio_.PlaySegment("nowhere");
  EXPECT_FALSE(Music(channel).exists);
}

TEST_F(AudioTest, SegmentPlaysAgainAfterItsMusicStoppedOrChanged) {
  Start();
  audio_.PlaySegment("theme");
  EXPECT_EQ(Music(audio_.PlayMusic("music/theme.ogg", 1.0f, true)).volume, 60);  // a bias of 0.75 is taken whole
  audio_.PlaySegment("calm");
  DWORD first = audio_.PlayMusic("music/other.mod", 1.0f, true);
  EXPECT_EQ(Music(first).volume, 60);  // at the scale the ogg music left
  audio_.StopAll();
  audio_.PlaySegment("calm");
  DWORD second = audio_.PlayMusic("music/other.mod", 1.0f, true);
  ASSERT_TRUE(Music(second).exists);
  Mix(64);
  EXPECT_EQ(Music(second).order, 1);
  EXPECT_EQ(Music(second).row, 4);
  audio_.PlayMusic("music/theme.ogg", 1.0f, true);
  audio_.PlaySegment("calm");
  DWORD third = audio_.PlayMusic("music/other.mod", 1.0f, true);
  EXPECT_TRUE(Music(third).isMusic);
}

TEST_F(AudioTest, BrokenSegmentFileLogsAndLeavesNoSegments) {
  WriteText("sounds/segments.lua", "AudioSegments = {{");
  testsupport::LogCapture log;
  Start();
  EXPECT_TRUE(log.Has("Unable to load audio segment file sounds/segments.lua!"));
  audio_.PlaySegment("intro");
  EXPECT_EQ(audio_.PlayMusic("music/theme.ogg", 1.0f, true) != 0, true);
}

TEST(AudioLua, ScriptsReachTheSoundSystem) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  audio::Audio::RegisterLua(state);
  ASSERT_EQ(state->DoString("local a = GetAudio()\n"
                            "a:SetSFXVolume(55.9)\n"
                            "a:SetMusicVolume(-3.7)\n"
                            "sfx = a:GetSFXVolume()\n"
                            "music = a:GetMusicVolume()\n"
                            "result = a:PlaySound('anything')\n"
                            "a:StopAll() a:PlayCD(2) a:StopSound(0) a:PlaySegment('x')\n"
                            "channel = a:PlayMusic('music/none.ogg', 1, true)\n"),
            0);
  EXPECT_EQ(script::GetGlobalObject(state, "sfx").GetInteger(), 55);
  EXPECT_EQ(script::GetGlobalObject(state, "music").GetInteger(), -3);
  EXPECT_EQ(script::GetGlobalObject(state, "result").GetInteger(), 0);
  EXPECT_EQ(script::GetGlobalObject(state, "channel").GetInteger(), 0);
  LuaPlus::LuaState::Destroy(state);
  audio::GetAudio().SetSFXVolume(70);
  audio::GetAudio().SetMusicVolume(70);
}

}  // namespace
