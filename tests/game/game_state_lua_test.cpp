// "GetGame" on its own: it answers the state registered as "game" only when
// that is the playing state.
#include <gtest/gtest.h>

#include <luabind/luabind.hpp>

#include "core/script/script_helper.h"
#include "game/qor_game_state.h"
#include "ui/gameflow/game_flow_manager.h"

namespace {

class OtherState : public gameflow::GameState {
 public:
  bool Render() override { return true; }
};

TEST(GameStateLuaTest, GetGameIsNilWithoutAPlayingStateNamedGame) {
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  if (flow.FindState("game")) GTEST_SKIP() << "the whole game runs in this test program";
  LuaPlus::LuaState* lua = script::CreateLuaState();
  QORGameState::RegisterLua(lua);
  lua_State* L = lua->GetCState();
  const auto isNil = [L] {
    luaL_dostring(L, "Found = GetGame()");
    return luabind::type(luabind::globals(L)["Found"]) == LUA_TNIL;
  };
  EXPECT_TRUE(isNil());
  flow.AddTransitionState("game", new OtherState);
  EXPECT_TRUE(isNil());
  flow.Clear();
  flow.AddTransitionState("game", new QORGameState(nullptr));
  EXPECT_FALSE(isNil());
  flow.Clear();
  LuaPlus::LuaState::Destroy(lua);
}

}  // namespace
