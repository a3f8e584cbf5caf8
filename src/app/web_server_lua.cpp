// Lua bindings of the web client.
#include <luabind/luabind.hpp>

#include "app/web_server.h"

namespace web {

namespace {
// Lua numbers reach int parameters truncated, as everywhere in the engine.
void AddIntFromLua(Server& server, const std::string& name, double value) {
  server.AddInt(name, LuaPlus::NumberToInt(value));
}
}  // namespace

void Server::RegisterLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<Server>("Server")
          .def("AddString", &Server::AddString)
          .def("AddInt", &AddIntFromLua)
          .def("AddFloat", &Server::AddFloat)
          .def("ClearVariables", &Server::ClearVariables)
          .def("SetURL", &Server::SetURL)
          .def("GetLastMsg", &Server::GetLastMsg)
          .def("TerminateThread", &Server::TerminateThread),
      luabind::def("GetServer", &GetServer)];
}

}  // namespace web
