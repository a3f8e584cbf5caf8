// A player's tour of the whole game, headless, through its scripts, panels
// and input devices: a new profile, the map, the first room with its
// tutorial won with the key Q, its summary and the second room opened; the
// rival's room lost; the race, the picture puzzle, the credits and the
// level editor. No step may leave a load failure or a script error in the
// log.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include <string>

#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"
#include "board/qor_explorer.h"
#include "board/help/qor_game_help.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "game/game_test_support.h"
#include "game/qor_game_state.h"
#include "log_capture.h"
#include "platform/input/dinput_testing.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

// What no step of the tour may write into the log.
const char* const kFailures[] = {"Unable to load",  "Missing Sprite",  "Error loading Particle system object",
                                 "Unable to dataset!", "attempt to call", "Failed to load level!"};

class TourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(game_test::StartedGame(), nullptr);
    game_ = dynamic_cast<QORGameState*>(flow().FindState("game"));
    ASSERT_NE(game_, nullptr);
  }
  static gameflow::GameFlowManager& flow() { return gameflow::GetGameFlowManager(); }

  // The state change the scripts asked for, made as the next frame makes it.
  void Settle() {
    if (flow().GetPendingState()) flow().SetState(flow().GetPendingState());
  }
  // Frames of 0.05 s: the frame clock advances as the main loop advances it,
  // and the flow runs the scripts that fall due.
  void Tick(float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.05f) {
      GetFrameTimer().frameDelta = 0.05f;
      GetFrameTimer().totalTime += 0.05f;
      flow().Tick();
    }
  }
  std::string CurrentState() { return flow().GetCurrentState() ? flow().GetCurrentState()->GetName() : ""; }
  void Lua(const std::string& text) { GetConsole()->Do(text); }
  // The console's global as text (tostring).
  std::string Global(const std::string& expression) {
    Lua("TourValue = tostring(" + expression + ")");
    lua_State* lua = GetConsole()->GetState()->GetCState();
    lua_getglobal(lua, "TourValue");
    const std::string value = lua_tostring(lua, -1) ? lua_tostring(lua, -1) : "";
    lua_pop(lua, 1);
    return value;
  }
  ui::UIWidget* Widget(const char* panel, const char* name) {
    ui::UIWidget* p = GetUIMan()->GetPanel(panel);
    return p ? p->GetWidgetByName(name) : nullptr;
  }
  static void Click(ui::UIWidget* widget) {
    ASSERT_NE(widget, nullptr);
    const math::Vec2 point = widget->GetPosition() + widget->GetSize() * 0.5f;
    input::MouseButton left;
    left.index = 0;
    left.down = 1;
    left.changed = 1;
    GetUIMan()->OnMouseDown(&left, &point);
    left.down = 0;
    GetUIMan()->OnMouseUp(&left, &point);
  }
  static void Stroke(SDL_Scancode key) {
    input::Keyboard* keyboard = input::GetInput().GetKeyboard();
    ASSERT_NE(keyboard, nullptr);
    const FrameTimer& timer = GetFrameTimer();
    for (bool down : {true, false}) {
      platform::testing::FeedKey(key, down);
      keyboard->Update(false, timer.frameDelta, timer.totalTime);
    }
  }
  // A left press on a cell of the room, through the playing state.
  void ClickCell(int32_t x, int32_t y) {
    ClickAt(game_->GetBoard()->CellToScreen(x, y) + math::Vec2(0.02f, 0.03f));
  }
  void ClickAt(math::Vec2 point) {
    input::MouseButton left;
    left.index = 0;
    left.down = 1;
    left.changed = 1;
    game_->OnMouseDown(&left, &point);
  }
  void ExpectCleanLog(const char* step) {
    for (const char* failure : kFailures) EXPECT_FALSE(LogCapture::Has(failure)) << step << ": " << LogCapture::Text();
    EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << step << ": " << LogCapture::Text();
  }
  // Ticks the room until its end screen is up and shown.
  void PlayToTheEnd(float seconds) {
    for (float t = 0.0f; t < seconds && !game_->GetBoard()->GetGameEnd(); t += 0.05f) Tick(0.05f);
    ASSERT_NE(game_->GetBoard()->GetGameEnd(), nullptr);
    Tick(8.0f);
  }

  QORGameState* game_ = nullptr;
};

TEST_F(TourTest, ANewPlayerWinsTheFirstRoomLosesToTheRivalRacesPlaysThePuzzleSeesTheCreditsAndOpensTheEditor) {
  LogCapture log;
  // The game's own scripts, as they start; a first start: no profile yet.
  Lua("dofile('scripts/console.lua')");
  Lua("while GetRMS():GetProfileC() > 0 do GetRMS():DeleteProfile(0) end");
  Lua("JumpState('title')");
  Settle();
  Click(Widget("title", "play"));
  ASSERT_NE(GetUIMan()->GetPanel("profile"), nullptr);
  ASSERT_TRUE(GetUIMan()->GetPanel("profile")->IsVisible());
  Widget("profile", "name")->SetText("Tamsin");
  Click(Widget("profile", "ok"));
  EXPECT_EQ(Global("GetRMS():GetName()"), "Tamsin");
  EXPECT_EQ(Global("IsHintEnabled()"), "true");
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  Lua("DisableHint()");
  Tick(0.1f);
  // Only the first room is open.
  ASSERT_NE(Widget("map", "room_1"), nullptr);
  EXPECT_TRUE(Widget("map", "room_1")->IsVisible());
  EXPECT_FALSE(Widget("map", "room_2")->IsVisible());
  EXPECT_FALSE(Widget("map", "room_6")->IsVisible());
  ExpectCleanLog("map");

  // Room 1 and its tutorial, won with the key Q.
  Click(Widget("map", "temple_1"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  ASSERT_NE(game_->GetBoard(), nullptr);
  EXPECT_EQ(game_->GetBoard()->GetLevelId(), "temple_1_level_1");
  // The tutorial points at two tokens to swap, then at the run they make.
  Tick(2.0f);
  EXPECT_NE(game_->GetBoard()->GetHandHold(), nullptr);
  ClickCell(31, 31);
  Tick(0.1f);
  ClickCell(32, 31);
  Tick(2.5f);
  ClickCell(20, 20);
  Tick(0.1f);
  EXPECT_EQ(game_->GetBoard()->GetHandHold(), nullptr);
  Stroke(SDL_SCANCODE_Q);
  // A first-time hint that opens holds the explorer until a press closes it.
  // Queued hints open one after another; each stays at least a second.
  for (int i = 0; i < 20 && game_->GetBoard()->GetHelp()->IsHintOpen(); ++i) {
    ClickAt(math::Vec2(0.3f, 0.3f));
    Tick(0.5f);
  }
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(10.0f));
  ui::UIWidget* summary = GetUIMan()->GetPanel("score_summary");
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->IsVisible());
  EXPECT_GT(std::stoi(Global("GetRMS():GetRank(0)")), 0);
  EXPECT_EQ(Global("GetRMS():IsOpen(1)"), "1");
  // CONTINUE waits for the summary's total, which is the score kept.
  EXPECT_FALSE(Widget("score_summary", "CONTINUE")->IsVisible());
  EXPECT_EQ(Global("GetRMS():GetScore(0)"), "0");
  // The total stands after ten seconds; other scripts due may hold the
  // flow's queue a few frames longer.
  for (int frame = 0; frame < 100 && !Widget("score_summary", "CONTINUE")->IsVisible(); ++frame) Tick(0.05f);
  EXPECT_TRUE(Widget("score_summary", "CONTINUE")->IsVisible());
  const int32_t total = game_->GetBoard()->GetHud()->GetScore();
  EXPECT_GT(total, 0);
  EXPECT_EQ(Global("GetRMS():GetScore(0)"), std::to_string(total));
  Click(Widget("score_summary", "CONTINUE"));
  // The room stays a moment after the press, so that its release does not
  // reach the map's buttons.
  Settle();
  EXPECT_EQ(CurrentState(), "game");
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  EXPECT_TRUE(Widget("map", "room_2")->IsVisible());
  ExpectCleanLog("room 1");

  // Room 5, where the rival reaches the exit while the explorer stands.
  Lua("GetRMS():SetOpen(4, 1)");
  Lua("ShowMapRooms()");
  Click(Widget("map", "room_5"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  ASSERT_TRUE(game_->GetBoard()->IsShadyLevel());
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(240.0f));
  ui::UIWidget* defeat = GetUIMan()->GetPanel("qor_defeat");
  ASSERT_NE(defeat, nullptr);
  EXPECT_TRUE(defeat->IsVisible());
  Click(Widget("qor_defeat", "CONTINUE"));
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  // The map offers the room again; the player stays on the map.
  ASSERT_NE(GetUIMan()->GetPanel("yesno"), nullptr);
  EXPECT_TRUE(GetUIMan()->GetPanel("yesno")->IsVisible());
  Click(Widget("yesno", "no"));
  EXPECT_FALSE(GetUIMan()->GetPanel("yesno")->IsVisible());
  ExpectCleanLog("room 5");

  // The race, its bet taken from the gold.
  Lua("SetGold(100)");
  Click(Widget("map", "Race"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  Tick(0.5f);
  Lua("SetRaceBet(50)");
  Lua("StartRace()");
  EXPECT_EQ(Global("GetGold()"), "50");
  Tick(10.0f);
  Lua("EndRace()");
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  ExpectCleanLog("race");

  // The picture puzzle and the credits.
  Click(Widget("map", "Puzzle"));
  Settle();
  ASSERT_EQ(CurrentState(), "minigame");
  Tick(3.0f);
  Lua("GoState('map', 0.3)");
  Settle();
  Click(Widget("map", "Credits"));
  Settle();
  ASSERT_EQ(CurrentState(), "credits");
  Tick(3.0f);
  ExpectCleanLog("puzzle and credits");

  // The level editor, from the title.
  Lua("JumpState('title')");
  Settle();
  Click(Widget("title", "editor"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  ASSERT_NE(game_->GetBoard(), nullptr);
  EXPECT_TRUE(game_->GetBoard()->IsEditorWell());
  Tick(1.0f);
  ExpectCleanLog("editor");
  Lua("EditorBack()");
  Settle();
  EXPECT_EQ(CurrentState(), "title");
}

}  // namespace
