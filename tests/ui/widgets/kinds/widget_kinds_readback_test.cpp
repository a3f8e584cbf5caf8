// The widget kinds drawn on a real device, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/input/mouse.h"
#include "ui/ui_device_test_support.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080, kWhite = 0xFFFFFF,
                   kDark = 0x202020;

// Each channel within a tolerance: texture filtering blurs the edges only.
bool Near(uint32_t got, uint32_t expected) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(got >> shift & 0xFF) - int(expected >> shift & 0xFF)) > 24) return false;
  return true;
}

class WidgetKindsReadbackTest : public ui_testing::DeviceUITest {
 protected:
  void SetUp() override {
    DeviceUITest::SetUp();
    // Full images: red on the left (top), green on the right (bottom).
    WriteTga("full.tga", 64, 16, [](int x, int) { return x < 32 ? 0xFFFF0000u : 0xFF00FF00u; });
    WriteTga("full_down.tga", 16, 64, [](int, int y) { return y < 32 ? 0xFFFF0000u : 0xFF00FF00u; });
    for (auto [name, colour] : {std::pair<const char*, uint32_t>{"empty.tga", kBlue}, {"ticked.tga", kGreen},
                                {"clear.tga", kGrey}, {"track.tga", kDark}, {"knob.tga", kWhite},
                                {"list.tga", kBlue}, {"button.tga", kGrey}})
      WriteTga(name, 16, 16, [colour = colour](int, int) { return 0xFF000000u | colour; });
    WriteText("readback.ui", R"lua(
      Panel = { Name = "Readback", Pos = { 0, 0 }, Size = { 1, 1 }, Children = {
        { Name = "Across", Type = "progress", Pos = { 0.1, 0.1 }, Size = { 0.4, 0.05 }, HorizProgress = 1,
          Progress = 0.25, ProgressFull = "full.tga", ProgressEmpty = "empty.tga" },
        { Name = "Down", Type = "progress", Pos = { 0.6, 0.1 }, Size = { 0.05, 0.4 }, Progress = 0.25,
          ProgressFull = "full_down.tga", ProgressEmpty = "empty.tga" },
        { Name = "Sound", Type = "checkbox", Pos = { 0.3, 0.8 }, Size = { 0.05, 0.05 }, IsChecked = 1,
          CheckedImg = "ticked.tga", UncheckedImg = "clear.tga" },
        { Name = "Volume", Type = "slider", Pos = { 0.3, 0.6 }, Size = { 0.4, 0.05 }, MouseOff = "track.tga",
          SliderIcon = "knob.tga" },
        { Name = "Language", Type = "dropdown", Pos = { 0.1, 0.5 }, Size = { 0.3, 0.05 }, Font = "Help",
          Options = { "English", "French", "German" }, DropButton = "button.tga", DropBG = "list.tga" },
      } })lua");
    panel_ = GetUIMan()->AddPanel("readback.ui");
    ASSERT_NE(panel_, nullptr);
  }

  ui::UIWidget* panel_ = nullptr;
  input::MouseButton left_;
};

TEST_F(WidgetKindsReadbackTest, ProgressBarsShowTheirCutTextures) {
  // Across at 0.25 (pixels 80 .. 400): the full image's left quarter, red
  // only, over the first 80 pixels, then the empty image.
  std::vector<uint32_t> frame = Frame(panel_->GetWidgetByName("Across"));
  EXPECT_PRED2(Near, At(frame, 84, 75), kRed);
  EXPECT_PRED2(Near, At(frame, 154, 75), kRed);  // uncut, this would be green
  EXPECT_PRED2(Near, At(frame, 166, 75), kBlue);
  EXPECT_PRED2(Near, At(frame, 396, 75), kBlue);
  EXPECT_EQ(At(frame, 84, 95), 0u);

  // Down at 0.25 (pixels 60 .. 300): empty over the top quarter, then the
  // full image from a quarter of the way down its texture: red, then green.
  ui::UIProgress* down = panel_->GetProgressByName("Down");
  frame = Frame(down);
  EXPECT_PRED2(Near, At(frame, 500, 70), kBlue);
  EXPECT_PRED2(Near, At(frame, 500, 110), kBlue);
  EXPECT_PRED2(Near, At(frame, 500, 130), kRed);
  EXPECT_PRED2(Near, At(frame, 500, 170), kRed);
  EXPECT_PRED2(Near, At(frame, 500, 200), kGreen);
  EXPECT_PRED2(Near, At(frame, 500, 295), kGreen);
  // Flipped: the full part is the bottom quarter.
  down->SetFlipped(true);
  frame = Frame(down);
  EXPECT_PRED2(Near, At(frame, 500, 230), kBlue);
  EXPECT_PRED2(Near, At(frame, 500, 250), kGreen);
}

TEST_F(WidgetKindsReadbackTest, CheckBoxSliderAndOpenListShowTheirState) {
  auto* box = panel_->GetCheckBoxByName("Sound");
  EXPECT_PRED2(Near, At(Frame(box), 260, 495), kGreen);
  box->OnMouseUp({0.32f, 0.82f}, 1);
  EXPECT_PRED2(Near, At(Frame(box), 260, 495), kGrey);

  // A press at x 0.5 puts the knob's centre there (pixel 400).
  ui::UISlider* slider = panel_->GetSliderByName("Volume");
  const math::Vec2 press{0.5f, 0.62f};
  GetUIMan()->OnMouseHeld(&left_, &press);
  std::vector<uint32_t> frame = Frame(slider);
  EXPECT_PRED2(Near, At(frame, 400, 375), kWhite);
  EXPECT_PRED2(Near, At(frame, 385, 375), kWhite);
  EXPECT_PRED2(Near, At(frame, 340, 375), kDark);

  // Open, the list shows its background and a line of text on each row
  // (pixels 330 .. 420).
  ui::UIDropDown* list = panel_->GetDropDownByName("Language");
  EXPECT_EQ(At(Frame(list), 150, 410), 0u);
  const math::Vec2 button{0.38f, 0.52f};
  GetUIMan()->OnMouseUp(&left_, &button);
  ASSERT_TRUE(list->IsOpen());
  frame = Frame(list);
  EXPECT_PRED2(Near, At(frame, 300, 410), kBlue);
  for (int row = 0; row < 3; ++row) {
    int ink = 0;
    for (int y = 330 + row * 30; y < 360 + row * 30; ++y)
      for (int x = 80; x < 320; ++x) ink += Near(At(frame, x, y), kBlue) ? 0 : 1;
    EXPECT_GT(ink, 20) << "row " << row;
  }
}

}  // namespace
