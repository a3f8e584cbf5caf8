// Lua bindings of the console.
#include <luabind/luabind.hpp>

#include "core/script/console.h"

namespace console {

void RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<Console>("Console").def("Do", &Console::Do),
      luabind::def("GetConsole", &GetConsole)];
}

}  // namespace console
