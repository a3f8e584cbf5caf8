#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;

// A panel that logs each mouse call the manager makes on it and, when told
// to, takes the call.
class Probe : public ui::UIWidget {
 public:
  Probe(Strings& log, const std::string& name) : UIWidget(nullptr, ""), log_(log), label_(name) {}

  bool OnMouseDown(const math::Vec2& p, int b) override { return Note("down", UIWidget::OnMouseDown(p, b)); }
  bool OnDoubleClick(const math::Vec2& p, int b) override { return Note("double", UIWidget::OnDoubleClick(p, b)); }
  bool OnMouseUp(const math::Vec2& p, int b) override { return Note("up", UIWidget::OnMouseUp(p, b)); }
  bool OnMouseHeld(const math::Vec2& p, int b) override { return Note("held", UIWidget::OnMouseHeld(p, b)); }
  bool OnMouseRepeat(const math::Vec2& p, int b) override { return Note("repeat", UIWidget::OnMouseRepeat(p, b)); }
  bool OnHover(const math::Vec2& p) override { return Note("hover", UIWidget::OnHover(p)); }
  bool OnMouseMove(const math::Vec2& a, const math::Vec2& b) override {
    return Note("move", UIWidget::OnMouseMove(a, b));
  }
  bool OnDrag(const math::Vec2& a, const math::Vec2& b) override { return Note("drag", UIWidget::OnDrag(a, b)); }
  bool OnDrop(const math::Vec2& a, const math::Vec2& b, bool f) override {
    return Note("drop", UIWidget::OnDrop(a, b, f));
  }

  bool takes = false;

 private:
  bool Note(const char* call, bool handled) {
    log_.push_back(label_ + " " + call);
    return handled || takes;
  }
  Strings& log_;
  std::string label_;
};

class UIManagerRoutingTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    // Back (0, 0)..(0.6, 0.6), front (0.3, 0.3)..(0.9, 0.9).
    back_ = AddProbe("back", {0, 0});
    front_ = AddProbe("front", {0.3f, 0.3f});
  }

  Probe* AddProbe(const std::string& name, math::Vec2 position) {
    auto* probe = new Probe(log_, name);
    probe->Init(name, position, {0.6f, 0.6f});
    GetUIMan()->InsertPanel(probe);
    return probe;
  }
  // The log of one manager call.
  template <typename Call>
  Strings Route(Call call) {
    log_.clear();
    call(*GetUIMan());
    return log_;
  }

  Strings log_;
  Probe* back_ = nullptr;
  Probe* front_ = nullptr;
  const math::Vec2 overlap_{0.45f, 0.45f}, backOnly_{0.1f, 0.1f}, nowhere_{0.95f, 0.05f};
  input::MouseButton left_;
};

TEST_F(UIManagerRoutingTest, ClicksGoFrontToBackDragsBackToFrontHoverAndDropEverywhere) {
  ui::UIManager& ui = *GetUIMan();
  front_->takes = back_->takes = true;
  const auto down = [this](const math::Vec2& p) { return [this, p](ui::UIManager& m) { m.OnMouseDown(&left_, &p); }; };
  EXPECT_EQ(Route(down(overlap_)), (Strings{"front down"}));
  front_->takes = false;
  EXPECT_EQ(Route(down(backOnly_)), (Strings{"front down", "back down"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseUp(&left_, &overlap_); }), (Strings{"front up", "back up"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDoubleClick(&left_, &overlap_); }),
            (Strings{"front double", "back double"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseHeld(&left_, &overlap_); }), (Strings{"front held", "back held"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseRepeat(&left_, &overlap_); }),
            (Strings{"front repeat", "back repeat"}));

  front_->takes = true;
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDrag(&overlap_, &overlap_); }), (Strings{"back drag"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseHover(&overlap_); }), (Strings{"back hover", "front hover"}));
  // A draggable panel becomes the drag target and alone gets the rest of the drag.
  front_->SetCanDrag(true);
  back_->takes = false;
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDrag(&overlap_, &overlap_); }), (Strings{"back drag", "front drag"}));
  EXPECT_EQ(ui.GetDragTarget(), front_);
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDrag(&overlap_, &backOnly_); }), (Strings{"front drag"}));
  EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDragEnd(&overlap_, &backOnly_); }),
            (Strings{"back drop", "front drop"}));
  EXPECT_EQ(ui.GetDragTarget(), nullptr);
}

TEST_F(UIManagerRoutingTest, AMoveStopsAtTheFirstVisiblePanelUnderThePointThenLeavesAndEnters) {
  ui::UIManager& ui = *GetUIMan();
  ui::UIWidget* button = Make(back_, "button", {0.05f, 0.05f}, {0.1f, 0.1f});
  button->SetEvent(ui::UIWidget::kMouseOver, "table.insert(Events, 'over')");
  button->SetEvent(ui::UIWidget::kMouseOff, "table.insert(Events, 'off')");
  const auto move = [](math::Vec2 from, math::Vec2 to) { return [=](ui::UIManager& m) { m.OnMouseMove(&from, &to); }; };

  EXPECT_EQ(Route(move(nowhere_, overlap_)), (Strings{"front move"}));
  EXPECT_EQ(ui.GetCursorPosition().x, overlap_.x);
  EXPECT_EQ(Route(move(overlap_, backOnly_)), (Strings{"front move", "back move"}));
  EXPECT_EQ(Events(), (Strings{"over"}));
  EXPECT_EQ(Route(move(backOnly_, nowhere_)), (Strings{"front move", "back move"}));
  EXPECT_EQ(Events(), (Strings{"over", "off"}));
  front_->SetIsVisible(false);
  EXPECT_EQ(Route(move(nowhere_, overlap_)), (Strings{"back move"}));
}

TEST_F(UIManagerRoutingTest, ABlockAllPanelIsModal) {
  front_->SetBlockAll(true);
  for (const math::Vec2& p : {overlap_, backOnly_, nowhere_}) {
    EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDown(&left_, &p); }), (Strings{"front down"}));
    EXPECT_EQ(Route([&](ui::UIManager& m) { m.OnMouseDrag(&p, &p); }), (Strings{"back drag", "front drag"}));
  }
}

TEST_F(UIManagerRoutingTest, OnlyTabUpAndDownReleasedInTheEditBoxRunTheirEvents) {
  ui::UIManager& ui = *GetUIMan();
  ui::UIWidget* box = Make(front_, "box", {0.1f, 0.1f}, {0.3f, 0.05f});
  box->GetTextBlock().editable = 1;
  const std::pair<int, const char*> keys[] = {{15, "tab"}, {200, "up"}, {208, "down"},
                                              {28, "enter"}, {203, "left"}, {205, "right"}, {30, "a"}};
  for (int event : {ui::UIWidget::kTabKey, ui::UIWidget::kUpKey, ui::UIWidget::kDownKey, ui::UIWidget::kTextEnter,
                    ui::UIWidget::kLeftKey, ui::UIWidget::kRightKey})
    box->SetEvent(event, std::string("table.insert(Events, '") + ui::GetEventName(event) + "')");
  const auto releaseAll = [&] {
    for (const auto& [code, name] : keys) {
      input::KeyState key;
      key.code = code;
      ui.OnKeyUp(&key);
    }
  };
  releaseAll();
  EXPECT_TRUE(Events().empty()) << "no edit box";
  ui.SetEditWidget(box);
  releaseAll();
  EXPECT_EQ(Events(), (Strings{"tab_key", "up_key", "down_key"}));
}

TEST_F(UIManagerRoutingTest, TheDragTargetIsDrawnOverEveryPanelAndTheCursorOverIt) {
  ui::UIManager& ui = *GetUIMan();
  back_->SetImage(ui::UIWidget::kImageOff, "back_64x64.png");
  front_->SetImage(ui::UIWidget::kImageOff, "front_64x64.png");
  ui::UIWidget* picture = Make(back_, "picture", {0.1f, 0.1f}, {0.1f, 0.1f});
  picture->SetImage(ui::UIWidget::kImageOff, "picture_32x32.png");
  ui.SetCursor("arrow_32x32.png", {0.01f, 0}, {0.02f, 0.02f});
  ui.SetDragTarget(picture);
  const math::Vec2 to{0.5f, 0.25f};
  ui.OnMouseMove(&nowhere_, &to);
  ui.Render();
  using R = RecordingGraphics;
  std::vector<R::Call> binds;
  for (const R::Call& call : graphics_.calls)
    if (call.kind == R::Call::kBind && call.texture) binds.push_back(call);
  EXPECT_EQ(binds, (std::vector<R::Call>{R::Bind(graphics_.TextureOf("back_64x64.png")),
                                         R::Bind(graphics_.TextureOf("front_64x64.png")),
                                         R::Bind(graphics_.TextureOf("picture_32x32.png")),
                                         R::Bind(graphics_.TextureOf("arrow_32x32.png"))}));
  // The cursor at the mouse plus its offset.
  EXPECT_FLOAT_EQ(graphics_.drawn.back()[1].x, 0.51f * 800 - 0.5f);
  ui.ShowCursor(false);
  const size_t drawn = graphics_.drawn.size();
  ui.Render();
  EXPECT_EQ(graphics_.drawn.size(), drawn + 3);
}

TEST_F(UIManagerRoutingTest, AfterDroppingEveryPanelEventsTouchNothingFreed) {
  ui::UIManager& ui = *GetUIMan();
  ui::UIWidget* box = Make(front_, "box", {0.1f, 0.1f}, {0.3f, 0.05f});
  box->GetTextBlock().editable = 1;
  box->SetEvent(ui::UIWidget::kTabKey, "table.insert(Events, 'tab')");
  ui::UIWidget* picture = Make(back_, "picture", {0.1f, 0.1f}, {0.1f, 0.1f});
  ui.SetEditWidget(box);
  ui.SetDragTarget(picture);
  auto* list = static_cast<ui::UIDropDown*>(ui.CreateWidget(back_, "dropdown"));
  list->Init("list", {0.5f, 0.5f}, {0.1f, 0.05f});
  ASSERT_TRUE(back_->Add("list", list));
  ui.SetOpenDropdown(list);
  ui.DropAllPanels();
  EXPECT_EQ(ui.GetFocus(), nullptr);
  EXPECT_EQ(ui.GetDragTarget(), nullptr);
  EXPECT_EQ(ui.GetEditTextBox(), nullptr);
  EXPECT_EQ(ui.GetOpenDropdown(), nullptr);
  input::KeyState tab;
  tab.code = 15;
  ui.OnKeyDown(&tab);
  ui.OnKeyUp(&tab);
  ui.OnMouseDown(&left_, &overlap_);
  ui.OnMouseDrag(&overlap_, &backOnly_);
  ui.OnMouseMove(&overlap_, &backOnly_);
  ui.OnMouseDragEnd(&overlap_, &backOnly_);
  ui.Update(0.1f);
  ui.Render();
  EXPECT_TRUE(Events().empty());
  EXPECT_TRUE(log_.empty());
}

}  // namespace
