// Lua bindings of the 2D particle groups ("PartGroup"). Scripts reach groups
// through "Part2D", never construct them.
#include <luabind/luabind.hpp>

#include "render/particles/part_group.h"

namespace part2d {

namespace {

// Getter and setter of a member field, as plain functions luabind can bind.
template <typename T, T PartGroup::*Field>
T Get(const PartGroup& group) {
  return group.*Field;
}
template <typename T, T PartGroup::*Field>
void Set(PartGroup& group, T value) {
  group.*Field = value;
}

void SetSize(PartGroup& group, const math::Vec2& fromMin, const math::Vec2& fromMax, const math::Vec2& toMin,
             const math::Vec2& toMax) {
  group.sizeFromMin = fromMin;
  group.sizeFromMax = fromMax;
  group.sizeToMin = toMin;
  group.sizeToMax = toMax;
}

void SetInitialSpeed(PartGroup& group, const math::Vec2& min, const math::Vec2& max, float minMag) {
  group.minSpeed = min;
  group.maxSpeed = max;
  group.minSpeedMag = minMag;
}

std::string ImageName(const PartGroup& group) { return group.GetImage(); }

}  // namespace

void PartGroup::RegisterLua(LuaPlus::LuaState* state) {
  using math::Vec2;
  luabind::module(state->GetCState())[
      luabind::class_<PartGroup>("PartGroup")
          .def("SetMaxC", &PartGroup::SetMaxC)
          .def("GetMaxC", &PartGroup::GetMaxC)
          .def("SetFuzzyBirth", &Set<Vec2, &PartGroup::fuzzyBirth>)
          .def("GetFuzzyBirth", &Get<Vec2, &PartGroup::fuzzyBirth>)
          .def("SetSize", &SetSize)
          .def("GetSizeFromMin", &Get<Vec2, &PartGroup::sizeFromMin>)
          .def("GetSizeFromMax", &Get<Vec2, &PartGroup::sizeFromMax>)
          .def("GetSizeToMin", &Get<Vec2, &PartGroup::sizeToMin>)
          .def("GetSizeToMax", &Get<Vec2, &PartGroup::sizeToMax>)
          .def("GetMinSpeed", &Get<Vec2, &PartGroup::minSpeed>)
          .def("GetMaxSpeed", &Get<Vec2, &PartGroup::maxSpeed>)
          .def("GetMinSpeedMag", &Get<float, &PartGroup::minSpeedMag>)
          .def("SetInitialSpeed", &SetInitialSpeed)
          .def("GetLifespan", &Get<Vec2, &PartGroup::lifespan>)
          .def("SetLifespan", &Set<Vec2, &PartGroup::lifespan>)
          .def("SetAdditive", &Set<bool, &PartGroup::additive>)
          .def("GetAdditive", &Get<bool, &PartGroup::additive>)
          .def("SetLockRect", &Set<bool, &PartGroup::lockRect>)
          .def("GetLockRect", &Get<bool, &PartGroup::lockRect>)
          .def("SetStretchSpeed", &Set<float, &PartGroup::stretchSpeed>)
          .def("GetStretchSpeed", &Get<float, &PartGroup::stretchSpeed>)
          .def("AddColor", &PartGroup::AddColor)
          .def("ClearColors", &PartGroup::ClearColors)
          .def("ClearParticles", &PartGroup::ClearParticles)
          .def("RecalcColors", &PartGroup::RecalcColors)
          .def("SetImage", &PartGroup::SetImage)
          .def("GetImage", &ImageName)
          .def("SetActive", &Set<bool, &PartGroup::active>)
          .def("IsActive", &Get<bool, &PartGroup::active>)
          .def("SetGenRate", &PartGroup::SetGenRate)
          .def("GetGenRate", &Get<float, &PartGroup::genRate>)];
}

}  // namespace part2d
