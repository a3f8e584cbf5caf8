#include "ui/gameflow/game_state.h"

#include <gtest/gtest.h>

#include "audio/audio.h"
#include "audio/audio_test_support.h"
#include "core/frame_timer.h"
#include "log_capture.h"

namespace {

class PlainState : public gameflow::GameState {
 public:
  bool Render() override { return true; }
};

TEST(GameStateTest, StartsUnnamedInactiveAndWithoutFade) {
  PlainState state;
  EXPECT_EQ(state.GetName(), "Base State");
  EXPECT_FALSE(state.IsActive());
  EXPECT_EQ(state.GetFadeMode(), gameflow::GameState::kNoFade);
  EXPECT_FLOAT_EQ(state.GetFadeTimer().period, 0.9f);
  EXPECT_FLOAT_EQ(state.GetFadeTimer().remaining, 0.9f);
  EXPECT_EQ(state.GetFrameCount(), 0);
  EXPECT_EQ(state.GetEnterTime(), 0.0f);
}

TEST(GameStateTest, TheFadeEndsOnlyOnceItsTimeRunsBelowZero) {
  PlainState state;
  state.Tick(0.5f);
  EXPECT_FLOAT_EQ(state.GetFadeTimer().remaining, 0.9f);  // no fade, no countdown
  state.RestartFadeIn();
  EXPECT_EQ(state.GetFrameCount(), 0);
  state.Tick(0.45f);
  state.Tick(0.45f);
  EXPECT_EQ(state.GetFadeTimer().remaining, 0.0f);
  EXPECT_EQ(state.GetFadeMode(), gameflow::GameState::kFadeIn);
  state.Tick(0.001f);
  EXPECT_EQ(state.GetFadeMode(), gameflow::GameState::kNoFade);
  EXPECT_EQ(state.GetFrameCount(), 3);
  // A new change of state restarts it at its full length.
  state.RestartFadeIn();
  EXPECT_EQ(state.GetFadeMode(), gameflow::GameState::kFadeIn);
  EXPECT_FLOAT_EQ(state.GetFadeTimer().GetProgress(), 0.0f);
}

class GameStateSoundTest : public testsupport::AudioTestBase {};

TEST_F(GameStateSoundTest, EntryAndExitAreLoggedAndLeavingSoundsTheShift) {
  WriteSound("sfx/shift.wav");
  WriteText("sounds/soundbank.lua", R"(SoundBank = { { Name = "screen_shift", Files = { "sfx/shift.wav" } } })");
  LogCapture log;
  PlainState state;
  state.SetName("title");
  // Without a sound bank leaving is silent.
  state.OnExit();

  audio::Audio& sound = audio::GetAudio();
  sound.Init("sounds/soundbank.lua");
  const audio::LoadedSample* shift = sound.Find("sfx/shift.wav");
  ASSERT_NE(shift, nullptr);
  EXPECT_TRUE(state.OnEnter());
  EXPECT_TRUE(state.IsActive());
  EXPECT_EQ(state.GetEnterTime(), GetFrameTimer().totalTime);
  EXPECT_FALSE(sound.IsSamplePlaying(shift->key));
  EXPECT_TRUE(state.OnExit());
  EXPECT_FALSE(state.IsActive());
  EXPECT_TRUE(sound.IsSamplePlaying(shift->key));
  EXPECT_TRUE(log.Has("Entering game state title  [MSG_COMMENT]"));
  EXPECT_TRUE(log.Has("Exiting game state title  [MSG_COMMENT]"));
}

}  // namespace
