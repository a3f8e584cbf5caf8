// The application's start-up as the game runs it, from the game's data
// folder: the loading frames, the settings taken from the record store, the
// fall-back from full screen, and shut-down after a start that failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "audio/audio.h"
#include "core/script/console.h"
#include "log_capture.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/window/win32_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "render/font_test_support.h"
#include "render/fonts/font_manager.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

// What the game does around the engine's start-up: its fonts, and 28 more
// steps of the loading bar while its states are made.
class StartupApp : public BareGameApp {
 public:
  StartupApp() : BareGameApp("startup_test") {}
  void InitFonts() override { GetFontManager()->LoadFonts("times new roman", 6, 12); }
  void OnCreateStates() override { AdvanceLoadingProgress(28); }
};

struct Frame {
  std::vector<uint32_t> pixels;
  uint32_t width = 0, height = 0;
  uint32_t At(uint32_t x, uint32_t y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu; }
};

int Distance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift = 0; shift < 24; shift += 8)
    sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return sum;
}

class GameStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.ok());
    NewStore();
  }
  void TearDown() override {
    platform::testing::SetPresentObserver(nullptr);
    platform::testing::SetFullScreenUnavailable(false);
    platform::testing::SetCapsUnavailable(false);
    if (app_) Stop();
  }

  // The settings the next start reads: fresh and windowed until the test
  // sets them.
  void NewStore() {
    store_ = std::make_unique<GameRMS>(GetUserDataPath() + "startup_test.rms");
    store_->Reset();
    store_->SetUseFullscreenEnabled(false);
  }
  // The application with its window, not yet started.
  void Create() {
    if (store_) {
      store_->Save();
      store_.reset();
    }
    app_ = std::make_unique<StartupApp>();
    SetApp(app_.get());
    EXPECT_TRUE(app_->InitWindow("startup test", 800, 600));
  }
  bool Start() {
    Create();
    return app_->Init();
  }
  void Stop() {
    app_->Shutdown();
    gameflow::GetGameFlowManager().SetApplication(nullptr);
    DestroyWindow(app_->GetWindow());
    SetApp(nullptr);
    app_.reset();
    platform::testing::ClearMessageQueue();
  }

  font_test::InDataFolder folder_;
  std::unique_ptr<GameRMS> store_;
  std::unique_ptr<StartupApp> app_;
};

TEST_F(GameStartupTest, LoadingFramesShowTheBarFillingOnWhite) {
  std::vector<Frame> frames;
  platform::testing::SetPresentObserver([&frames](IDirect3DDevice8* device) {
    Frame frame;
    if (platform::testing::ReadBackFrame(device, frame.pixels, frame.width, frame.height))
      frames.push_back(std::move(frame));
  });
  Create();
  LogCapture log;
  ASSERT_TRUE(app_->Init());
  platform::testing::SetPresentObserver(nullptr);
  EXPECT_TRUE(LogCapture::At(MSG_WARNING).empty()) << LogCapture::Text();
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();

  ui::UIWidget* panel = GetUIMan()->GetPanel("loading");
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->IsVisible());  // hidden once start-up is done
  ui::UIWidget* bar = panel->GetWidgetByName("LoadingProgress");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(app_->GetLoadingProgress(), 34);

  // Nothing but the loading frames is shown during start-up.
  ASSERT_EQ(frames.size(), 3u);
  const Frame& last = frames.back();
  ASSERT_EQ(last.width, 800u);
  const int left = static_cast<int>(bar->GetPosition().x * 800);
  const int width = static_cast<int>(bar->GetSize().x * 800);
  const uint32_t row = static_cast<uint32_t>((bar->GetPosition().y + bar->GetSize().y / 2) * 600);
  // The colours either side of the split, from the last frame's two ends.
  const uint32_t full = last.At(static_cast<uint32_t>(left + 6), row);
  const uint32_t empty = last.At(static_cast<uint32_t>(left + width - 6), row);
  ASSERT_GT(Distance(full, empty), 60);

  const int steps[] = {4, 6, 34};
  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& frame = frames[i];
    EXPECT_EQ(frame.At(4, 4), 0xFFFFFFu) << "frame " << i;
    EXPECT_EQ(frame.At(796, 596), 0xFFFFFFu) << "frame " << i;
    int split = left;
    while (split < left + width &&
           Distance(frame.At(static_cast<uint32_t>(split), row), full) <
               Distance(frame.At(static_cast<uint32_t>(split), row), empty))
      ++split;
    EXPECT_NEAR(split - left, width * steps[i] / 50, 4) << steps[i] << " of 50";
  }
}

TEST_F(GameStartupTest, StartUpTakesTheStoredVolumesWithinRangeAndTheProfilesLanguage) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float music, sound;
    const char* language;
    int musicApplied, soundApplied;
    const char* setup;
  } cases[] = {
      // A stored volume out of range loads as the reset value, 50.
      {42.9f, 250.0f, "french", 42, 50, "SetupLanguage('french');"},
      {kNaN, -3.0f, "", 50, 50, "SetupLanguage('english');"},
  };
  for (const auto& c : cases) {
    NewStore();
    store_->SetMusicVolume(c.music);
    store_->SetSoundVolume(c.sound);
    ASSERT_TRUE(store_->AddProfile("Nefret", c.language, "Thebes"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(audio::GetAudio().GetMusicVolume(), c.musicApplied) << c.music;
    EXPECT_EQ(audio::GetAudio().GetSFXVolume(), c.soundApplied) << c.sound;
    const std::deque<std::string>& history = GetConsole()->GetHistory();
    EXPECT_NE(std::find(history.begin(), history.end(), c.setup), history.end()) << c.setup;
    Stop();
  }
}

TEST_F(GameStartupTest, AFullScreenStartTheDeviceRefusesRunsWindowedAndKeepsTheStoredChoice) {
  store_->SetUseFullscreenEnabled(true);
  platform::testing::SetFullScreenUnavailable(true);
  LogCapture log;
  ASSERT_TRUE(Start());
  const std::vector<std::string> errors = LogCapture::At(MSG_ERROR);
  const auto fullScreenLine = std::find_if(errors.begin(), errors.end(), [](const std::string& line) {
    return line.find("> **** UNABLE TO START FULLSCREEN ****  [") != std::string::npos;
  });
  ASSERT_NE(fullScreenLine, errors.end()) << LogCapture::Text();
  ASSERT_NE(fullScreenLine + 1, errors.end());
  EXPECT_NE(fullScreenLine[1].find("> **** Forcing windowed mode ****  ["), std::string::npos);
  EXPECT_FALSE(app_->IsFullScreen());
  EXPECT_TRUE(GetGraphics()->IsWindowed());
  EXPECT_TRUE(app_->GetRecordStore()->IsUseFullscreenEnabled());
}

TEST_F(GameStartupTest, ShutdownAfterAFailedStartEndsInOrderAndTheNextStartWorks) {
  platform::testing::SetCapsUnavailable(true);
  LogCapture log;
  ASSERT_FALSE(Start());
  platform::testing::SetCapsUnavailable(false);
  EXPECT_EQ(platform::testing::LastMessageBox().caption, "Failed to init graphics. Exiting");
  Stop();
  EXPECT_EQ(GetGraphics(), nullptr);
  std::vector<std::string> order;
  for (const std::string& line : LogCapture::Lines())
    for (const char* wanted : {"Server connection shutdown", "Gameflow manager shutdown", "Font manager shutdown",
                               "Console shutdown", "UI shutdown", "Graphics shutdown"})
      if (line.find(std::string("> ") + wanted + "  [MSG_INIT]") != std::string::npos) order.push_back(wanted);
  EXPECT_EQ(order, (std::vector<std::string>{"Server connection shutdown", "Gameflow manager shutdown",
                                             "Font manager shutdown", "Console shutdown", "UI shutdown",
                                             "Graphics shutdown"}));
  NewStore();
  EXPECT_TRUE(Start());
}

}  // namespace
