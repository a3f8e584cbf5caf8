// The help box drawn on the real renderer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/dx8/dx8_font.h"
#include "render/font_test_support.h"
#include "render/fonts/font_manager.h"
#include "render/graphics_fixture.h"
#include "well/board_test_support.h"
#include "well/help/well_dynamic_help.h"

namespace {

const std::string kData = VANTOR_TEST_DATA;

using HelpBoxReadbackTest = GreyScreenTest;

// A frame of 96 x 96 pixels whose corner cells are red, blue, yellow and
// cyan (the others grey); corner marks of 40 x 30; black text in the game's
// font. The box lies right of the rectangle (240, 240)-(320, 300).
TEST_F(HelpBoxReadbackTest, TheHelpBoxDrawsItsFrameCellsTheTextInsideAndItsCornersFlyIn) {
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
