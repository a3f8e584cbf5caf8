#include "app/game_application.h"

#include <gtest/gtest.h>

#include "render/dx8_graphics.h"

namespace {
class BareGameApp : public GameApp {
 public:
  BareGameApp()
      : GameApp(::testing::TempDir() + "game_app_test.lua", nullptr, "game app test",
                ::testing::TempDir() + "game_app_test.log") {}
  void InitFonts() override {}
  void ShowSplash() override {}
  void InitScripts() override {}
  void OnCreateStates() override {}
  std::string GetRMSFileName() override { return "game_app_test.rms"; }
  void MountArchives() override {}
};

TEST(GameApplicationTest, SizeChangesSetTheLogicalResolutionAndNothingElse) {
  Dx8Graphics::Create();
  BareGameApp app;
  app.OnEvent(Application::kSizeChanged, SIZE_RESTORED, MAKELPARAM(640, 480));
  EXPECT_EQ(GetGraphics()->GetScreenWidth(), 640);
  // A collapsed size leaves the resolution as it was.
  app.OnEvent(Application::kSizeChanged, SIZE_RESTORED, MAKELPARAM(0, 0));
  EXPECT_EQ(GetGraphics()->GetScreenWidth(), 640);
  EXPECT_FALSE(app.IsInactive());
  Graphics::SHUTDOWN();
}
}  // namespace
