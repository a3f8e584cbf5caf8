#include "ui/widgets/kinds/ui_multi_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/script/lua_test_support.h"
#include "core/text/strman.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_device_test_support.h"

namespace {

// On a real device, with a font of the game's that lays text out.
class UIMultiLineTest : public ui_testing::DeviceUITest {
 protected:
  void TearDown() override {
    lang::GetStrMan().Clear();
    ui::UIManager::ForceLeftAlign(false);
    DeviceUITest::TearDown();
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
};

TEST_F(UIMultiLineTest, TextWrapsInTheBoxAndCentresEachLineUnlessForcedLeft) {
  ui::UIMultiLine* text = MakeText("Swap two stones to make a row of three or more of one colour.");
  EXPECT_GT(text->GetLineCount(), 2);
  EXPECT_EQ(text->GetText(), "");  // the text block stays empty
  const ui_testing::Ink centred = Drawn(text);
  ASSERT_TRUE(centred.Any());
  EXPECT_GE(centred.left, 80);
  EXPECT_LE(centred.right, 80 + 240);
  EXPECT_GE(centred.top, 60);
  ui::UIManager::ForceLeftAlign(true);
  const ui_testing::Ink left = Drawn(text);
  EXPECT_LT(left.left, centred.left);
  EXPECT_LE(left.left, 82);

  // A rebuilt font (as after a device reset) takes the glyphs the layout
  // held: the text is laid out again before it is drawn.
  ui::UIManager::ForceLeftAlign(false);
  help_->Resize("DejaVu Sans", 0, 24, 400, 1);
  const ui_testing::Ink rebuilt = Drawn(text);
  EXPECT_TRUE(rebuilt.Any());
  EXPECT_GT(rebuilt.bottom - rebuilt.top, centred.bottom - centred.top);

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
  const ui_testing::Ink whole = Drawn(text);
  for (int i = 0; i < 10; ++i) text->ScrollDown();
  EXPECT_EQ(text->GetScroll(), 3);  // while at most 5 - 4 + 1
  const ui_testing::Ink scrolled = Drawn(text);
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
