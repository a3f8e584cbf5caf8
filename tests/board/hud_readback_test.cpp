// The HUD's time and the help box drawn on the real renderer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "board/help/well_dynamic_help.h"
#include "board/hud/qor_well_ui.h"
#include "board_test_support.h"
#include "core/files/resman.h"
#include "render/graphics_fixture.h"
#include "temp_folder.h"
#include "ui/ui_manager.h"

namespace {

const std::string kData = VANTOR_TEST_DATA;
constexpr uint32_t kBackground = 0x202020u;

class HudReadbackTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Clear();
  }
  void TearDown() override {
    GetUIMan()->DropAllPanels();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  void Clear() { graphics_->Clear(0xFF000000u | kBackground, 1, 0, 1, 0, 0); }
};

// A time box of 160 x 60 pixels at (320, 240); digits of a plain white image,
// so each shows the colour it is drawn in.
TEST_F(HudReadbackTest, TheTimeIsRedAtTheStartPinkAtFiveSecondsAndWhiteFromTen) {
  TempFolder folder(true);
  std::filesystem::create_directories("ui");
  std::filesystem::create_directories("img");
  std::ofstream("img/popup_number.lua") << "Number = { Image = [[" << kData
                                        << "/white_digits.png]], Size = { 0.024, 0.042 } }\n";
  std::ofstream("ui/game_screen.ui")
      << "Panel = { Name = 'GameScreen', Pos = { 0, 0 }, Size = { 1, 1 },\n"
         "  Children = { { Name = 'TimeBox', Pos = { 0.4, 0.4 }, Size = { 0.2, 0.1 } } } }\n";
  QORWellUI hud(nullptr);
  hud.Init();
  const struct {
    int32_t seconds;
    uint32_t colour;
  } cases[] = {{0, 0xFF0000u}, {5, 0xFF7F7Fu}, {10, 0xFFFFFFu}};
  for (const auto& c : cases) {
    Clear();
    hud.SetElapsedSeconds(c.seconds);
    hud.Draw();
    // Two cells centred on (400, 270): the first from x 381 to 400.
    EXPECT_TRUE(Near(Pixel(390, 270), c.colour, 2)) << c.seconds << ": " << std::hex << Pixel(390, 270);
    EXPECT_EQ(Pixel(370, 270), kBackground) << c.seconds << ": nothing left of the digits";
  }
}

// A frame of 96 x 96 pixels whose corner cells are red, blue, yellow and
// cyan; corner marks of 40 x 30. Without a font the text takes no room: the
// box is 2 x 2 cells of 32 pixels, right of the rectangle (240, 240)-(320, 300).
TEST_F(HudReadbackTest, TheHelpBoxDrawsItsFrameCellsAndItsCornersFlyIn) {
  board_testing::FrameClock clock(0.0f);
  well::WellDynamicHelp box(0.01f, 0.05f, {0.99f, 0.99f});
  const std::string corner = kData + "/green_layer0.png";
  box.SetFrame(kData + "/help_frame.png", "", corner, corner, corner, corner);
  box.Open({0.3f, 0.4f}, {0.4f, 0.5f}, "ANY");
  ASSERT_EQ(box.GetColumns(), 2);
  ASSERT_EQ(box.GetRows(), 2);

  // Opening: the top-left mark five times its size, 0.3 out to the top left.
  box.Draw({0.0f, 0.0f});
  EXPECT_EQ(Pixel(100, 120), 0x00FF00u);
  EXPECT_EQ(Pixel(240, 240), kBackground);

  box.Tick(0.9f);
  ASSERT_EQ(box.GetState(), well::HelpPanel::kOpen);
  Clear();
  box.Draw({0.0f, 0.0f});
  EXPECT_EQ(Pixel(100, 120), kBackground);
  EXPECT_EQ(Pixel(235, 235), 0x00FF00u) << "the mark on the rectangle's corner";
  // The box from (360, 238): its four cells show the frame's corners.
  const struct {
    uint32_t x, y, colour;
  } cells[] = {{376, 254, 0xFF0000u}, {408, 254, 0x0000FFu}, {376, 286, 0xFFFF00u}, {408, 286, 0x00FFFFu}};
  for (const auto& c : cells) EXPECT_EQ(Pixel(c.x, c.y), c.colour) << c.x << "," << c.y;
  EXPECT_EQ(Pixel(350, 270), kBackground) << "the gap between the rectangle and the box";
}

}  // namespace
