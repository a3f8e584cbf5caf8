#include <gtest/gtest.h>

#include <set>

#include "audio/audio.h"
#include "board/qor_music_rotation.h"
#include "core/script/lua_test_support.h"
#include "game_board_support.h"
#include "log_capture.h"
#include "platform/audio/bass_testing.h"
#include "platform/sound_fixtures.h"

namespace {

using board_testing::GameBoardTest;
using board_testing::TestWell;
using platform::testing::InspectChannel;

class MusicRotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetOfflineMixing(true);
    scratch_.Write("sounds/soundbank.lua", "SoundBank = {}\n");
    scratch_.Write("sounds/segments.lua", "AudioSegments = {}\n");
    // A tenth of a second each, told apart by their samples.
    for (int i = 1; i <= 3; ++i) {
      const sound_fixtures::Bytes bytes = sound_fixtures::MakeLevelWav(44100, 1, 4410, 4000 * i);
      scratch_.Write("sounds/Game Play Cue " + std::to_string(i) + ".ogg", std::string(bytes.begin(), bytes.end()));
    }
    audio::GetAudio().Init("sounds/soundbank.lua");
    audio::GetAudio().SetMusicVolume(80);
  }
  void TearDown() override {
    audio::GetAudio().StopAll();
    BASS_Free();
    platform::testing::SetOfflineMixing(false);
  }

  // The left sample of the last frame mixed.
  int Mix(size_t frames) {
    std::vector<int16_t> out(frames * 2);
    platform::testing::RenderMix(out.data(), frames);
    return out[out.size() - 2];
  }

  LogCapture quiet_;
  testsupport::ScratchDir scratch_{true};
};

TEST_F(MusicRotationTest, MovesOnToARandomPieceWhenItsChannelEnds) {
  QORMusicRotation music;
  std::srand(3);
  music.Build();
  std::set<int> heard;
  for (int round = 0; round < 12; ++round) {
    const HCHANNEL channel = music.GetChannel();
    ASSERT_NE(channel, 0u) << round;
    ASSERT_TRUE(InspectChannel(channel).playing) << round;
    // Piece i is a level of 4000 i, played at music volume 80.
    EXPECT_NEAR(Mix(10), 3200 * (music.GetIndex() + 1), 2) << round;
    heard.insert(music.GetIndex());
    // Still playing: the rotation keeps it.
    music.Tick();
    EXPECT_EQ(music.GetChannel(), channel);
    Mix(4410 - 10 + 100);
    EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
    music.Tick();
    EXPECT_TRUE(InspectChannel(music.GetChannel()).playing) << round;
    EXPECT_GE(music.GetIndex(), 0);
    EXPECT_LT(music.GetIndex(), 3);
  }
  // Twelve draws of three pieces reach more than one of them.
  EXPECT_GT(heard.size(), 1u);
}

TEST_F(MusicRotationTest, WithTheMusicTurnedDownNothingPlaysAndNothingBreaks) {
  audio::GetAudio().SetMusicVolume(5);
  QORMusicRotation music;
  music.Build();
  EXPECT_EQ(music.GetChannel(), 0u);
  music.Tick();
  EXPECT_EQ(music.GetChannel(), 0u);
}

TEST_F(GameBoardTest, ALevelWithTheRivalPlaysTheRaceMusicInsteadOfTheRotation) {
  TestWell plain;
  ASSERT_TRUE(plain.LoadLevel("level/red_only.lua"));
  EXPECT_NE(plain.GetMusic(), nullptr);
  TestWell shady;
  ASSERT_TRUE(shady.LoadLevel("level/floor.lua"));
  EXPECT_EQ(shady.GetMusic(), nullptr);
  TestWell race;
  race.race = true;
  ASSERT_TRUE(race.LoadLevel("level/red_only.lua"));
  EXPECT_EQ(race.GetMusic(), nullptr);
}

}  // namespace
