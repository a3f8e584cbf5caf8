#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/math/vector.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;
constexpr float kStep = 0.25f;  // exact in binary, so timers end where the tables say

class UIMoverTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    RegisterUIScripts();
    console_->GetState()->GetGlobals().Register("DropW", &DropW, 0);
    w_ = Make(nullptr, "w", {0, 0}, {0.1f, 0.1f});
  }
  // Drops and deletes the panel "w" from a script.
  static int DropW(lua_State*) {
    GetUIMan()->DropPanel(GetUIMan()->GetPanel("w"), true);
    return 0;
  }
  // "x movers events" after each of `steps` updates.
  Strings Run(int steps) {
    Strings trace;
    for (int i = 0; i < steps; ++i) {
      GetUIMan()->Update(kStep);
      char line[64];
      std::snprintf(line, sizeof line, "%.3f %zu %zu", w_->GetPosition().x, w_->GetMoverCount(), Events().size());
      trace.push_back(line);
    }
    return trace;
  }

  ui::UIWidget* w_ = nullptr;
};

TEST_F(UIMoverTest, MoversRunInSequenceAtAFixedStep) {
  struct Case {
    const char* name;
    const char* script;
    bool clear;
    Strings trace;
  };
  const char* end = "'table.insert(Events, 1)'";
  const Case cases[] = {
      {"the delay takes an update, 'to' is reached as the duration runs out",
       "AddUIMove(w, 0, 1, Vec4(0, 0, 1, 0), END)",
       false,
       {"0.000 1 0", "0.000 1 0", "0.250 1 0", "0.500 1 0", "0.750 1 0", "1.000 0 1"}},
      {"the second mover's delay starts when the first has finished",
       "AddUIMove(w, 0, 0.5, Vec4(0, 0, 1, 0), END) AddUIMove(w, 0.5, 0.5, Vec4(1, 0, 2, 0), END)",
       false,
       {"0.000 2 0", "0.000 2 0", "0.500 2 0", "1.000 1 1", "1.000 1 1", "1.000 1 1", "1.000 1 1", "1.000 1 1",
        "1.500 1 1", "2.000 0 2"}},
      {"an image change waits out its delay, then is instant",
       "UISetImage(w, 0.5, 'pic_32x32.png', END)",
       false,
       {"0.000 1 0", "0.000 1 0", "0.000 1 0", "0.000 0 1"}},
      {"cleared movers whose delays are over end one per update, without scripts",
       "AddUIMove(w, -1, 1, Vec4(0, 0, 1, 0), END) AddUIMove(w, -1, 1, Vec4(0, 0, 2, 0), END) "
       "AddUIMove(w, -1, 1, Vec4(0, 0, 3, 0), END)",
       true,
       {"1.000 2 0", "2.000 1 0", "3.000 0 0", "3.000 0 0"}},
      {"a nil widget gets nothing", "AddUIMove(nil, 0, 1, Vec4(0, 0, 1, 0), END)", false, {"0.000 0 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w_->SetPosition({0, 0});
    w_->DeleteMovers();
    ClearEvents();
    std::string script = std::string("local w = GetUIMan():GetPanel('w') ") + c.script;
    for (size_t at; (at = script.find("END")) != std::string::npos;) script.replace(at, 3, end);
    console_->Do(script);
    if (c.clear) w_->ClearMovers();
    EXPECT_EQ(Run(static_cast<int>(c.trace.size())), c.trace);
  }
  EXPECT_EQ(w_->GetImage(ui::UIWidget::kImageOff).GetName(), "pic_32x32.png");
}

TEST_F(UIMoverTest, AFadeSetsTheTintToWhiteAndAHiddenWidgetStandsStill) {
  w_->SetColor(1, 0, 0, 1);
  console_->Do("AddUIXFade(GetUIMan():GetPanel('w'), 0, 0.5, Vec2(0, 1), '')");
  std::vector<uint32_t> colours;
  for (int i = 0; i < 4; ++i) {
    GetUIMan()->Update(kStep);
    colours.push_back(w_->GetColor());
    if (i == 1) {
      w_->SetIsVisible(false);
      GetUIMan()->Update(kStep);
      w_->SetIsVisible(true);
    }
  }
  EXPECT_EQ(colours, (std::vector<uint32_t>{0xFFFF0000u, 0x00FFFFFFu, 0x7FFFFFFFu, 0xFFFFFFFFu}));
  EXPECT_EQ(w_->GetMoverCount(), 0u);
}

TEST_F(UIMoverTest, ASineWobblesUntilAMoverQueuesBehindItThenRestsAtItsBase) {
  w_->SetPosition({0.2f, 0.3f});
  console_->Do("AddUISine(GetUIMan():GetPanel('w'), Vec3(0.1, 1, 0.25), Vec3(0, 0, 0))");
  Strings trace = Run(4);  // the delay, then clock 0.25, 0.5, 0.75: sin of pi, 3/2 pi, 2 pi
  EXPECT_EQ(trace, (Strings{"0.200 1 0", "0.200 1 0", "0.100 1 0", "0.200 1 0"}));
  EXPECT_FLOAT_EQ(w_->GetPosition().y, 0.3f);
  trace = Run(40);
  EXPECT_EQ(trace.back().substr(6), "1 0") << "still wobbling";
  console_->Do("AddUIMove(GetUIMan():GetPanel('w'), 0, 0.5, Vec4(0.5, 0.5, 0.6, 0.5), '')");
  EXPECT_EQ(Run(2), (Strings{"0.200 1 0", "0.200 1 0"}));  // back at its base; then the move's delay
  EXPECT_EQ(Run(3), (Strings{"0.500 1 0", "0.550 1 0", "0.600 0 0"}));

  // Cleared, a lone sine rests at its base too.
  w_->SetPosition({0.2f, 0.3f});
  console_->Do("AddUISine(GetUIMan():GetPanel('w'), Vec3(0.1, 1, 0), Vec3(0.1, 0, 0))");
  Run(3);
  w_->ClearMovers();
  EXPECT_EQ(Run(1), (Strings{"0.200 0 0"}));
  EXPECT_FLOAT_EQ(w_->GetPosition().y, 0.3f) << "a period of 0 leaves the axis still";
}

TEST_F(UIMoverTest, PanAndSineUnderAParentWorkRelativeToIt) {
  w_->SetPosition({0.3f, 0.3f});
  ui::UIWidget* child = Make(w_, "child", {0.1f, 0.1f}, {0.05f, 0.05f});
  ASSERT_FLOAT_EQ(child->GetPosition().x, 0.4f);
  console_->Do("AddUIPan(GetUIMan():GetWidget('child'), 0, 0.5, Vec2(0.2, 0.1), '')");
  for (float x : {0.4f, 0.4f, 0.45f, 0.5f}) {
    GetUIMan()->Update(kStep);
    EXPECT_NEAR(child->GetPosition().x, x, 1e-6f);
  }
  console_->Do("AddUISine(GetUIMan():GetWidget('child'), Vec3(0.1, 1, 0), Vec3(0, 0, 0))");
  child->ClearMovers();
  GetUIMan()->Update(kStep);
  GetUIMan()->Update(kStep);
  EXPECT_NEAR(child->GetPosition().x, 0.5f, 1e-6f);
}

TEST_F(UIMoverTest, EveryMoverIsDestroyedEvenWhenItsScriptDeletesTheWidget) {
  // Run in the sanitizer build: a mover left behind is a leak, one used after
  // its widget is freed an error.
  const char* add = "local w = GetUIMan():GetPanel('w') "
                    "AddUIMove(w, 0, 0.25, Vec4(0, 0, 1, 0), 'table.insert(Events, \"1\") DropW()') "
                    "AddUIXFade(w, 0, 1, Vec2(0, 1), '') AddUISine(w, Vec3(1, 1, 1), Vec3(1, 1, 1))";
  console_->Do(add);
  w_->ClearMovers();
  GetUIMan()->Update(kStep);  // the first, cleared, ends as done
  console_->Do(add);
  w_->DeleteMovers();
  EXPECT_EQ(w_->GetMoverCount(), 0u);
  console_->Do(add);
  for (int i = 0; i < 3; ++i) GetUIMan()->Update(kStep);
  EXPECT_EQ(Events(), (Strings{"1"}));
  EXPECT_EQ(GetUIMan()->GetPanel("w"), nullptr);  // deleted with two movers left
}

}  // namespace
