// The progress bar, the slider and the check box, loaded from a panel file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/input/mouse.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"

namespace {

using Strings = std::vector<std::string>;

// A drawn quad in screen fractions with its texture range.
struct Quad {
  float left, top, right, bottom, u0, u1, v0, v1;
};

Quad QuadOf(const std::vector<Vertex2D>& vertices) {
  Quad q{1e9f, 1e9f, -1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
  for (const Vertex2D& v : vertices) {
    q.left = std::min(q.left, (v.x + 0.5f) / 800);
    q.right = std::max(q.right, (v.x + 0.5f) / 800);
    q.top = std::min(q.top, (v.y + 0.5f) / 600);
    q.bottom = std::max(q.bottom, (v.y + 0.5f) / 600);
    q.u0 = std::min(q.u0, v.u);
    q.u1 = std::max(q.u1, v.u);
    q.v0 = std::min(q.v0, v.v);
    q.v1 = std::max(q.v1, v.v);
  }
  return q;
}

class WidgetKindsTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    panel_ = GetUIMan()->AddPanel(VANTOR_TEST_DATA "/kinds.ui");
    ASSERT_NE(panel_, nullptr);
  }
  // The quads drawn by the widget, each with the texture bound for it.
  std::vector<std::pair<const Surface*, Quad>> Drawn(ui::UIWidget* widget) {
    graphics_.calls.clear();
    graphics_.drawn.clear();
    widget->Render(false);
    std::vector<std::pair<const Surface*, Quad>> quads;
    const Surface* bound = nullptr;
    size_t draw = 0;
    for (const RecordingGraphics::Call& call : graphics_.calls) {
      if (call.kind == RecordingGraphics::Call::kBind)
        bound = call.texture;
      else
        quads.emplace_back(bound, QuadOf(graphics_.drawn[draw++]));
    }
    return quads;
  }
  static void ExpectQuad(const Quad& q, float left, float top, float right, float bottom, float u0, float u1,
                         float v0, float v1) {
    const float expected[] = {left, top, right, bottom, u0, u1, v0, v1};
    const float got[] = {q.left, q.top, q.right, q.bottom, q.u0, q.u1, q.v0, q.v1};
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(got[i], expected[i], 1e-4f) << "component " << i;
  }

  ui::UIWidget* panel_ = nullptr;
  input::MouseButton left_;
};

TEST_F(WidgetKindsTest, PanelTypesMakeTheKindsAndTypedLookupsCheckTheKind) {
  EXPECT_NE(dynamic_cast<ui::UIProgress*>(panel_->GetWidgetByName("across")), nullptr);
  EXPECT_EQ(panel_->GetProgressByName("Down"), panel_->GetWidgetByName("Down"));
  EXPECT_NE(panel_->GetSliderByName("volume"), nullptr);
  EXPECT_NE(panel_->GetCheckBoxByName("sound"), nullptr);
  EXPECT_EQ(panel_->GetCheckBoxByName("volume"), nullptr);
  EXPECT_EQ(panel_->GetSliderByName("Kinds"), nullptr);
  EXPECT_EQ(panel_->GetProgressByName("none"), nullptr);
  std::unique_ptr<ui::UIWidget> made(GetUIMan()->CreateWidget(nullptr, "SLIDER"));
  EXPECT_EQ(made->GetType(), ui::UIWidget::kTypeSlider);
}

TEST_F(WidgetKindsTest, ValuesAreClampedFromFilesAndSetters) {
  ui::UIProgress* down = panel_->GetProgressByName("Down");
  ui::UISlider* slider = panel_->GetSliderByName("Volume");
  EXPECT_EQ(down->GetProgress(), 1.0f);
  EXPECT_EQ(slider->GetSlider(), 0.0f);
  // The icon is as high and wide as the widget is high by default.
  EXPECT_FLOAT_EQ(slider->GetIconSize().x, 0.05f);
  EXPECT_FLOAT_EQ(slider->GetIconSize().y, 0.05f);
  const std::pair<float, float> cases[] = {{1.5f, 1.0f}, {-0.2f, 0.0f}, {0.3f, 0.3f}};
  for (auto [given, stored] : cases) {
    down->SetProgress(given);
    slider->SetSlider(given);
    EXPECT_EQ(down->GetProgress(), stored);
    EXPECT_EQ(slider->GetSlider(), stored);
  }
  EXPECT_TRUE(panel_->GetCheckBoxByName("Sound")->IsChecked());
}

TEST_F(WidgetKindsTest, ProgressBarsAreVerticalUnlessHorizontalAndCutTheirTextures) {
  ui::UIProgress* across = panel_->GetProgressByName("Across");
  ui::UIProgress* down = panel_->GetProgressByName("Down");
  EXPECT_TRUE(across->IsHorizontal());
  EXPECT_FALSE(down->IsHorizontal());
  // Made in code, a bar runs across.
  std::unique_ptr<ui::UIWidget> made(GetUIMan()->CreateWidget(nullptr, "progress"));
  EXPECT_TRUE(static_cast<ui::UIProgress*>(made.get())->IsHorizontal());

  // Across at 0.25: the full image over the left quarter with its texture
  // cut at 0.25, the empty image over the rest from 0.25 on.
  auto quads = Drawn(across);
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].first, graphics_.TextureOf("full_64x16.png"));
  ExpectQuad(quads[0].second, 0.1f, 0.1f, 0.2f, 0.15f, 0, 0.25f, 0, 1);
  EXPECT_EQ(quads[1].first, graphics_.TextureOf("empty_64x16.png"));
  ExpectQuad(quads[1].second, 0.2f, 0.1f, 0.5f, 0.15f, 0.25f, 1, 0, 1);

  // Down at 0.25: the empty image over the top quarter, the full one below;
  // flipped, the full part is the quarter at the bottom.
  down->SetProgress(0.25f);
  quads = Drawn(down);
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].first, graphics_.TextureOf("empty_16x64.png"));
  ExpectQuad(quads[0].second, 0.6f, 0.1f, 0.65f, 0.2f, 0, 1, 0, 0.25f);
  ExpectQuad(quads[1].second, 0.6f, 0.2f, 0.65f, 0.5f, 0, 1, 0.25f, 1);
  down->SetFlipped(true);
  quads = Drawn(down);
  ASSERT_EQ(quads.size(), 2u);
  ExpectQuad(quads[0].second, 0.6f, 0.1f, 0.65f, 0.4f, 0, 1, 0, 0.75f);
  EXPECT_EQ(quads[1].first, graphics_.TextureOf("full_16x64.png"));
  ExpectQuad(quads[1].second, 0.6f, 0.4f, 0.65f, 0.5f, 0, 1, 0.75f, 1);
}

TEST_F(WidgetKindsTest, AcrossTheCutLiesWithinTheSpriteSetFrame) {
  // Four frames of 64 pixels: frame 1 spans u 0.25 .. 0.5.
  WriteText("bars.lua", "Sprites = { { Name = 'bar', ImageFile = 'bar_256x16.png', SpriteC = 4, FrameTime = 1 } }");
  ui::GetSpriteSet()->Load("bars.lua");
  WriteText("bar.ui", "Panel = { Name = 'Bar', Type = 'progress', HorizProgress = 1, Progress = 0.25,"
                      " Pos = { 0, 0 }, Size = { 0.4, 0.1 }, ProgressFull = 'bar' }");
  ui::UIWidget* bar = GetUIMan()->AddPanel("bar.ui");
  ASSERT_NE(bar, nullptr);
  bar->Update(1.5f);  // into frame 1
  auto quads = Drawn(bar);
  ASSERT_EQ(quads.size(), 1u);  // no empty image
  ExpectQuad(quads[0].second, 0, 0, 0.1f, 0.1f, 0.25f, 0.3125f, 0, 1);
}

TEST_F(WidgetKindsTest, SliderFollowsThePressAndDragsThatStartOnIt) {
  ui::UISlider* slider = panel_->GetSliderByName("Volume");
  // 0.4 wide at x 0.3: a press at 0.5 gives 0.5; held still, "slider_change"
  // runs every frame.
  const math::Vec2 press{0.5f, 0.62f};
  for (int frame = 0; frame < 3; ++frame) GetUIMan()->OnMouseHeld(&left_, &press);
  EXPECT_FLOAT_EQ(slider->GetSlider(), 0.5f);
  EXPECT_EQ(Events(), (Strings{"change", "change", "change"}));
  ClearEvents();

  // A drag from outside changes nothing; one from inside follows the mouse,
  // clamped, and its drop ends with "lmb_release".
  const math::Vec2 outside{0.1f, 0.62f}, inside{0.4f, 0.62f}, far{0.9f, 0.62f};
  GetUIMan()->OnMouseDrag(&outside, &inside);
  GetUIMan()->OnMouseDragEnd(&outside, &inside);
  EXPECT_FLOAT_EQ(slider->GetSlider(), 0.5f);
  EXPECT_TRUE(Events().empty());
  GetUIMan()->OnMouseDrag(&inside, &far);
  EXPECT_EQ(slider->GetSlider(), 1.0f);
  EXPECT_EQ(GetUIMan()->GetDragTarget(), nullptr);
  GetUIMan()->OnMouseDragEnd(&inside, &outside);
  EXPECT_EQ(slider->GetSlider(), 0.0f);
  EXPECT_EQ(Events(), (Strings{"change", "change", "release"}));

  // No width: the value is 0, not NaN.
  slider->SetSize({0, 0.05f});
  slider->SetSlider(0.7f);
  slider->OnDrag(slider->GetPosition(), slider->GetPosition());
  EXPECT_EQ(slider->GetSlider(), 0.0f);
}

TEST_F(WidgetKindsTest, SliderDrawsItsIconCentredOnTheValue) {
  ui::UISlider* slider = panel_->GetSliderByName("Volume");
  slider->SetSlider(0.25f);
  auto quads = Drawn(slider);
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].first, graphics_.TextureOf("track_320x30.png"));
  EXPECT_EQ(quads[1].first, graphics_.TextureOf("knob_20x20.png"));
  ExpectQuad(quads[1].second, 0.375f, 0.6f, 0.425f, 0.65f, 0, 1, 0, 1);
  slider->SetIsVisible(false);
  EXPECT_TRUE(Drawn(slider).empty());
}

TEST_F(WidgetKindsTest, CheckBoxTurnsOnEitherButtonAndAlwaysPlaysItsSound) {
  ui::UICheckBox* box = panel_->GetCheckBoxByName("Sound");
  EXPECT_EQ(Drawn(box)[0].first, graphics_.TextureOf("ticked_32x32.png"));
  const math::Vec2 on{0.32f, 0.82f};
  // Right button, play-sound off, no "lmb_release": turned, sound played,
  // and the release reported unhandled.
  EXPECT_FALSE(box->OnMouseUp(on, 1));
  EXPECT_FALSE(box->IsChecked());
  EXPECT_EQ(SoundCounts(), "press 1 rollover 0 key 0");
  auto quads = Drawn(box);
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0].first, graphics_.TextureOf("clear_32x32.png"));
  ExpectQuad(quads[0].second, 0.3f, 0.8f, 0.35f, 0.85f, 0, 1, 0, 1);
  box->SetEvent(ui::UIWidget::kLmbRelease, "table.insert(Events, 'ticked')");
  GetUIMan()->OnMouseUp(&left_, &on);
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(Events(), (Strings{"ticked"}));
  EXPECT_FALSE(box->OnMouseUp({0.9f, 0.9f}, 0));  // outside
  box->SetChecked(false);
  EXPECT_EQ(SoundCounts(), "press 2 rollover 0 key 0");
}

TEST_F(WidgetKindsTest, SavedKindsReadBackWithTheirValues) {
  panel_->GetProgressByName("Down")->SetProgress(0.5f);
  panel_->GetSliderByName("Volume")->SetSlider(0.75f);
  GetUIMan()->SavePanel(panel_, "saved.ui");
  GetUIMan()->DropPanel(panel_, true);
  ui::UIWidget* again = GetUIMan()->AddPanel("saved.ui");
  ASSERT_NE(again, nullptr);
  ui::UIProgress* down = again->GetProgressByName("Down");
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->GetProgress(), 0.5f);
  EXPECT_FALSE(down->IsHorizontal());
  EXPECT_TRUE(again->GetProgressByName("Across")->IsHorizontal());
  EXPECT_EQ(again->GetSliderByName("Volume")->GetSlider(), 0.75f);
  EXPECT_TRUE(again->GetCheckBoxByName("Sound")->IsChecked());
  EXPECT_EQ(again->GetCheckBoxByName("Sound")->GetImage(ui::UIWidget::kImageChecked).GetName(), "ticked_32x32.png");
  std::unique_ptr<ui::UIWidget> clone(again->GetSliderByName("Volume")->GetClone());
  EXPECT_EQ(static_cast<ui::UISlider*>(clone.get())->GetSlider(), 0.75f);
}

}  // namespace
