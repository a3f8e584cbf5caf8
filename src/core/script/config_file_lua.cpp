// Lua bindings of the configuration file.
#include <luabind/luabind.hpp>

#include "core/script/config_file.h"

namespace config {

namespace {
// Lua numbers reach int parameters truncated, as everywhere in the engine.
int GetIntFromLua(ConfigFile& config, const std::string& key, double def) {
  return config.GetInt(key, LuaPlus::NumberToInt(def));
}
bool SetIntFromLua(ConfigFile& config, const std::string& key, double value) {
  return config.SetInt(key, LuaPlus::NumberToInt(value));
}
}  // namespace

void ConfigFile::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<ConfigFile>("ConfigFile")
          .def("GetFloat", &ConfigFile::GetFloat)
          .def("SetFloat", &ConfigFile::SetFloat)
          .def("GetInt", &GetIntFromLua)
          .def("SetInt", &SetIntFromLua)
          .def("GetString", &ConfigFile::GetString)
          .def("SetString", &ConfigFile::SetString)
          .def("GetVector", &ConfigFile::GetVector)
          .def("SetVector", &ConfigFile::SetVector)
          .def("Load", &ConfigFile::Load),
      luabind::def("GetConfig", &GetConfig)];
}

}  // namespace config
