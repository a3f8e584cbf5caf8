// Lua bindings of the configuration file.
#include <luabind/luabind.hpp>

#include "core/script/config_file.h"
#include "core/script/lua_adapter.h"

namespace config {

void ConfigFile::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<ConfigFile>("ConfigFile")
          .def("GetFloat", &ConfigFile::GetFloat)
          .def("SetFloat", &ConfigFile::SetFloat)
          .def("GetInt", script::IntsFromLua<&ConfigFile::GetInt>)
          .def("SetInt", script::IntsFromLua<&ConfigFile::SetInt>)
          .def("GetString", &ConfigFile::GetString)
          .def("SetString", &ConfigFile::SetString)
          .def("GetVector", &ConfigFile::GetVector)
          .def("SetVector", &ConfigFile::SetVector)
          .def("Load", &ConfigFile::Load),
      luabind::def("GetConfig", &GetConfig)];
}

}  // namespace config
