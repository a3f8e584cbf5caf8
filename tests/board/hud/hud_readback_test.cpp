// The HUD's time drawn on the real renderer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "board/hud/qor_well_ui.h"
#include "render/graphics_fixture.h"
#include "temp_folder.h"
#include "ui/manager/ui_manager.h"

namespace {

const std::string kData = VANTOR_TEST_DATA;

class HudReadbackTest : public GreyScreenTest {
 protected:
  void TearDown() override {
    GetUIMan()->DropAllPanels();
    GreyScreenTest::TearDown();
  }
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

}  // namespace
