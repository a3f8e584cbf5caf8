#include "app/console_drawer.h"

#include <gtest/gtest.h>

#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "platform/input/dinput_testing.h"
#include "render/font_test_support.h"
#include "render/fonts/font_manager.h"
#include "render/graphics_fixture.h"

namespace {

using platform::testing::FeedKey;

// Drawing, on a real device with the game's fonts.
class ConsoleRenderTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    ASSERT_TRUE(folder_.ok());
    if (!input::GetInput().GetKeyboard()) {
      ASSERT_TRUE(input::GetInput().Init(nullptr));
    }
    GetFontManager()->LoadFonts("times new roman", 6, 12);
    console_ = GetConsole();
    console_->SetView(&drawer_);
    GetLog().SetHook(&console::LogHook);
    console_->Init("scripts/console.lua", "verdana");
    ASSERT_NE(drawer_.GetFont(), nullptr);
  }
  void TearDown() override {
    if (console_->IsOpen()) Press(SDL_SCANCODE_GRAVE);
    console_->Shutdown();
    console_->SetView(nullptr);
    GetFontManager()->UnloadFonts();
    GraphicsTest::TearDown();
  }
  void Press(SDL_Scancode key) {
    FeedKey(key, true);
    FeedKey(key, false);
    input::GetInput().GetKeyboard()->Update(false, 0.02f, 5.0f);
  }
  // Pixels in the band of rows that are neither black nor the background.
  int Bright(const std::vector<uint32_t>& frame, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < 800; ++x) {
        const uint32_t p = frame[size_t(y) * 800 + x];
        count += ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200;
      }
    return count;
  }

  // Dark rows between the newest history line and the one drawn above it.
  int GapAboveNewestLine() {
    graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
    console_->Render();
    const std::vector<uint32_t> frame = Frame();
    int y = 230;
    while (y > 0 && Bright(frame, y, y + 1) == 0) --y;  // up to the newest line
    while (y > 0 && Bright(frame, y, y + 1) > 0) --y;   // across it
    int gap = 0;
    for (; y > 0 && Bright(frame, y, y + 1) == 0; --y) ++gap;
    return gap;
  }

  font_test::InDataFolder folder_;
  console::ConsoleDrawer drawer_;
  console::Console* console_ = nullptr;
};

TEST_F(ConsoleRenderTest, OpenConsoleDrawsBackgroundHistoryAndPrompt) {
  graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
  console_->Render();  // closed: nothing
  EXPECT_EQ(Bright(Frame(), 0, 600), 0);

  console_->AddLine("History line");
  Press(SDL_SCANCODE_GRAVE);
  Press(SDL_SCANCODE_A);
  console_->Render();
  const std::vector<uint32_t> frame = Frame();
  // Background: blue across the top, down to 0.45 of the height.
  const uint32_t top = frame[10 * 800 + 400], below = frame[300 * 800 + 400];
  EXPECT_GT(top & 0xFF, 60u);
  EXPECT_EQ(below, 0u);
  // The newest history line ends at 0.35 of the height, the prompt starts at 0.4.
  EXPECT_GT(Bright(frame, 150, 210), 20);
  EXPECT_GT(Bright(frame, 240, 260), 5);
  EXPECT_EQ(Bright(frame, 215, 238), 0);
}

TEST_F(ConsoleRenderTest, ALineThatInksNothingKeepsTheRoomOfAnEmptyLine) {
  Press(SDL_SCANCODE_GRAVE);
  int gaps[2];
  int i = 0;
  for (const char* between : {"", "\t$"}) {  // nothing, or only control characters
    console_->AddLine("Older line");
    console_->AddLine(between);
    console_->AddLine("Newest line");
    gaps[i++] = GapAboveNewestLine();
  }
  EXPECT_GT(gaps[0], 5);
  EXPECT_NEAR(gaps[1], gaps[0], 1);
}

}  // namespace
