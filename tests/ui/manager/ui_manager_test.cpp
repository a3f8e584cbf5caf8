#include "ui/manager/ui_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/sprites/sprite_set.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;

class UIManagerTest : public ui_testing::UITest {};

TEST_F(UIManagerTest, FocusAndTheEditBoxFollowEachOther) {
  ui::UIManager* manager = GetUIMan();
  ui::UIWidget* panel = Make(nullptr, "panel");
  ui::UIWidget* box = Make(panel, "box");
  ui::UIWidget* label = Make(panel, "label");
  box->GetTextBlock().editable = 1;

  manager->SetDragTarget(label);
  manager->SetEditWidget(box);
  EXPECT_EQ(manager->GetFocus(), box);
  EXPECT_EQ(manager->GetEditTextBox(), &box->GetTextBlock());
  EXPECT_EQ(manager->GetDragTarget(), nullptr);
  manager->SetFocus(box);  // the same widget: nothing changes
  EXPECT_EQ(manager->GetEditTextBox(), &box->GetTextBlock());
  manager->SetFocus(label);
  EXPECT_EQ(manager->GetFocus(), label);
  EXPECT_EQ(manager->GetEditTextBox(), nullptr);

  manager->SetEditWidget(box);
  manager->SetEditWidget(label);  // cannot edit: both cleared
  EXPECT_EQ(manager->GetFocus(), nullptr);
  EXPECT_EQ(manager->GetEditTextBox(), nullptr);

  manager->SetEditWidget(box);
  manager->SetDragTarget(label);
  manager->ClearEditWidget();
  EXPECT_EQ(manager->GetFocus(), nullptr);
  EXPECT_EQ(manager->GetDragTarget(), nullptr);
  EXPECT_EQ(manager->GetEditTextBox(), nullptr);
}

TEST_F(UIManagerTest, ScriptsRunInTheConsoleAndTypeNamesMakeTheirKinds) {
  GetUIMan()->ExecuteScript("table.insert(Events, 'ran')");
  GetUIMan()->ExecuteScript("");
  EXPECT_EQ(Events(), Strings{"ran"});
  EXPECT_EQ(console_->GetHistory().back(), "table.insert(Events, 'ran')");
  const std::pair<const char*, int> kinds[] = {
      {"widget", ui::UIWidget::kTypeWidget},       {"DropDown", ui::UIWidget::kTypeDropDown},
      {"progress", ui::UIWidget::kTypeProgress},   {"Slider", ui::UIWidget::kTypeSlider},
      {"checkbox", ui::UIWidget::kTypeCheckBox},   {"MULTILINE", ui::UIWidget::kTypeMultiLine},
      {"no such type", ui::UIWidget::kTypeWidget}};
  for (auto [type, kind] : kinds) {
    std::unique_ptr<ui::UIWidget> widget(GetUIMan()->CreateWidget(nullptr, type));
    EXPECT_EQ(widget->GetName(), "");
    EXPECT_EQ(widget->GetType(), kind) << type;
  }
}

TEST_F(UIManagerTest, SpritesTakeTheLanguageAndRunTheirWidgetsClipEnded) {
  ui::UIWidget* panel = Make(nullptr, "panel");
  GetUIMan()->SetLanguage("Deutsch");
  panel->SetImage(ui::UIWidget::kImageOff, "flag_###.png");
  EXPECT_EQ(graphics_.loaded.back(), "flag_Deutsch.png");
  GetUIMan()->SetLanguage("English");
  panel->ReloadImages();
  EXPECT_EQ(graphics_.loaded.back(), "flag_English.png");
  EXPECT_EQ(panel->GetImage(ui::UIWidget::kImageOff).GetName(), "flag_###.png");

  // A four-frame animation at 10 frames a second ends its cycle after 0.4 s.
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("spin", "spin_256x64.png", 4, 0.1f, 0, 0, false, false, 0, 0));
  ui::UIWidget* spinner = Make(panel, "spinner");
  spinner->SetImage(ui::UIWidget::kImageOff, "spin");
  spinner->SetEvent(ui::UIWidget::kClipEnded, "table.insert(Events, 'cycle')");
  for (int i = 0; i < 9; ++i) spinner->Update(0.1f);
  EXPECT_EQ(Events(), (Strings{"cycle", "cycle"}));
  spinner->SetIsVisible(false);
  for (int i = 0; i < 9; ++i) spinner->Update(0.1f);  // hidden: stands still
  EXPECT_EQ(Events().size(), 2u);
}

}  // namespace
