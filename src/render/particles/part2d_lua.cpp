// Lua bindings of the 2D particle systems ("Part2D"); scripts reach a system
// through its widget.
#include <luabind/luabind.hpp>

#include "render/particles/part2d.h"

namespace part2d {

void Part2D::RegisterLua(LuaPlus::LuaState* state) {
  PartGroup::RegisterLua(state);
  luabind::module(state->GetCState())[
      luabind::class_<Part2D>("Part2D")
          .def("Load", &Part2D::Load)
          .def("Save", &Part2D::Save)
          .def("GetGroup", &Part2D::GetGroup)
          .def("GroupC", &Part2D::GroupC)
          .def("CreateGroup", &Part2D::CreateGroup)
          .def("TriggerParticleSet", &Part2D::TriggerParticleSet)];
}

}  // namespace part2d
