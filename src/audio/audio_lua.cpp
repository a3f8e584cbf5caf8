// Lua bindings of the sound system.
#include <luabind/luabind.hpp>

#include "audio/audio.h"
#include "core/script/lua_adapter.h"

namespace audio {

void Audio::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<Audio>("Audio")
          .def("PlayMusic", &Audio::PlayMusic)
          .def("StopSound", script::IntsFromLua<&Audio::StopSound>)
          .def("StopAll", &Audio::StopAll)
          .def("PlaySound", &Audio::PlaySound)
          .def("SetSFXVolume", script::IntsFromLua<&Audio::SetSFXVolume>)
          .def("SetMusicVolume", script::IntsFromLua<&Audio::SetMusicVolume>)
          .def("GetSFXVolume", &Audio::GetSFXVolume)
          .def("GetMusicVolume", &Audio::GetMusicVolume)
          .def("PlayCD", script::IntsFromLua<&Audio::PlayCD>)
          .def("PlaySegment", &Audio::PlaySegment),
      luabind::def("GetAudio", &GetAudio)];
}

}  // namespace audio
