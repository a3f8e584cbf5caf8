// Lua bindings of the playing state: the class "GameState", which the scripts
// get from "GetGame", and the globals that reach the game's states by their
// game-flow names. The states belong to the game-flow manager, never to Lua.
#include <luabind/luabind.hpp>

#include "core/script/lua_adapter.h"
#include "game/qor_editor_well.h"
#include "game/qor_game_state.h"
#include "game/qor_mini_game_state.h"
#include "platform/lua/luaplus.h"
#include "ui/gameflow/game_flow_manager.h"

namespace {

// Scripts give no answer to the loads: success and failure are in the log.
template <bool (QORGameState::*Load)(const std::string&)>
void LuaLoad(QORGameState& state, const std::string& path) {
  (state.*Load)(path);
}
void LuaReplayLevel(QORGameState& state) { state.ReplayLevel(); }

// The time limit comes from the level's data; the scripts' value is not used.
void LuaSetLevelTime(QORGameState&, double) {}

// What the level editor's board takes from its panel; nothing on another board.
template <void (QOREditorWell::*Set)(const std::string&)>
void LuaEditorName(QORGameState& state, const std::string& name) {
  if (QOREditorWell* editor = state.GetEditor()) (editor->*Set)(name);
}
void LuaSetupGrid(QORGameState& state, bool snap, double) {
  if (QOREditorWell* editor = state.GetEditor()) editor->SetSnap(snap);
}

QORGameState* LuaGetGame() {
  return dynamic_cast<QORGameState*>(gameflow::GetGameFlowManager().FindState("game"));
}

QORMiniGameState* MiniGame() {
  return dynamic_cast<QORMiniGameState*>(gameflow::GetGameFlowManager().FindState("minigame"));
}

void LuaSetMiniGameImage(const std::string& image) {
  if (QORMiniGameState* puzzle = MiniGame()) puzzle->SetPicture(image);
}

void LuaToggleMinigamePause() {
  if (QORMiniGameState* puzzle = MiniGame()) puzzle->TogglePause();
}

}  // namespace

void QORGameState::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<QORGameState>("GameState")
          .def("LoadLevel", &LuaLoad<&QORGameState::LoadLevel>)
          .def("SaveWell", &LuaLoad<&QORGameState::SaveWell>)
          .def("LoadWell", &LuaLoad<&QORGameState::LoadWell>)
          .def("LoadRace", &LuaLoad<&QORGameState::LoadRace>)
          .def("SetLevelID", script::IntsFromLua<&QORGameState::SetLevelID>)
          .def("SetLevelTime", &LuaSetLevelTime)
          .def("ShutdownLevel", &QORGameState::ShutdownLevel)
          .def("SetGameState", &QORGameState::SetGameState)
          .def("IsPaused", &QORGameState::IsPaused)
          .def("SetAutoTrigger", &QORGameState::SetAutoTrigger)
          .def("GetAutoTrigger", &QORGameState::GetAutoTrigger)
          .def("SetBackgroundEffect", &QORGameState::SetBackgroundEffect)
          .def("SetBackground", &QORGameState::SetBackground)
          .def("LoadEditor", &LuaLoad<&QORGameState::LoadEditor>)
          .def("StartEditor", &QORGameState::StartEditor)
          .def("SetEditorColor", &QORGameState::SetEditorColor)
          .def("SetEditorSize", script::IntsFromLua<&QORGameState::SetEditorSize>)
          .def("ReplayLevel", &LuaReplayLevel)
          .def("SetEditorCurrentTile", &LuaEditorName<&QOREditorWell::SetCurrentTile>)
          .def("SetEditorCurrentDecoration", &LuaEditorName<&QOREditorWell::SetCurrentDecoration>)
          .def("SetEditorCurrentBlock", &LuaEditorName<&QOREditorWell::SetCurrentBlock>)
          .def("SetEditorCurrentColor", &LuaEditorName<&QOREditorWell::SetCurrentColor>)
          .def("SetEditorCurrentMode", &LuaEditorName<&QOREditorWell::SetMode>)
          .def("SetEditorCurrentWalker", &LuaEditorName<&QOREditorWell::SetCurrentWalker>)
          .def("SetupGrid", &LuaSetupGrid)
          .def("TriggerSpecial", script::IntsFromLua<&QORGameState::TriggerSpecial>)
          .def("SetRaceBet", script::IntsFromLua<&QORGameState::SetRaceBet>)
          .def("SetScrollOn", &QORGameState::SetScrollOn)
          .def("GetMapState", &QORGameState::GetMapState)
          .def("SetMapState", &QORGameState::SetMapState)
          .def("StartRace", &QORGameState::StartRace),
      luabind::def("GetGame", &LuaGetGame),
      luabind::def("SetMiniGameImage", &LuaSetMiniGameImage),
      luabind::def("ToggleMinigamePause", &LuaToggleMinigamePause)];
}
