#include "ui/widgets/kinds/ui_drop_down.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/input/mouse.h"
#include "core/text/strman.h"
#include "read_file.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class UIDropDownTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    panel_ = GetUIMan()->AddPanel(VANTOR_TEST_DATA "/kinds.ui");
    ASSERT_NE(panel_, nullptr);
    list_ = panel_->GetDropDownByName("language");
    ASSERT_NE(list_, nullptr);
    panel_->SetEvent(ui::UIWidget::kLmbClick, "table.insert(Events, 'panel press')");
  }
  void TearDown() override {
    lang::GetStrMan().Clear();
    UITest::TearDown();
  }
  void Press(math::Vec2 point) { GetUIMan()->OnMouseDown(&left_, &point); }
  void Release(math::Vec2 point) { GetUIMan()->OnMouseUp(&left_, &point); }

  ui::UIWidget* panel_ = nullptr;
  ui::UIDropDown* list_ = nullptr;
  input::MouseButton left_;
  // The button is the square at the right end of the row (0.1 .. 0.4 by
  // 0.5 .. 0.55); the rows of the open list follow, 0.05 high each.
  const math::Vec2 button_{0.37f, 0.52f};
};

TEST_F(UIDropDownTest, ReleasesOpenTheListAndChooseAnOptionOnce) {
  // Strings only; the first chooses itself.
  ASSERT_EQ(list_->GetOptionCount(), 3u);
  EXPECT_EQ(list_->GetSelected(), 0);
  EXPECT_EQ(list_->GetText(), "English");

  // Closed, only the row is inside; open, the rows below too.
  EXPECT_TRUE(list_->IsInside({0.2f, 0.55f}));
  EXPECT_FALSE(list_->IsInside({0.2f, 0.56f}));
  Release({0.2f, 0.52f});  // beside the button
  EXPECT_FALSE(list_->IsOpen());
  Release(button_);
  EXPECT_TRUE(list_->IsOpen());
  EXPECT_EQ(GetUIMan()->GetOpenDropdown(), list_);
  EXPECT_TRUE(list_->IsInside({0.2f, 0.7f}));
  EXPECT_FALSE(list_->IsInside({0.2f, 0.71f}));

  // The open list: the background under the row, then each option's text
  // on its row from the left.
  graphics_.drawn.clear();
  font_->draws.clear();
  list_->Render(false);
  ASSERT_EQ(graphics_.drawn.size(), 2u);  // button and background
  EXPECT_NEAR(graphics_.drawn[1][1].y + 0.5f, 0.55f * 600, 1e-3f);
  ASSERT_EQ(font_->draws.size(), 4u);  // the shown text, then the rows
  const std::u16string rows[] = {u"English", u"French", u"German"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(font_->draws[i + 1].text, rows[i]);
    EXPECT_NEAR(font_->draws[i + 1].position.y, 0.5f + 0.05f * (i + 1) + 0.005f, 1e-5f);
    EXPECT_NEAR(font_->draws[i + 1].position.x, 0.1f + 0.015f + 0.005f, 1e-5f);
  }

  // A release on the third row chooses it, once, and closes the list.
  Press({0.2f, 0.68f});
  Release({0.2f, 0.68f});
  EXPECT_EQ(Events(), Strings{"selected"});
  EXPECT_FALSE(list_->IsOpen());
  EXPECT_EQ(GetUIMan()->GetOpenDropdown(), nullptr);
  EXPECT_EQ(list_->GetSelected(), 2);
  EXPECT_EQ(list_->GetText(), "German");

  // Choosing in code runs nothing.
  list_->SetCurrentOption(1);
  list_->SetCurrentOptionFromText("English");
  EXPECT_EQ(list_->GetSelected(), 0);
  list_->SetCurrentOption(7);  // stored, shows nothing new
  EXPECT_EQ(list_->GetSelected(), 7);
  EXPECT_EQ(list_->GetSelectedText(), "");
  EXPECT_EQ(list_->GetText(), "English");
  EXPECT_EQ(Events(), Strings{"selected"});
}

TEST_F(UIDropDownTest, APressBesideTheShownListClosesItAndGoesNoFurther) {
  Release(button_);
  Press({0.05f, 0.05f});
  EXPECT_FALSE(list_->IsOpen());
  EXPECT_EQ(GetUIMan()->GetOpenDropdown(), nullptr);
  EXPECT_TRUE(Events().empty());
  Press({0.05f, 0.05f});
  EXPECT_EQ(Events(), Strings{"panel press"});

  // Closed by its button, the list is still remembered: presses beside it
  // go on as any press.
  Release(button_);
  Release(button_);
  EXPECT_FALSE(list_->IsOpen());
  ASSERT_EQ(GetUIMan()->GetOpenDropdown(), list_);
  ClearEvents();
  Press({0.05f, 0.05f});
  EXPECT_EQ(Events(), Strings{"panel press"});

  // Destroyed while open, it is forgotten.
  Release(button_);
  GetUIMan()->DropPanel(panel_, true);
  EXPECT_EQ(GetUIMan()->GetOpenDropdown(), nullptr);
  Press({0.2f, 0.6f});
}

TEST_F(UIDropDownTest, OptionsMatchByTheirUntranslatedTextAndAreNotSaved) {
  lang::GetStrMan().Add("French", new std::u16string(u"Fran\u00E7ais"));
  list_->RefreshText();
  list_->SetCurrentOptionFromText("Fran\xC3\xA7" "ais");
  EXPECT_EQ(list_->GetSelected(), 0);
  list_->SetCurrentOptionFromText("French");
  EXPECT_EQ(list_->GetSelected(), 1);
  EXPECT_EQ(list_->GetSelectedText(), "Fran\xC3\xA7" "ais");
  EXPECT_EQ(list_->GetOriginalSelectedText(), "French");

  GetUIMan()->SavePanel(panel_, "saved.ui");
  const std::string saved = ReadFile("saved.ui");
  EXPECT_EQ(saved.find("German"), std::string::npos);
  EXPECT_NE(saved.find("DropButton = \"button_16x16.png\",\n         DropBG = \"list_64x64.png\",\n"
                       "         CoversCompletely = 0,"),
            std::string::npos);

  list_->Clear();
  EXPECT_EQ(list_->GetSelected(), -1);
  EXPECT_EQ(list_->GetSelectedText(), "");
  EXPECT_EQ(list_->GetText(), "Fran\xC3\xA7" "ais");
}

TEST_F(UIDropDownTest, ACoveringListKeepsItsTextAndTheWholeRowOpensIt) {
  WriteText("cover.ui", "Panel = { Name = 'Cover', Type = 'dropdown', CoversCompletely = 1, Pos = { 0, 0 },"
                        " Size = { 0.2, 0.05 }, Options = { 'Small', 'Large' } }");
  auto* cover = static_cast<ui::UIDropDown*>(GetUIMan()->AddPanel("cover.ui"));
  ASSERT_NE(cover, nullptr);
  ASSERT_EQ(cover->GetType(), ui::UIWidget::kTypeDropDown);
  EXPECT_EQ(cover->GetText(), "Small");
  cover->SetText("Size");
  EXPECT_EQ(cover->GetText(), "Small");
  // No button image: the whole widget is the button.
  Release({0.1f, 0.02f});
  EXPECT_TRUE(cover->IsOpen());
  Release({0.1f, 0.12f});  // the second option
  EXPECT_EQ(cover->GetSelected(), 1);
  EXPECT_EQ(cover->GetText(), "Small");
}

}  // namespace
