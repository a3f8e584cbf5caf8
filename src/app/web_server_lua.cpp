// Lua bindings of the web client.
#include <luabind/luabind.hpp>

#include "app/web_server.h"
#include "core/script/lua_adapter.h"

namespace web {

void Server::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<Server>("Server")
          .def("AddString", &Server::AddString)
          .def("AddInt", script::IntsFromLua<&Server::AddInt>)
          .def("AddFloat", &Server::AddFloat)
          .def("ClearVariables", &Server::ClearVariables)
          .def("SetURL", &Server::SetURL)
          .def("GetLastMsg", &Server::GetLastMsg)
          .def("TerminateThread", &Server::TerminateThread),
      luabind::def("GetServer", &GetServer)];
}

}  // namespace web
