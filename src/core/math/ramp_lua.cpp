// Lua bindings of the ramp.
#include <luabind/luabind.hpp>

#include "core/math/ramp.h"
#include "platform/lua/luaplus.h"

namespace math {

void Ramp::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<Ramp>("FloatRamp")
          .def("AddValue", &Ramp::AddValue)
          .def("GetValue", &Ramp::GetValue)
          .def("Recalc", &Ramp::Recalc)];
}

}  // namespace math
