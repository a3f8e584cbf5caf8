// Lua bindings of the record store.
#include <luabind/luabind.hpp>

#include "app/game_rms.h"
#include "core/script/lua_adapter.h"

void GameRMS::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<GameRMS>("GameRMS")
          .def("Load", &GameRMS::Load)
          .def("Save", &GameRMS::Save)
          .def("Reset", &GameRMS::Reset)
          .def("IsUseFullscreenEnabled", &GameRMS::IsUseFullscreenEnabled)
          .def("SetUseFullscreenEnabled", &GameRMS::SetUseFullscreenEnabled)
          .def("GetSoundVolume", &GameRMS::GetSoundVolume)
          .def("GetMusicVolume", &GameRMS::GetMusicVolume)
          .def("SetSoundVolume", &GameRMS::SetSoundVolume)
          .def("SetMusicVolume", &GameRMS::SetMusicVolume)
          .def("IsOpen", script::IntsFromLua<&GameRMS::IsOpen>)
          .def("IsCleared", script::IntsFromLua<&GameRMS::IsCleared>)
          .def("SetOpen", script::IntsFromLua<&GameRMS::SetOpen>)
          .def("GetRank", script::IntsFromLua<&GameRMS::GetRank>)
          .def("GetScore", script::IntsFromLua<&GameRMS::GetScore>)
          .def("SetRank", script::IntsFromLua<&GameRMS::SetRank>)
          .def("SetScore", script::IntsFromLua<&GameRMS::SetScore>)
          .def("GetTrophyValue", script::IntsFromLua<&GameRMS::GetTrophyValue>)
          .def("SetTrophyValue", script::IntsFromLua<&GameRMS::SetTrophyValue>)
          .def("AddProfile", &GameRMS::AddProfile)
          .def("GetProfileC", &GameRMS::GetProfileC)
          .def("GetCurrentProfile", &GameRMS::GetCurrentProfile)
          .def("GetMaxProfileC", &GameRMS::GetMaxProfileC)
          .def("ProfileValid", &GameRMS::ProfileValid)
          .def("SetProfile", script::IntsFromLua<&GameRMS::SetProfile>)
          .def("DeleteProfile", script::IntsFromLua<&GameRMS::DeleteProfile>)
          .def("GetName", &GameRMS::GetName)
          .def("GetNameFromID", script::IntsFromLua<&GameRMS::GetNameFromID>)
          .def("SetLanguage", &GameRMS::SetLanguage)
          .def("GetLanguage", &GameRMS::GetLanguage)
          .def("GetLanguageFromID", script::IntsFromLua<&GameRMS::GetLanguageFromID>)
          .def("GetLocation", &GameRMS::GetLocation)
          .def("GetLocationFromID", script::IntsFromLua<&GameRMS::GetLocationFromID>),
      luabind::def("GetRMS", &GetRMS)];
}
