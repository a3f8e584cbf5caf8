#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;

class WidgetMouseTest : public ui_testing::UITest {
 protected:
  // Each event appends its name and the sounds played so far.
  void Script(ui::UIWidget* widget, int event, const std::string& label) {
    widget->SetEvent(event, "table.insert(Events, '" + label + " ' .. Sounds())");
  }
};

TEST_F(WidgetMouseTest, ButtonsRunTheirScriptsAndPlayTheirSounds) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  ui::UIWidget* button = Make(panel, "button", {0.1f, 0.1f}, {0.2f, 0.1f});
  Script(button, ui::UIWidget::kLmbRelease, "release");
  Script(button, ui::UIWidget::kLmbClick, "click");
  Script(button, ui::UIWidget::kRmbRelease, "rmb_release");
  const math::Vec2 inside{0.15f, 0.15f}, outside{0.5f, 0.5f};

  EXPECT_TRUE(panel->OnMouseDown(inside, 0));
  EXPECT_TRUE(panel->OnMouseUp(inside, 0));  // the press sound comes before the script
  EXPECT_EQ(GetUIMan()->GetFocus(), button);
  EXPECT_FALSE(panel->OnMouseUp(outside, 0));
  EXPECT_TRUE(panel->OnMouseUp(inside, 1));
  button->SetPlaySound(false);
  EXPECT_TRUE(panel->OnMouseUp(inside, 0));
  EXPECT_EQ(Events(), (Strings{"click press 0 rollover 0 key 0", "release press 1 rollover 0 key 0",
                               "rmb_release press 1 rollover 0 key 0", "release press 1 rollover 0 key 0"}));

  // Without scripts: no sound, and presses and releases are not handled.
  ui::UIWidget* plain = Make(panel, "plain", {0.6f, 0.6f}, {0.1f, 0.1f});
  EXPECT_FALSE(plain->OnMouseDown({0.65f, 0.65f}, 0));
  EXPECT_FALSE(plain->OnMouseUp({0.65f, 0.65f}, 0));
  EXPECT_FALSE(plain->OnMouseUp({0.65f, 0.65f}, 1));
  EXPECT_EQ(SoundCounts(), "press 1 rollover 0 key 0");
  // A draggable or editable widget reports the release.
  plain->SetCanDrag(true);
  EXPECT_TRUE(plain->OnMouseUp({0.65f, 0.65f}, 0));
}

TEST_F(WidgetMouseTest, BlockAllKeepsPressesFromWhatLiesBehind) {
  ui::UIWidget* modal = Make(nullptr, "modal", {0.4f, 0.4f}, {0.2f, 0.2f});
  modal->SetBlockAll(true);
  Script(modal, ui::UIWidget::kRmbRelease, "rmb_release");
  const math::Vec2 far{0.01f, 0.99f}, inside{0.5f, 0.5f};
  EXPECT_TRUE(modal->OnMouseDown(far, 0));
  EXPECT_TRUE(modal->OnDoubleClick(far, 0));
  EXPECT_TRUE(modal->OnMouseHeld(far, 0));
  EXPECT_TRUE(modal->OnMouseRepeat(far, 1));
  EXPECT_TRUE(modal->OnDrag(far, far));
  EXPECT_TRUE(modal->OnDrop(far, far, false));
  EXPECT_TRUE(modal->OnMouseMove(far, far));
  EXPECT_FALSE(modal->OnHover(far));  // hover only inside
  EXPECT_TRUE(modal->OnHover(inside));
  EXPECT_FALSE(modal->OnMouseUp(far, 0));  // a release only inside
  EXPECT_TRUE(modal->OnMouseUp(inside, 1));
  EXPECT_TRUE(Events().empty()) << "block-all keeps rmb_release from running";

  // Hidden or inactive, a widget takes nothing.
  modal->SetIsVisible(false);
  EXPECT_FALSE(modal->OnMouseDown(far, 0));
  modal->SetIsVisible(true);
  modal->SetIsActive(false);
  EXPECT_FALSE(modal->OnMouseDown(inside, 0));
  EXPECT_FALSE(modal->OnMouseUp(inside, 1));
}

TEST_F(WidgetMouseTest, TheTopmostChildIsAskedFirstAndEndsTheCall) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  ui::UIWidget* below = Make(panel, "below", {0.1f, 0.1f}, {0.3f, 0.3f});
  ui::UIWidget* above = Make(panel, "above", {0.2f, 0.2f}, {0.3f, 0.3f});
  for (ui::UIWidget* widget : {panel, below, above}) {
    Script(widget, ui::UIWidget::kLmbClick, widget->GetName());
    Script(widget, ui::UIWidget::kRmbRepeat, widget->GetName() + "_repeat");
  }
  EXPECT_TRUE(panel->OnMouseDown({0.25f, 0.25f}, 0));
  EXPECT_TRUE(panel->OnMouseDown({0.15f, 0.15f}, 0));
  EXPECT_TRUE(panel->OnMouseDown({0.9f, 0.9f}, 0));
  EXPECT_TRUE(panel->OnMouseRepeat({0.25f, 0.25f}, 1));
  EXPECT_EQ(Events(), (Strings{"above press 0 rollover 0 key 0", "below press 0 rollover 0 key 0",
                               "panel press 0 rollover 0 key 0", "above_repeat press 0 rollover 0 key 0"}));
  EXPECT_EQ(panel->FindWidgetAt({0.25f, 0.25f}), above);
  EXPECT_EQ(panel->FindWidgetAt({0.15f, 0.15f}), below);
  EXPECT_EQ(panel->FindWidgetAt({2, 2}), nullptr);
}

TEST_F(WidgetMouseTest, MovesSetTheImageAndTheMouseOverPassesRunScriptsAndSounds) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  ui::UIWidget* lit = Make(panel, "lit", {0.1f, 0.1f}, {0.1f, 0.1f});
  lit->SetImage(ui::UIWidget::kImageOver, "over_32x32.png");
  ui::UIWidget* scripted = Make(panel, "scripted", {0.3f, 0.1f}, {0.1f, 0.1f});
  Script(scripted, ui::UIWidget::kMouseOver, "over");
  Script(scripted, ui::UIWidget::kMouseOff, "off");
  ui::UIWidget* bare = Make(panel, "bare", {0.5f, 0.1f}, {0.1f, 0.1f});

  struct Step {
    math::Vec2 from, to;
    const char* sounds;
  };
  const Step steps[] = {
      {{0.9f, 0.9f}, {0.15f, 0.15f}, "press 0 rollover 1 key 0"},  // the over image alone plays it
      {{0.15f, 0.15f}, {0.35f, 0.15f}, "press 0 rollover 2 key 0"},
      {{0.35f, 0.15f}, {0.55f, 0.15f}, "press 0 rollover 2 key 0"},  // neither: silence
  };
  for (const Step& step : steps) {
    panel->Update(0);  // clears what the last move set
    panel->OnMouseMove(step.from, step.to);
    panel->ProcessMouseOff();
    panel->ProcessMouseOver();
    EXPECT_EQ(SoundCounts(), step.sounds);
  }
  EXPECT_EQ(Events(), (Strings{"over press 0 rollover 1 key 0", "off press 0 rollover 2 key 0"}));
  EXPECT_EQ(bare->GetCurrentImage(), ui::UIWidget::kImageOver);
  EXPECT_TRUE(bare->HasEntered());
  EXPECT_TRUE(scripted->HasLeft());
  EXPECT_EQ(lit->GetCurrentImage(), ui::UIWidget::kImageOff);

  // Holding the button shows the pressed image, when there is one.
  EXPECT_FALSE(lit->OnMouseHeld({0.15f, 0.15f}, 0));
  lit->SetImage(ui::UIWidget::kImageClick, "click_32x32.png");
  EXPECT_TRUE(lit->OnMouseHeld({0.15f, 0.15f}, 1));
  EXPECT_EQ(lit->GetCurrentImage(), ui::UIWidget::kImageClick);
  // A double click without a script shows the over image.
  EXPECT_FALSE(lit->OnDoubleClick({0.15f, 0.15f}, 0));
  EXPECT_EQ(lit->GetCurrentImage(), ui::UIWidget::kImageOver);
}

TEST_F(WidgetMouseTest, DraggingMovesTheWidgetByItsGripAndMakesItTheTarget) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0.1f, 0.1f}, {0.8f, 0.8f});
  ui::UIWidget* picture = Make(panel, "picture", {0.1f, 0.1f}, {0.2f, 0.1f});  // at 0.2, 0.2
  ui::UIWidget* label = Make(picture, "label", {0.05f, 0.05f}, {0.05f, 0.02f});
  EXPECT_FALSE(panel->OnDrag({0.25f, 0.25f}, {0.5f, 0.5f}));
  // With nothing being dragged, each widget the drag reaches takes the focus in turn.
  EXPECT_EQ(GetUIMan()->GetFocus(), label);
  picture->SetCanDrag(true);
  EXPECT_TRUE(panel->OnDrag({0.25f, 0.25f}, {0.5f, 0.5f}));
  EXPECT_NEAR(picture->GetPosition().x, 0.48f, 1e-6f);
  EXPECT_NEAR(picture->GetPosition().y, 0.49f, 1e-6f);
  EXPECT_NEAR(label->GetPosition().x, 0.53f, 1e-6f);  // children keep their offsets
  EXPECT_EQ(GetUIMan()->GetDragTarget(), picture);
  EXPECT_EQ(GetUIMan()->GetFocus(), picture);
  // Once dragged, it follows wherever the drag started.
  EXPECT_TRUE(panel->OnDrag({0.9f, 0.9f}, {0.6f, 0.6f}));
  EXPECT_NEAR(picture->GetPosition().x, 0.58f, 1e-6f);
}

TEST_F(WidgetMouseTest, HitTestWantsAVisibleWidgetWithAnImage) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  ui::UIWidget* picture = Make(panel, "picture", {0.1f, 0.1f}, {0.1f, 0.1f});
  EXPECT_FALSE(panel->HitTest({0.15f, 0.15f}));
  picture->SetImage(ui::UIWidget::kImageOff, "picture_64x64.png");
  EXPECT_TRUE(panel->HitTest({0.15f, 0.15f}));
  EXPECT_TRUE(panel->HitTest({0.2f, 0.2f}));  // the edges are inside
  EXPECT_FALSE(panel->HitTest({0.25f, 0.15f}));
  picture->SetIsVisible(false);
  EXPECT_FALSE(panel->HitTest({0.15f, 0.15f}));
}

}  // namespace
