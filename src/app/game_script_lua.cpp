// Lua bindings of the script hub, and the order in which every component
// registers its own classes into the main state.
#include <luabind/luabind.hpp>

#include "app/game_application.h"
#include "app/game_rms.h"
#include "app/game_script.h"
#include "app/web_server.h"
#include "audio/audio.h"
#include "core/math/ramp.h"
#include "core/math/vector.h"
#include "core/script/file_list.h"
#include "core/script/lua_adapter.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"

namespace {
GameScript* GetScriptFromLua() {
  GameApp* app = GetApp();
  return app ? app->GetScript() : nullptr;
}
}  // namespace

void GameScript::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::def;
  lua_State* L = state->GetCState();
  luabind::module(L)[
      luabind::class_<GameScript>("Script")
          .def("GetOpenFile", &GameScript::GetOpenFile)
          .def("GetSaveFile", &GameScript::GetSaveFile),
      def("GetScript", &GetScriptFromLua)];
  math::RegisterVectorLua(state);
  math::Ramp::RegisterLua(state);
  luabind::module(L)[
      def("LoadLanguage", &GameScript::LoadLanguage),
      def("HardQuitGame", &GameScript::HardQuitGame),
      def("FullScreenMode", &GameScript::FullScreenMode),
      def("WindowedMode", &GameScript::WindowedMode),
      def("IsFullscreenMode", &GameScript::IsFullscreenMode),
      def("CreateFont", script::IntsFromLua<&GameScript::CreateFont>),
      def("ResizeFont", script::IntsFromLua<&GameScript::ResizeFont>),
      def("SetFontBorder", &GameScript::SetFontBorder),
      def("TakeScreenshot", &GameScript::TakeScreenshot),
      def("ToggleFilter", &GameScript::ToggleFilter),
      def("ReloadImages", &GameScript::ReloadImages),
      def("ForceSave", &GameScript::ForceSave),
      def("StartPlayTestSound", &GameScript::StartPlayTestSound),
      def("ForceRedraw", &GameScript::ForceRedraw),
      def("SetLocale", &GameScript::SetLocale)];

  // The other components, in this order; the console and the configuration
  // registered theirs when the console started.
  GameRMS::RegisterLua(state);
  script::FileList::RegisterLua(state);
  ui::UIManager::RegisterLua(state);
  audio::Audio::RegisterLua(state);
  gameflow::GameFlowManager::RegisterLua(state);
  web::Server::RegisterLua(state);
}
