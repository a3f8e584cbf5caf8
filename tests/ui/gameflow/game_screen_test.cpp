#include "ui/gameflow/game_screen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/memory/mem_tracker.h"
#include "core/script/console.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/cameras/perspective_camera.h"
#include "render/dx8/dx8_graphics.h"
#include "temp_folder.h"
#include "ui/gameflow/gameflow_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

using gameflow_test::FakeApplication;

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// Screens on a real renderer in a scratch folder holding the fade image, a
// panel file and the console's script; frames are read back after they are
// presented.
class ScreenTest : public gameflow_test::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    std::filesystem::create_directories("ui_img");
    std::filesystem::copy_file(std::string(VANTOR_SOURCE_DIR) + "/data/" + gameflow::GameScreen::kFadeImage,
                               gameflow::GameScreen::kFadeImage);
    Write("ui/screen.ui", "Panel = { Name = 'screen_panel', Pos = { 0, 0 }, Size = { 0.5, 0.5 } }");
    Write("console.lua", "Entered = 0\n");
    console_->Init("console.lua", "");
    Dx8Graphics::Create();
    ASSERT_TRUE(GetDx8Graphics()->Init());
    ASSERT_TRUE(GetDx8Graphics()->SetDisplayMode(800, 600, false, false));
    camera_ = std::make_unique<camera::PerspectiveCamera>(math::Vec3{0, 20, -20}, math::Vec3{0, 0, 0},
                                                          math::Vec3{0, 1, 0}, 60.0f, 4.0f / 3.0f, 5.0f, 4000.0f);
    gameflow::GetGameFlowManager().SetFadeOverlay(true);
    flow_.SetCamera(camera_.get());
    flow_.SetApplication(&app_);
  }
  void TearDown() override {
    flow_.Clear();
    GetUIMan()->DropAllPanels();
    camera_.reset();
    Graphics::SHUTDOWN();
    console_->Shutdown();
    FlowTest::TearDown();
  }

  static void Write(const std::string& name, const std::string& text) {
    const std::filesystem::path folder = std::filesystem::path(name).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder);
    std::ofstream(name, std::ios::binary) << text;
  }
  // The middle of the last presented frame, without alpha.
  uint32_t Centre() {
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(GetDx8Graphics()->GetDevice(), pixels, w, h));
    return pixels.empty() ? 0xDEADu : pixels[static_cast<size_t>(h / 2) * w + w / 2] & 0xFFFFFFu;
  }
  int Global(const char* name) {
    lua_State* L = console_->GetState()->GetCState();
    lua_getglobal(L, name);
    const int value = static_cast<int>(lua_tointeger(L, -1));
    lua_pop(L, 1);
    return value;
  }
  gameflow::GameScreen* AddScreen(const std::string& name, const std::string& file = "",
                                  const std::string& enter = "", const std::string& exit = "") {
    flow_.AddScreen(name, file, enter, exit);
    return static_cast<gameflow::GameScreen*>(flow_.FindState(name));
  }

  TempFolder folder_{true};
  console::Console* console_ = GetConsole();
  // Made after the console, which takes the log's hook when it is made.
  LogCapture screenLog_;
  std::unique_ptr<camera::PerspectiveCamera> camera_;
  FakeApplication app_;
};

TEST_F(ScreenTest, TheFadeStartsOpaqueWhiteAndIsGoneAfterItsTime) {
  AddScreen("title");
  flow_.GoState("title", 0.0f);
  Frame(10);
  Frame(0);  // the first drawn frame
  EXPECT_EQ(Centre(), kWhite);
  Frame(100);
  Frame(100);
  Frame(100);
  Frame(100);
  Frame(50);
  // Half the time gone: half the white over the black clear.
  const uint32_t grey = Centre() & 0xFF;
  EXPECT_NEAR(static_cast<int>(grey), 0x80, 3);
  for (int i = 0; i < 5; ++i) Frame(100);
  EXPECT_EQ(Centre(), kBlack);
}

TEST_F(ScreenTest, WithTheFadeFlagOffNothingIsOverlaid) {
  gameflow::GetGameFlowManager().SetFadeOverlay(false);
  AddScreen("title");
  flow_.GoState("title", 0.0f);
  Frame(10);
  Frame(0);
  EXPECT_EQ(Centre(), kBlack);
}

TEST_F(ScreenTest, WithoutACameraAScreenDrawsOnBlackThroughTheDevice) {
  flow_.SetCamera(nullptr);
  camera_->SetClearColour(0xFF204060);  // not used by a screen without camera
  AddScreen("title");
  flow_.GoState("title", 0.0f);
  Frame(10);
  Frame(0);
  EXPECT_EQ(Centre(), kWhite);
  for (int i = 0; i < 10; ++i) Frame(100);
  EXPECT_EQ(Centre(), kBlack);
  // The camera's clear colour shows once the screen has one.
  flow_.SetCamera(camera_.get());
  AddScreen("options");
  flow_.GoState("options", 0.0f);
  for (int i = 0; i < 11; ++i) Frame(100);
  EXPECT_EQ(Centre(), 0x204060u);
}

TEST_F(ScreenTest, EnteringAgainShowsTheSamePanelAndRunsTheScripts) {
  gameflow::GameScreen* screen =
      AddScreen("title", "ui/screen.ui", "Entered = Entered + 1", "Left = (Left or 0) + 1");
  AddScreen("options", "ui/missing.ui", "", "Left = (Left or 0) + 10");
  flow_.GoState("title", 0.0f);
  Frame(10);
  ASSERT_EQ(screen->GetPanels().size(), 1u);
  ui::UIWidget* panel = screen->GetPanels()[0];
  EXPECT_EQ(GetUIMan()->GetPanel("screen_panel"), panel);
  EXPECT_TRUE(panel->IsVisible());

  flow_.GoState("options", 0.0f);
  Frame(10);
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_TRUE(static_cast<gameflow::GameScreen*>(flow_.GetCurrentState())->GetPanels().empty());
  flow_.GoState("title", 0.0f);
  Frame(10);
  EXPECT_EQ(screen->GetPanels(), std::vector<ui::UIWidget*>{panel});
  EXPECT_TRUE(panel->IsVisible());
  EXPECT_EQ(Global("Entered"), 2);
  EXPECT_EQ(Global("Left"), 11);
  // Listed once: dropped, no other panel of the name is left.
  EXPECT_TRUE(GetUIMan()->DropPanel(panel, true));
  EXPECT_EQ(GetUIMan()->GetPanel("screen_panel"), nullptr);
  // Leaving after a script dropped the panel touches it no more.
  flow_.GoState("options", 0.0f);
  Frame(10);
  EXPECT_EQ(flow_.GetCurrentStateName(), "options");
}

TEST_F(ScreenTest, EnteringAgainDoesNotGrowTheLiveMemory) {
  gameflow::GameScreen* screen = AddScreen("title", "ui/screen.ui");
  const Log::LineHook hook = GetLog().GetHook();
  GetLog().SetHook(nullptr);
  screen->OnEnter();
  screen->OnExit();
  screen->OnEnter();
  const size_t before = MemTracker::GetCounters().liveBlocks;
  for (int i = 0; i < 3; ++i) {
    screen->OnExit();
    screen->OnEnter();
  }
  const size_t after = MemTracker::GetCounters().liveBlocks;
  GetLog().SetHook(hook);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(screen->GetFadeSprite().HasImage());
}

TEST_F(ScreenTest, AFailedFrameSleepsAndResetsTheDevice) {
  AddScreen("title");
  flow_.GoState("title", 0.0f);
  Frame(10);
  Frame(10);
  EXPECT_EQ(app_.resets, 0);
  platform::testing::LoseDevice(GetDx8Graphics()->GetDevice());
  Frame(10);
  EXPECT_EQ(app_.resets, 1);
}

TEST_F(ScreenTest, ScreensAreAddedWithTheManagersCameraAndLoggedEvenWhenRefused) {
  gameflow::GameScreen* title = AddScreen("title", "ui/screen.ui");
  AddScreen("TITLE", "ui/other.ui");
  EXPECT_EQ(flow_.FindState("title"), title);
  EXPECT_TRUE(screenLog_.Has("Adding screen title from file ui/screen.ui  [MSG_COMMENT]"));
  EXPECT_TRUE(screenLog_.Has("Duplicating the same game name into the game flow manager: TITLE  [MSG_ERROR]"));
  EXPECT_TRUE(screenLog_.Has("Adding screen TITLE from file ui/other.ui  [MSG_COMMENT]"));
  // Entered, the screen turns the camera to look straight at the origin.
  flow_.GoState("title", 0.0f);
  Frame(10);
  EXPECT_FLOAT_EQ(camera_->GetEye().z, -20.0f);
  EXPECT_FLOAT_EQ(camera_->GetEye().y, 0.0f);
  EXPECT_FLOAT_EQ(camera_->GetDirection().z, 1.0f);
}

}  // namespace
