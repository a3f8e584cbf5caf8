#include "app/game_application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bare_game_app.h"
#include "log_capture.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "platform/sound_fixtures.h"
#include "render/dx8/dx8_graphics.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/gameflow/gameflow_test_support.h"

namespace {
TEST(GameApplicationTest, SizeChangesSetTheLogicalResolutionAndNothingElse) {
  Dx8Graphics::Create();
  BareGameApp app("game_app_test");
  app.OnEvent(Application::kSizeChanged, SIZE_RESTORED, MAKELPARAM(640, 480));
  EXPECT_EQ(GetGraphics()->GetScreenWidth(), 640);
  // A collapsed size leaves the resolution as it was.
  app.OnEvent(Application::kSizeChanged, SIZE_RESTORED, MAKELPARAM(0, 0));
  EXPECT_EQ(GetGraphics()->GetScreenWidth(), 640);
  EXPECT_FALSE(app.IsInactive());
  Graphics::SHUTDOWN();
}

// The loudest sample of the next tenth of a second of the mix.
int MixPeak() {
  std::vector<int16_t> out(4410 * 2);
  platform::testing::RenderMix(out.data(), out.size() / 2);
  int peak = 0;
  for (int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

TEST(GameApplicationTest, FocusPausesAndResumesTheMixerAndTheCurrentStateAndShutdownEndsTheFlow) {
  gameflow_test::Calls calls;
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  platform::testing::SetOfflineMixing(true);
  ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
  const sound_fixtures::Bytes wav = sound_fixtures::MakeLevelWav(44100, 1, 44100 * 2, 8000);
  const HSAMPLE sample = BASS_SampleLoad(TRUE, wav.data(), 0, static_cast<DWORD>(wav.size()), 1, 0);
  ASSERT_TRUE(BASS_ChannelPlay(BASS_SampleGetChannel(sample, FALSE), FALSE));
  {
    BareGameApp app("game_app_flow_test");
    flow.SetApplication(&app);
    EXPECT_GT(MixPeak(), 0);
    // Without a current state a focus change only pauses the audio.
    app.OnEvent(Application::kFocusLost, 0, 0);
    EXPECT_EQ(MixPeak(), 0);
    app.OnEvent(Application::kFocusGained, 0, 0);
    EXPECT_GT(MixPeak(), 0);
    flow.AddTransitionState("title", new gameflow_test::RecordingState(calls));
    flow.SetState(flow.FindState("title"));
    app.OnEvent(Application::kFocusLost, 0, 0);
    EXPECT_EQ(MixPeak(), 0);
    app.OnEvent(Application::kFocusGained, 0, 0);
    EXPECT_GT(MixPeak(), 0);
    LogCapture log;
    EXPECT_TRUE(app.Shutdown());
    EXPECT_EQ(calls, (gameflow_test::Calls{"enter title", "pause title", "resume title", "exit title"}));
    EXPECT_EQ(flow.GetCurrentState(), nullptr);
    EXPECT_EQ(flow.FindState("title"), nullptr);
    const std::string text = log.Text();
    const size_t flowLine = text.find("> Gameflow manager shutdown  [MSG_INIT]");
    ASSERT_NE(flowLine, std::string::npos);
    EXPECT_LT(flowLine, text.find("> Font manager shutdown  [MSG_INIT]"));
  }
  // The manager does not keep the application past its life.
  EXPECT_EQ(flow.GetApplication(), nullptr);
  BASS_Free();
  platform::testing::SetOfflineMixing(false);
}
}  // namespace
