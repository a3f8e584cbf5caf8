// Lua bindings of the record store.
#include <luabind/luabind.hpp>

#include "app/game_rms.h"

namespace {
// Lua numbers reach int parameters truncated, as everywhere in the engine.
template <auto Method>
auto WithInt(GameRMS& rms, double a) {
  return (rms.*Method)(LuaPlus::NumberToInt(a));
}
template <auto Method>
void WithTwoInts(GameRMS& rms, double a, double b) {
  (rms.*Method)(LuaPlus::NumberToInt(a), LuaPlus::NumberToInt(b));
}
}  // namespace

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
          .def("IsOpen", &WithInt<&GameRMS::IsOpen>)
          .def("IsCleared", &WithInt<&GameRMS::IsCleared>)
          .def("SetOpen", &WithTwoInts<&GameRMS::SetOpen>)
          .def("GetRank", &WithInt<&GameRMS::GetRank>)
          .def("GetScore", &WithInt<&GameRMS::GetScore>)
          .def("SetRank", &WithTwoInts<&GameRMS::SetRank>)
          .def("SetScore", &WithTwoInts<&GameRMS::SetScore>)
          .def("GetTrophyValue", &WithInt<&GameRMS::GetTrophyValue>)
          .def("SetTrophyValue", &WithTwoInts<&GameRMS::SetTrophyValue>)
          .def("AddProfile", &GameRMS::AddProfile)
          .def("GetProfileC", &GameRMS::GetProfileC)
          .def("GetCurrentProfile", &GameRMS::GetCurrentProfile)
          .def("GetMaxProfileC", &GameRMS::GetMaxProfileC)
          .def("ProfileValid", &GameRMS::ProfileValid)
          .def("SetProfile", &WithInt<&GameRMS::SetProfile>)
          .def("DeleteProfile", &WithInt<&GameRMS::DeleteProfile>)
          .def("GetName", &GameRMS::GetName)
          .def("GetNameFromID", &WithInt<&GameRMS::GetNameFromID>)
          .def("SetLanguage", &GameRMS::SetLanguage)
          .def("GetLanguage", &GameRMS::GetLanguage)
          .def("GetLanguageFromID", &WithInt<&GameRMS::GetLanguageFromID>)
          .def("GetLocation", &GameRMS::GetLocation)
          .def("GetLocationFromID", &WithInt<&GameRMS::GetLocationFromID>),
      luabind::def("GetRMS", &GetRMS)];
}
