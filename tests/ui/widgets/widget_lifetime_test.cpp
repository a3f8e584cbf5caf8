#include "ui/widgets/widget_lifetime.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;

// Counts its destructions; scripts find it by name through Delete(name).
class CountedWidget : public ui::UIWidget {
 public:
  CountedWidget(ui::UIWidget* parent, const std::string& name) : UIWidget(parent, name) { Named()[name] = this; }
  ~CountedWidget() override {
    ++Destroyed();
    Named().erase(GetName());
  }
  static int& Destroyed() {
    static int count = 0;
    return count;
  }
  static std::map<std::string, CountedWidget*>& Named() {
    static std::map<std::string, CountedWidget*> named;
    return named;
  }
};

class WidgetLifetimeTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    CountedWidget::Destroyed() = 0;
    LuaPlus::LuaObject globals = console_->GetState()->GetGlobals();
    globals.Register("Delete", &LuaDelete, 0);
    globals.Register("Destroyed", &LuaDestroyed, 0);
  }
  void TearDown() override {
    UITest::TearDown();
    CountedWidget::Named().clear();
  }

  CountedWidget* Counted(ui::UIWidget* parent, const std::string& name, math::Vec2 position, math::Vec2 size) {
    auto* widget = new CountedWidget(parent, name);
    widget->Init(name, position, size);
    if (parent)
      parent->Add(name, widget);
    else
      GetUIMan()->InsertPanel(widget);
    return widget;
  }
  // A panel over the screen holding buttons a, b (above a) and c, each with
  // a child label.
  ui::UIWidget* Scene() {
    ui::UIWidget* panel = Counted(nullptr, "panel", {0, 0}, {1, 1});
    for (const char* name : {"a", "b", "c"}) {
      ui::UIWidget* button = Counted(panel, name, {0.1f, 0.1f}, {0.2f, 0.2f});
      Counted(button, std::string(name) + "_label", {0, 0}, {0.1f, 0.1f});
    }
    panel->Find("c")->SetPosition({0.6f, 0.6f});
    return panel;
  }

 private:
  // Delete(name): a panel is dropped from the manager, a child from its parent.
  static int LuaDelete(lua_State* L) {
    auto found = CountedWidget::Named().find(luaL_checkstring(L, 1));
    if (found != CountedWidget::Named().end()) {
      ui::UIWidget* widget = found->second;
      if (widget->GetParent())
        widget->GetParent()->DeleteChild(widget, true);
      else
        GetUIMan()->DropPanel(widget, true);
    }
    return 0;
  }
  static int LuaDestroyed(lua_State* L) {
    lua_pushinteger(L, CountedWidget::Destroyed());
    return 1;
  }
};

TEST_F(WidgetLifetimeTest, AHandlerDeletingItsOwnWidgetFreesItOnceAfterReturning) {
  ui::UIWidget* panel = Scene();
  CountedWidget::Named().at("c")->SetEvent(ui::UIWidget::kLmbRelease,
                                           "Delete('c'); table.insert(Events, 'gone ' .. Destroyed()); Delete('c')");
  EXPECT_TRUE(panel->OnMouseUp({0.65f, 0.65f}, 0));
  EXPECT_EQ(Events(), Strings{"gone 0"});  // still alive while the script ran
  EXPECT_EQ(CountedWidget::Destroyed(), 2);  // the button and its label, once each
  EXPECT_EQ(panel->Find("c"), nullptr);
  EXPECT_EQ(GetUIMan()->GetFocus(), nullptr);  // the release had made it the focus
}

TEST_F(WidgetLifetimeTest, AHandlerDeletingItsPanelEndsTheWalk) {
  ui::UIWidget* panel = Scene();
  // The mouse enters b and a (b lies above); each would run its script.
  CountedWidget::Named().at("b")->SetEvent(ui::UIWidget::kMouseOver,
                                           "Delete('panel'); table.insert(Events, 'b ' .. Destroyed())");
  CountedWidget::Named().at("a")->SetEvent(ui::UIWidget::kMouseOver, "table.insert(Events, 'a')");
  panel->OnMouseMove({0.9f, 0.9f}, {0.15f, 0.15f});
  EXPECT_FALSE(panel->ProcessMouseOver());
  EXPECT_EQ(Events(), Strings{"b 0"});  // the deleted panel's walk went no further
  EXPECT_EQ(CountedWidget::Destroyed(), 7);
  EXPECT_EQ(GetUIMan()->GetPanel("panel"), nullptr);
}

TEST_F(WidgetLifetimeTest, AHandlerDeletingASiblingLeavesTheWalkSound) {
  ui::UIWidget* panel = Scene();
  ui::UIWidget* a = panel->Find("a");
  GetUIMan()->SetDragTarget(a->Find("a_label"));
  GetUIMan()->SetEditWidget(nullptr);
  a->GetTextBlock().editable = 1;
  GetUIMan()->SetEditWidget(a);
  // b sits above a; its click deletes a, which the walk would reach next.
  CountedWidget::Named().at("b")->SetEvent(ui::UIWidget::kLmbClick, "Delete('a'); table.insert(Events, 'b')");
  a->SetEvent(ui::UIWidget::kLmbClick, "table.insert(Events, 'a')");
  panel->SetEvent(ui::UIWidget::kRmbClick, "Delete('b'); Delete('c'); table.insert(Events, 'panel')");
  EXPECT_TRUE(panel->OnMouseDown({0.15f, 0.15f}, 0));
  EXPECT_EQ(CountedWidget::Destroyed(), 2);
  EXPECT_EQ(GetUIMan()->GetEditTextBox(), nullptr);
  EXPECT_EQ(GetUIMan()->GetFocus(), nullptr);
  EXPECT_EQ(GetUIMan()->GetDragTarget(), nullptr);
  EXPECT_TRUE(panel->OnMouseDown({0.5f, 0.5f}, 1));
  EXPECT_EQ(Events(), (Strings{"b", "panel"}));
  EXPECT_EQ(CountedWidget::Destroyed(), 6);
  EXPECT_EQ(panel->Count(), 0u);
  // Updates and draws walk the emptied list as usual.
  EXPECT_TRUE(panel->Update(0.1f));
  EXPECT_TRUE(panel->Render(false));
}

TEST_F(WidgetLifetimeTest, OutsideWidgetCodeADeletedWidgetGoesAtOnce) {
  ui::UIWidget* panel = Scene();
  console_->Do("Delete('a')");
  EXPECT_EQ(CountedWidget::Destroyed(), 2);
  {
    ui::WidgetCallScope scope;
    EXPECT_TRUE(panel->DeleteChild(panel->Find("b"), true));
    ui::WidgetCallScope inner;
    GetUIMan()->DropPanel(panel, true);
    EXPECT_EQ(CountedWidget::Destroyed(), 2);
  }
  EXPECT_EQ(CountedWidget::Destroyed(), 7);
}

}  // namespace
