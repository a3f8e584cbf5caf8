// The HUD's time and the help box drawn on the real renderer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "board/hud/qor_well_ui.h"
#include "core/files/resman.h"
#include "render/dx8/dx8_font.h"
#include "render/font_test_support.h"
#include "render/fonts/font_manager.h"
#include "render/graphics_fixture.h"
#include "temp_folder.h"
#include "ui/manager/ui_manager.h"
#include "well/board_test_support.h"
#include "well/help/well_dynamic_help.h"

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
// cyan (the others grey); corner marks of 40 x 30; black text in the game's
// font. The box lies right of the rectangle (240, 240)-(320, 300).
TEST_F(HudReadbackTest, TheHelpBoxDrawsItsFrameCellsTheTextInsideAndItsCornersFlyIn) {
  for (const char* name : font_test::kFontFiles) AddFontResourceA(font_test::FontPath(name).c_str());
  auto* font = new DX8Font("SmallFont");
  font->Resize("DejaVu Sans", 0, 20, 400, 1);
  ASSERT_TRUE(GetFontManager()->Add("SmallFont", font));
  board_testing::FrameClock clock(0.0f);
  {
    well::WellDynamicHelp box(0.01f, 0.05f, {0.99f, 0.99f});
    const std::string corner = kData + "/green_layer0.png";
    box.SetFrame(kData + "/help_frame.png", "", corner, corner, corner, corner);
    box.SetTextColor(0.0f, 0.0f, 0.0f);
    box.Open({0.3f, 0.4f}, {0.4f, 0.5f}, "Hello");

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
    // The frame's corner cells at the box's corners, 32 pixels each.
    const int left = static_cast<int>(box.GetBoxPosition().x * 800.0f + 0.5f);
    const int top = static_cast<int>(box.GetBoxPosition().y * 600.0f + 0.5f);
    const int right = left + 32 * box.GetColumns(), bottom = top + 32 * box.GetRows();
    EXPECT_EQ(left, 360) << "0.05 right of the rectangle";
    const struct {
      int x, y;
      uint32_t colour;
    } cells[] = {{left + 4, top + 4, 0xFF0000u},
                 {right - 4, top + 4, 0x0000FFu},
                 {left + 4, bottom - 4, 0xFFFF00u},
                 {right - 4, bottom - 4, 0x00FFFFu}};
    for (const auto& c : cells) EXPECT_EQ(Pixel(c.x, c.y), c.colour) << c.x << "," << c.y;
    EXPECT_EQ(Pixel(350, 270), kBackground) << "the gap between the rectangle and the box";
    // The text's ink lies inside the box, off the background.
    const std::vector<uint32_t> frame = Frame();
    int inside = 0, outside = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const uint32_t p = frame[static_cast<size_t>(y) * 800 + x];
        if (((p >> 16) & 0xFF) > 0x18 || ((p >> 8) & 0xFF) > 0x18 || (p & 0xFF) > 0x18) continue;
        (x >= left && x < right && y >= top && y < bottom ? inside : outside)++;
      }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
  }
  GetFontManager()->Entries().erase(GetFontManager()->KeyOf("SmallFont"));
  delete font;
  for (const char* name : font_test::kFontFiles) RemoveFontResourceA(font_test::FontPath(name).c_str());
}

}  // namespace
