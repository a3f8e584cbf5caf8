// Lua bindings of the game-flow manager. No function hands scripts the
// manager itself: they use the global functions.
#include <luabind/luabind.hpp>

#include "ui/gameflow/game_flow_manager.h"

namespace gameflow {

namespace {
void AddGameScreenFromLua(const std::string& name, const std::string& file, const std::string& enterScript,
                          const std::string& exitScript) {
  GetGameFlowManager().AddScreen(name, file, enterScript, exitScript);
}
void GoStateFromLua(const std::string& name, float delay) { GetGameFlowManager().GoState(name, delay); }
void JumpStateFromLua(const std::string& name) { GetGameFlowManager().GoState(name, 0.0f); }
std::string GetCurrentStateFromLua() { return GetGameFlowManager().GetCurrentStateName(); }
std::string GetLastStateFromLua() { return GetGameFlowManager().GetLastStateName(); }
void DelayScriptFromLua(const std::string& script, float delay) {
  GetGameFlowManager().DelayScript(script, delay);
}
}  // namespace

void GameFlowManager::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<GameFlowManager>("GameFlowManager").def("IsActive", &GameFlowManager::IsActive),
      luabind::def("AddGameScreen", &AddGameScreenFromLua),
      luabind::def("GoState", &GoStateFromLua),
      luabind::def("JumpState", &JumpStateFromLua),
      luabind::def("GetCurrentState", &GetCurrentStateFromLua),
      luabind::def("GetLastState", &GetLastStateFromLua),
      luabind::def("DelayScript", &DelayScriptFromLua)];
}

}  // namespace gameflow
