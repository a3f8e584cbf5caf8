// Lua bindings of the sound system.
#include <luabind/luabind.hpp>

#include "audio/audio.h"

namespace audio {

namespace {
// Lua numbers reach int parameters truncated, as everywhere in the engine.
void StopSoundFromLua(Audio& audio, double channel) {
  audio.StopSound(static_cast<DWORD>(LuaPlus::NumberToInt(channel)));
}
void SetSFXVolumeFromLua(Audio& audio, double volume) {
  audio.SetSFXVolume(LuaPlus::NumberToInt(volume));
}
void SetMusicVolumeFromLua(Audio& audio, double volume) {
  audio.SetMusicVolume(LuaPlus::NumberToInt(volume));
}
void PlayCDFromLua(Audio& audio, double track) { audio.PlayCD(LuaPlus::NumberToInt(track)); }
}  // namespace

void Audio::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<Audio>("Audio")
          .def("PlayMusic", &Audio::PlayMusic)
          .def("StopSound", &StopSoundFromLua)
          .def("StopAll", &Audio::StopAll)
          .def("PlaySound", &Audio::PlaySound)
          .def("SetSFXVolume", &SetSFXVolumeFromLua)
          .def("SetMusicVolume", &SetMusicVolumeFromLua)
          .def("GetSFXVolume", &Audio::GetSFXVolume)
          .def("GetMusicVolume", &Audio::GetMusicVolume)
          .def("PlayCD", &PlayCDFromLua)
          .def("PlaySegment", &Audio::PlaySegment),
      luabind::def("GetAudio", &GetAudio)];
}

}  // namespace audio
