#include "app/game_application.h"

#include <gtest/gtest.h>

#include "bare_game_app.h"
#include "render/dx8_graphics.h"

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
}  // namespace
