#include "app/game_application.h"

#include <gtest/gtest.h>

#include "bare_game_app.h"
#include "log_capture.h"
#include "render/dx8_graphics.h"
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

TEST(GameApplicationTest, FocusPausesAndResumesTheCurrentStateAndShutdownEndsTheFlow) {
  gameflow_test::Calls calls;
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  {
    BareGameApp app("game_app_flow_test");
    flow.SetApplication(&app);
    // Without a current state a focus change only pauses the audio.
    app.OnEvent(Application::kFocusLost, 0, 0);
    flow.AddTransitionState("title", new gameflow_test::RecordingState(calls));
    flow.SetState(flow.FindState("title"));
    app.OnEvent(Application::kFocusLost, 0, 0);
    app.OnEvent(Application::kFocusGained, 0, 0);
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
}
}  // namespace
