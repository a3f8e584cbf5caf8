// Lua bindings of the vectors. Vec2 multiplies component by component while
// Vec3 multiplies as the cross product; "^" is the dot product of both, and
// dividing by a number multiplies by its inverse. A Vec4 made in Lua can only
// be handed back to the engine.
#include <luabind/luabind.hpp>
#include <luabind/operator.hpp>

#include "core/math/vector.h"
#include "platform/lua/luaplus.h"

namespace math {

namespace {
Vec2 Add2(const Vec2& a, const Vec2& b) { return a + b; }
Vec2 Subtract2(const Vec2& a, const Vec2& b) { return a - b; }
Vec2 Multiply2(const Vec2& a, const Vec2& b) { return {a.x * b.x, a.y * b.y}; }
Vec2 Divide2(const Vec2& a, float n) { return a * (1.0f / n); }
float Dot2(const Vec2& a, const Vec2& b) { return Dot(a, b); }
// In place, and the result is a copy: a reference into the vector would
// outlive it once Lua collects the vector.
Vec2 Normalize2(Vec2& v) { return v.Normalize(); }

Vec3 Add3(const Vec3& a, const Vec3& b) { return a + b; }
Vec3 Subtract3(const Vec3& a, const Vec3& b) { return a - b; }
Vec3 Cross3(const Vec3& a, const Vec3& b) { return Cross(a, b); }
Vec3 Divide3(const Vec3& a, float n) { return a * (1.0f / n); }
float Dot3(const Vec3& a, const Vec3& b) { return Dot(a, b); }
Vec3 Normalize3(Vec3& v) { return v.Normalize(); }
}  // namespace

void RegisterVectorLua(LuaPlus::LuaState* state) {
  using luabind::class_;
  using luabind::constructor;
  luabind::module(state->GetCState())[
      class_<Vec2>("Vec2")
          .def(constructor<>())
          .def(constructor<float, float>())
          .def_readwrite("x", &Vec2::x)
          .def_readwrite("y", &Vec2::y)
          .def("__add", &Add2)
          .def("__sub", &Subtract2)
          .def("__mul", &Multiply2)
          .def("__div", &Divide2)
          .def("__pow", &Dot2)
          .def("Normalize", &Normalize2)
          .def("Magnitude", &Vec2::Magnitude)
          .def("MagSqr", &Vec2::MagSqr),
      class_<Vec3>("Vec3")
          .def(constructor<>())
          .def(constructor<float, float, float>())
          .def_readwrite("x", &Vec3::x)
          .def_readwrite("y", &Vec3::y)
          .def_readwrite("z", &Vec3::z)
          .def("__add", &Add3)
          .def("__sub", &Subtract3)
          .def("__mul", &Cross3)
          .def("__div", &Divide3)
          .def("__pow", &Dot3)
          .def("Normalize", &Normalize3)
          .def("Magnitude", &Vec3::Magnitude)
          .def("MagSqr", &Vec3::MagSqr),
      class_<Vec4>("Vec4")
          .def(constructor<>())
          .def(constructor<float, float, float, float>())];
}

}  // namespace math
