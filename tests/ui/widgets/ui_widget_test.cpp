#include "ui/widgets/ui_widget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class UIWidgetTest : public ui_testing::UITest {
 protected:
  static Strings ChildNames(ui::UIWidget* widget) {
    Strings names;
    widget->WalkForward([&names](ui::UIWidget* child) {
      names.push_back(child->GetName());
      return false;
    });
    return names;
  }
};

TEST(WidgetNamesTest, TypesAndEventsHaveTheirPanelFileNames) {
  const char* const types[] = {"widget",   "progress", "slider",  "dropdown", "multiline",
                               "checkbox", "flash",    "partsys", "part2d"};
  for (int i = 0; i < 9; ++i) EXPECT_STREQ(ui::GetWidgetTypeName(i), types[i]);
  EXPECT_STREQ(ui::GetWidgetTypeName(9), "widget");
  EXPECT_STREQ(ui::GetWidgetTypeName(-1), "widget");
  const char* const events[] = {"on_load",     "gain_focus",    "loose_focus",   "drag",         "drop",
                                "mouse_over",  "mouse_off",     "hoover",        "lmb_click",    "lmb_dbl_click",
                                "lmb_repeat",  "rmb_click",     "rmb_dbl_click", "rmb_repeat",   "lmb_release",
                                "rmb_release", "slider_change", "clip_ended",    "text_enter",   "selected",
                                "up_key",      "down_key",      "left_key",      "right_key",    "tab_key"};
  for (int i = 0; i < 25; ++i) EXPECT_STREQ(ui::GetEventName(i), events[i]);
  EXPECT_STREQ(ui::GetEventName(25), "unknown");
  EXPECT_STREQ(ui::GetEventName(-1), "unknown");
}

TEST_F(UIWidgetTest, LookupRenameAndDeletionWorkOnTheTree) {
  ui::UIWidget* panel = Make(nullptr, "Panel");
  ui::UIWidget* first = Make(panel, "first");
  ui::UIWidget* second = Make(panel, "second");
  ui::UIWidget* deep = Make(second, "deep");
  EXPECT_EQ(panel->GetWidgetByName("PANEL"), panel);  // itself before its children
  EXPECT_EQ(panel->GetWidgetByName("DEEP"), deep);
  EXPECT_EQ(panel->GetWidgetByName("none"), nullptr);
  EXPECT_EQ(panel->Find("First"), first);

  // A renamed child goes last; a sibling's name is refused.
  EXPECT_TRUE(first->RenameWidget("third"));
  EXPECT_EQ(ChildNames(panel), (Strings{"second", "third"}));
  EXPECT_FALSE(first->RenameWidget("SECOND"));
  EXPECT_EQ(first->GetName(), "third");
  EXPECT_EQ(ChildNames(panel), (Strings{"second", "third"}));

  // A renamed panel comes to the front, as does one made active: the
  // back-most of two panels of a name is the one found.
  ui::UIWidget* other = Make(nullptr, "renamed");
  EXPECT_TRUE(panel->RenameWidget("renamed"));
  EXPECT_EQ(GetUIMan()->GetPanel("RENAMED"), other);
  other->SetIsActive(true);
  EXPECT_EQ(GetUIMan()->GetPanel("renamed"), panel);
  other->SetIsActive(false);
  EXPECT_EQ(GetUIMan()->GetPanel("renamed"), panel);

  // DeleteChild takes only the entry holding that very child.
  ui::UIWidget stranger(nullptr, "second");
  EXPECT_FALSE(panel->DeleteChild(&stranger, true));
  EXPECT_FALSE(panel->DeleteChild(nullptr, true));
  EXPECT_EQ(panel->Find("second"), second);
  EXPECT_TRUE(panel->DeleteChild(second, false));
  EXPECT_EQ(panel->Find("second"), nullptr);
  EXPECT_EQ(second->GetParent(), panel);  // left as it was
  EXPECT_FALSE(panel->DeleteChild(second, true));
  delete second;
  EXPECT_TRUE(panel->DeleteChild(first, true));
  EXPECT_EQ(panel->Count(), 0u);
}

TEST_F(UIWidgetTest, ClonesCopyTheWidgetButNotItsChildren) {
  ui::UIWidget* panel = Make(nullptr, "panel");
  ui::UIWidget* original = Make(panel, "original", {0.2f, 0.3f}, {0.1f, 0.05f});
  Make(original, "child");
  original->SetImage(ui::UIWidget::kImageOff, "off_32x32.png");
  original->SetText("label");
  original->SetEvent(ui::UIWidget::kLmbRelease, "x = 1");
  original->SetColor(1, 0, 0, 1);
  original->SetIsVisible(false);
  original->SetPlaySound(false);
  original->SetCanDrag(true);
  std::unique_ptr<ui::UIWidget> clone(original->GetClone());
  std::unique_ptr<ui::UIWidget> second(original->GetClone());
  EXPECT_EQ(clone->GetName(), "Clone_0");
  EXPECT_EQ(second->GetName(), "Clone_1");
  EXPECT_EQ(clone->GetParent(), panel);
  EXPECT_EQ(panel->Find("Clone_0"), nullptr);
  EXPECT_TRUE(clone->IsVisible());
  EXPECT_TRUE(clone->PlaysSound());
  EXPECT_TRUE(clone->CanDrag());
  EXPECT_EQ(clone->Count(), 0u);
  EXPECT_EQ(clone->GetColor(), 0xFFFF0000u);
  EXPECT_EQ(clone->GetText(), "label");
  EXPECT_EQ(clone->GetTextBlock().owner, clone.get());
  EXPECT_EQ(clone->GetEvent(ui::UIWidget::kLmbRelease), "x = 1");
  EXPECT_EQ(clone->GetImage(ui::UIWidget::kImageOff).GetName(), "off_32x32.png");
  EXPECT_NE(clone->GetImage(ui::UIWidget::kImageOff).GetImage(),
            original->GetImage(ui::UIWidget::kImageOff).GetImage());  // its own copy
  EXPECT_EQ(clone->GetPosition().x, 0.2f);
}

TEST_F(UIWidgetTest, DrawingShowsImageThenTextThenChildrenAndSkipsTheDragTarget) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  panel->SetImage(ui::UIWidget::kImageOff, "back_800x600.png");
  panel->SetText("title");
  ui::UIWidget* first = Make(panel, "first", {0.1f, 0.1f}, {0.2f, 0.2f});
  first->SetImage(ui::UIWidget::kImageOff, "first_64x64.png");
  first->SetImage(ui::UIWidget::kImageOver, "first_over_64x64.png");
  ui::UIWidget* second = Make(panel, "second", {0.5f, 0.1f}, {0.2f, 0.2f});
  second->SetImage(ui::UIWidget::kImageOff, "second_64x64.png");
  second->SetText("two");
  first->OnMouseMove({0.9f, 0.9f}, {0.15f, 0.15f});  // shows the over image

  EXPECT_TRUE(panel->Render(false));
  using R = RecordingGraphics;
  EXPECT_EQ(graphics_.calls,
            (std::vector<R::Call>{R::Bind(graphics_.TextureOf("back_800x600.png")), R::Draw(6),
                                  R::Bind(graphics_.TextureOf("first_over_64x64.png")), R::Draw(6),
                                  R::Bind(graphics_.TextureOf("second_64x64.png")), R::Draw(6)}));
  ASSERT_EQ(font_->draws.size(), 2u);
  EXPECT_EQ(font_->draws[0].text, u"title");
  EXPECT_EQ(font_->draws[1].text, u"two");
  // The image takes the widget's rectangle and colour.
  EXPECT_FLOAT_EQ(graphics_.drawn[1][1].x, 0.1f * 800 - 0.5f);

  graphics_.calls.clear();
  GetUIMan()->SetDragTarget(second);
  panel->Render(false);
  EXPECT_EQ(graphics_.calls.size(), 4u);
  EXPECT_FALSE(second->Render(false));
  EXPECT_TRUE(second->Render(true));
  EXPECT_EQ(graphics_.calls.size(), 6u);
  panel->SetIsVisible(false);
  EXPECT_FALSE(panel->Render(false));
  EXPECT_EQ(graphics_.calls.size(), 6u);
}

TEST_F(UIWidgetTest, PositionsAreRelativeToTheParentAndTextsFormatWithinTheirBuffer) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0.1f, 0.2f}, {0.5f, 0.5f});
  ui::UIWidget* child = Make(panel, "child", {0.1f, 0.1f}, {0.1f, 0.1f});
  EXPECT_FLOAT_EQ(child->GetPosition().x, 0.2f);
  panel->SetPosition({0.3f, 0.2f});
  EXPECT_FLOAT_EQ(child->GetPosition().x, 0.4f);
  child->SetPositionRelativeToParent({0.5f, 0.5f});
  EXPECT_FLOAT_EQ(child->GetPosition().x, 0.5f);
  EXPECT_TRUE(child->IsInside({0.6f, 0.6f}));  // edges inside
  EXPECT_FALSE(child->IsInside({0.6001f, 0.6f}));

  ui::UIWidget::SetTextFormatted(child, "%s %d", "score", 42);
  EXPECT_EQ(child->GetText(), "score 42");
  const std::string longText(3000, 'z');
  ui::UIWidget::SetTextFormatted(child, "%s", longText.c_str());
  EXPECT_EQ(child->GetText().size(), 1023u);
  ui::UIWidget::SetTextFormatted(nullptr, "%s", "nothing");
}

}  // namespace
