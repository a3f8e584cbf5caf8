// The game's own start-up, and the way from the title into the first room
// and out again, driven through its scripts, panels and input devices.
#include "game/qor_app.h"

#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include <string>

#include "board/qor_tile.h"
#include "board/qor_well.h"
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
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

using input_testing::Click;
using input_testing::Stroke;

// The console's global as text (tostring).
bool LuaGlobalIs(const char* name, const std::string& text) {
  lua_State* lua = GetConsole()->GetState()->GetCState();
  lua_getglobal(lua, "tostring");
  lua_getglobal(lua, name);
  lua_call(lua, 1, 1);
  const std::string value = lua_tostring(lua, -1);
  lua_pop(lua, 1);
  return value == text;
}

TEST(GameApplicationTest, ThePlayingStateIsRegisteredOnceAndNoStateIsEnteredByTheProgram) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  EXPECT_NE(dynamic_cast<QORGameState*>(flow.FindState("game")), nullptr);
  EXPECT_EQ(flow.GetCurrentState() == flow.FindState("game"), false);
  // "GetGame" answers it in the console's state.
  GetConsole()->Do("IsGame = GetGame() ~= nil");
  lua_State* lua = GetConsole()->GetState()->GetCState();
  lua_getglobal(lua, "IsGame");
  EXPECT_TRUE(lua_toboolean(lua, -1));
  lua_pop(lua, 1);
}

TEST(GameApplicationTest, PlayLeadsThroughTheMapIntoRoomOneWhereEscapePausesAndQuitLeadsBackToTheTitle) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  auto* game = dynamic_cast<QORGameState*>(flow.FindState("game"));
  ASSERT_NE(game, nullptr);
  flow.SetState(flow.FindState("title"));
  ui::UIWidget* title = GetUIMan()->GetPanel("title");
  ASSERT_NE(title, nullptr);
  ASSERT_TRUE(title->IsVisible());

  LogCapture log;
  Click(title->GetWidgetByName("play"));
  // The first start asks for the name the progress is kept under; hints go on.
  ui::UIWidget* profile = GetUIMan()->GetPanel("profile");
  ASSERT_NE(profile, nullptr);
  EXPECT_TRUE(profile->IsVisible());
  EXPECT_EQ(flow.GetPendingState(), nullptr);
  ASSERT_NE(profile->GetWidgetByName("name"), nullptr);
  profile->GetWidgetByName("name")->SetText("Ana");
  Click(profile->GetWidgetByName("ok"));
  EXPECT_FALSE(profile->IsVisible());
  GetConsole()->Do("ProfileName = GetRMS():GetName() Hints = IsHintEnabled()");
  EXPECT_TRUE(LuaGlobalIs("ProfileName", "Ana"));
  EXPECT_TRUE(LuaGlobalIs("Hints", "true"));
  ASSERT_NE(flow.GetPendingState(), nullptr);
  EXPECT_EQ(flow.GetPendingState()->GetName(), "map");
  flow.SetState(flow.GetPendingState());
  ui::UIWidget* map = GetUIMan()->GetPanel("map");
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(map->IsVisible());
  // The first visit may point at the first temple: the player closes the hint.
  GetConsole()->Do("DisableHint()");
  flow.GetCurrentState()->Tick(0.01f);
  Click(map->GetWidgetByName("temple_1"));
  QORWell* board = game->GetBoard();
  ASSERT_NE(board, nullptr);
  EXPECT_TRUE(LogCapture::Has("> Level loaded successfully!  [MSG_COMMENT]"));
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();
  EXPECT_FALSE(LogCapture::Has("attempt to call")) << LogCapture::Text();
  EXPECT_EQ(board->GetLevelId(), "temple_1_level_1");
  EXPECT_EQ(board->GetLevelIndex(), 0);
  EXPECT_EQ(flow.GetPendingState(), game);

  // Room 1: its floor, with bare floor under the tombs, and the level's time.
  EXPECT_EQ(board->GetWidth(), 42u);
  EXPECT_EQ(board->GetHeight(), 38u);
  // Bare floor does not count among the tiles to break.
  EXPECT_EQ(board->GetTileTotal(), 256);
  const struct {
    int x, y, type;
  } tiles[] = {{25, 30, kTileBare}, {37, 31, kTileBare}, {20, 26, kTileMetal},
               {30, 31, kTileSand}, {19, 31, kTileVoid}, {41, 37, kTileMetal}};
  for (const auto& t : tiles) {
    ASSERT_NE(board->GetTile(t.x, t.y), nullptr);
    EXPECT_EQ(board->GetTile(t.x, t.y)->type, t.type) << t.x << ", " << t.y;
  }
  EXPECT_FLOAT_EQ(board->GetTimeLimit(), 300.0f);

  flow.SetState(game);  // what the pending change does once it is due
  EXPECT_TRUE(LogCapture::Has("game: entered  [MSG_SCRIPT]")) << LogCapture::Text();
  EXPECT_FALSE(title->IsVisible());
  Stroke(SDL_SCANCODE_ESCAPE);
  EXPECT_TRUE(game->IsPaused());
  ui::UIWidget* pause = GetUIMan()->GetPanel("pause");
  ASSERT_NE(pause, nullptr);
  EXPECT_TRUE(pause->IsVisible());
  Click(pause->GetWidgetByName("resume"));
  EXPECT_FALSE(game->IsPaused());
  EXPECT_FALSE(pause->IsVisible());

  Stroke(SDL_SCANCODE_ESCAPE);
  Click(pause->GetWidgetByName("quit"));
  EXPECT_EQ(game->GetBoard(), nullptr);
  ASSERT_NE(flow.GetPendingState(), nullptr);
  EXPECT_EQ(flow.GetPendingState()->GetName(), "title");
  flow.SetState(flow.GetPendingState());
  EXPECT_FALSE(game->IsActive());
  EXPECT_FALSE(pause->IsVisible());
  // Left, the state hears no Escape.
  const bool paused = game->IsPaused();
  Stroke(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(game->IsPaused(), paused);
  EXPECT_FALSE(pause->IsVisible());
}

}  // namespace
