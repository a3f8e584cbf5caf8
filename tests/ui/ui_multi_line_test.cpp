#include "ui/ui_multi_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/script/lua_test_support.h"
#include "core/text/strman.h"
#include "platform/d3d8_testing.h"
#include "render/dx8_graphics.h"
#include "render/font_test_support.h"
#include "ui/ui_manager.h"
#include "ui_test_support.h"

namespace {

// The inked columns and rows of a frame read back from the device.
struct Ink {
  int left = 800, top = 600, right = -1, bottom = -1;
  bool Any() const { return right > left; }
};

// On a real device, with a font of the game's that lays text out.
class UIMultiLineTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    SetGraphics(nullptr);
    Dx8Graphics::Create();
    device_ = GetDx8Graphics();
    ASSERT_TRUE(device_->Init());
    ASSERT_TRUE(device_->SetDisplayMode(800, 600, false, false));
    device_->SetDefaultRenderStates();
    ASSERT_TRUE(device_->BeginScene());
    for (const char* name : font_test::kFontFiles) AddFontResourceA(font_test::FontPath(name).c_str());
    help_ = new DX8Font("Help");
    help_->Resize("DejaVu Sans", 0, 20, 400, 1);
    ASSERT_TRUE(GetFontManager()->Add("Help", help_));
  }
  void TearDown() override {
    GetUIMan()->DropAllPanels();
    lang::GetStrMan().Clear();
    ui::UIManager::ForceLeftAlign(false);
    GetFontManager()->Entries().erase(GetFontManager()->KeyOf("Help"));
    delete help_;
    for (const char* name : font_test::kFontFiles) RemoveFontResourceA(font_test::FontPath(name).c_str());
    Graphics::SHUTDOWN();
    SetGraphics(&graphics_);
    UITest::TearDown();
  }
  // A panel showing wrapped text in the font "Help".
  ui::UIMultiLine* MakeText(const std::string& text, math::Vec2 position = {0.1f, 0.1f},
                            math::Vec2 size = {0.3f, 0.4f}) {
    auto* widget = static_cast<ui::UIMultiLine*>(GetUIMan()->CreateWidget(nullptr, "multiline"));
    widget->Init("help", position, size);
    GetUIMan()->InsertPanel(widget);
    widget->SetFont("Help");
    widget->SetText(text);
    return widget;
  }
  Ink Drawn(ui::UIWidget* widget) {
    device_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
    widget->Render(false);
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(device_->GetDevice(), pixels, w, h));
    Ink ink;
    for (int y = 0; y < static_cast<int>(h); ++y)
      for (int x = 0; x < static_cast<int>(w); ++x)
        if (pixels[size_t(y) * w + x] & 0xFFFFFFu) {
          ink.left = std::min(ink.left, x);
          ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1);
          ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
  }

  Dx8Graphics* device_ = nullptr;
  DX8Font* help_ = nullptr;
};

TEST_F(UIMultiLineTest, TextWrapsInTheBoxAndCentresEachLineUnlessForcedLeft) {
  ui::UIMultiLine* text = MakeText("Swap two stones to make a row of three or more of one colour.");
  EXPECT_GT(text->GetLineCount(), 2);
  EXPECT_EQ(text->GetText(), "");  // the text block stays empty
  const Ink centred = Drawn(text);
  ASSERT_TRUE(centred.Any());
  EXPECT_GE(centred.left, 80);
  EXPECT_LE(centred.right, 80 + 240);
  EXPECT_GE(centred.top, 60);
  ui::UIManager::ForceLeftAlign(true);
  const Ink left = Drawn(text);
  EXPECT_LT(left.left, centred.left);
  EXPECT_LE(left.left, 82);

  // A word longer than the box breaks inside the word.
  ui::UIMultiLine* narrow = MakeText("Abracadabrapentagrammaton", {0.5f, 0.1f}, {0.1f, 0.3f});
  EXPECT_GT(narrow->GetLineCount(), 1);
}

TEST_F(UIMultiLineTest, TooManyLinesDrawNothingAndScrollingStopsAtItsBound) {
  std::string lines = "x";
  for (int i = 1; i < 99; ++i) lines += "\nx";
  ui::UIMultiLine* text = MakeText(lines);
  EXPECT_EQ(text->GetLineCount(), 99);
  text->SetText(lines + "\nx");
  EXPECT_EQ(text->GetLineCount(), 0);
  EXPECT_FALSE(Drawn(text).Any());

  // Five lines in a box four lines high; up never goes above the first.
  text->SetSize({0.3f, 4 * help_->GetHeight() + 0.001f});
  text->SetText("1\n2\n3\n4\n5");
  ASSERT_EQ(text->GetLineCount(), 5);
  text->ScrollUp();
  EXPECT_EQ(text->GetScroll(), 0);
  const Ink whole = Drawn(text);
  for (int i = 0; i < 10; ++i) text->ScrollDown();
  EXPECT_EQ(text->GetScroll(), 3);  // while at most 5 - 4 + 1
  const Ink scrolled = Drawn(text);
  EXPECT_EQ(scrolled.top, whole.top);
  EXPECT_LT(scrolled.bottom, whole.bottom - 2 * 20);  // two lines from the top, not five
  for (int i = 0; i < 10; ++i) text->ScrollUp();
  EXPECT_EQ(text->GetScroll(), 0);
}

TEST_F(UIMultiLineTest, TranslationsAreLaidOutAgainWhenTheTextIsRefreshed) {
  ui::UIMultiLine* text = MakeText("HINT_SWAP");
  EXPECT_EQ(text->GetLineCount(), 1);  // missing from the string table: shown as given
  lang::GetStrMan().Add("HINT_SWAP", new std::u16string(u"Swap two stones to make a row of three or more."));
  EXPECT_EQ(text->GetLineCount(), 1);
  text->RefreshText();
  EXPECT_GT(text->GetLineCount(), 1);
  EXPECT_EQ(text->GetStoredText(), u"HINT_SWAP");

  // Without a font nothing is laid out until the text is set again.
  text->GetTextBlock().SetFontPointer(nullptr);
  text->SetText("Read me");
  EXPECT_EQ(text->GetLineCount(), 0);
  EXPECT_FALSE(text->Render(false));
  text->SetFont("Help");
  EXPECT_EQ(text->GetLineCount(), 0);
  text->SetText("Read me");
  EXPECT_EQ(text->GetLineCount(), 1);
}

TEST_F(UIMultiLineTest, ASavedTextReadsBackWhole) {
  ui::UIMultiLine* text = MakeText("Line one\nand \"two\"");
  GetUIMan()->SavePanel(text, "help.ui");
  const std::string saved = std::filesystem::current_path().string() + "/help.ui";
  EXPECT_EQ(testsupport::RunStockLua(saved, "io.write(Panel.Type, '|', Panel.Text)"),
            "multiline|Line one\nand \"two\"");
  GetUIMan()->DropAllPanels();
  ui::UIWidget* again = GetUIMan()->AddPanel("help.ui");
  ASSERT_NE(again, nullptr);
  ASSERT_EQ(again->GetType(), ui::UIWidget::kTypeMultiLine);
  EXPECT_EQ(static_cast<ui::UIMultiLine*>(again)->GetStoredText(), u"Line one\nand \"two\"");
  std::unique_ptr<ui::UIWidget> clone(again->GetClone());
  EXPECT_EQ(static_cast<ui::UIMultiLine*>(clone.get())->GetStoredText(), u"Line one\nand \"two\"");
}

}  // namespace
