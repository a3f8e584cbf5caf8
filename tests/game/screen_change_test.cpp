// A button press belongs to the screen it was made on: its release fires
// nothing once another screen is up, while on one screen any release inside
// a button fires it.
#include <gtest/gtest.h>

#include <string>

#include "core/script/console.h"
#include "game/game_test_support.h"
#include "core/input/mouse.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

class ScreenChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(game_test::StartedGame(), nullptr);
    Lua("KeptFullScreenMode = FullScreenMode FullScreenPresses = 0 "
        "function FullScreenMode() FullScreenPresses = FullScreenPresses + 1 end");
    Show("title");
    ui::UIWidget* title = GetUIMan()->GetPanel("title");
    ASSERT_NE(title, nullptr);
    ui::UIWidget* button = title->GetWidgetByName("full_screen");
    ASSERT_NE(button, nullptr);
    point_ = button->GetPosition() + button->GetSize() * 0.5f;
  }
  void TearDown() override { Lua("FullScreenMode = KeptFullScreenMode"); }

  static gameflow::GameFlowManager& flow() { return gameflow::GetGameFlowManager(); }
  static void Lua(const std::string& text) { GetConsole()->Do(text); }
  // The screen the scripts asked for, entered as the next frame enters it.
  static void Show(const std::string& jump) {
    Lua(jump == "title" ? "JumpState('title')" : jump);
    if (flow().GetPendingState()) flow().SetState(flow().GetPendingState());
  }
  static std::string Screen() { return flow().GetCurrentState() ? flow().GetCurrentState()->GetName() : ""; }
  static int Presses() {
    Lua("ScreenChangeValue = FullScreenPresses");
    lua_State* lua = GetConsole()->GetState()->GetCState();
    lua_getglobal(lua, "ScreenChangeValue");
    const int value = static_cast<int>(lua_tointeger(lua, -1));
    lua_pop(lua, 1);
    return value;
  }
  void Button(bool down) { input_testing::LeftButton(down, point_); }

  math::Vec2 point_;
};

TEST_F(ScreenChangeTest, APressMadeOnTheEditorFiresNothingOnTheTitleItReturnsTo) {
  Show("GetGame():StartEditor() JumpState('game')");
  ASSERT_EQ(Screen(), "game");
  Button(true);
  Show("EditorBack()");
  ASSERT_EQ(Screen(), "title");
  Button(false);
  EXPECT_EQ(Presses(), 0);
  // The next press and release on the title are the button's again.
  Button(true);
  Button(false);
  EXPECT_EQ(Presses(), 1);
}

TEST_F(ScreenChangeTest, OnOneScreenAReleaseInsideTheButtonFiresIt) {
  Button(true);
  Button(false);
  EXPECT_EQ(Presses(), 1);
  // A release with no press before it, as the widget rule has it.
  Button(false);
  EXPECT_EQ(Presses(), 2);
}

}  // namespace
