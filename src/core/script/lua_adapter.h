// Binds a function or member function so that its integer parameters take any
// Lua number, truncated by LuaPlus::NumberToInt (NaN as 0, out-of-range values
// clamped), as everywhere in the engine. Other parameters and the result pass
// through unchanged:
//   .def("GetRank", script::IntsFromLua<&GameRMS::GetRank>)
#pragma once
#include <type_traits>

#include "platform/lua/luaplus.h"

namespace script {

template <typename T>
constexpr bool kTakesLuaNumber = std::is_integral_v<T> && !std::is_same_v<T, bool>;

// What the binding takes from Lua for a parameter of type T.
template <typename T>
using LuaParam = std::conditional_t<kTakesLuaNumber<T>, double, T>;

template <typename T>
T FromLua(LuaParam<T> value) {
  if constexpr (kTakesLuaNumber<T>) {
    return static_cast<T>(LuaPlus::NumberToInt(value));
  } else {
    return value;
  }
}

template <auto Function, typename = decltype(Function)>
struct IntsFromLuaCall;

template <auto Function, typename R, typename... A>
struct IntsFromLuaCall<Function, R (*)(A...)> {
  static R Call(LuaParam<A>... args) { return Function(FromLua<A>(args)...); }
};

template <auto Method, typename C, typename R, typename... A>
struct IntsFromLuaCall<Method, R (C::*)(A...)> {
  static R Call(C& self, LuaParam<A>... args) { return (self.*Method)(FromLua<A>(args)...); }
};

template <auto Method, typename C, typename R, typename... A>
struct IntsFromLuaCall<Method, R (C::*)(A...) const> {
  static R Call(const C& self, LuaParam<A>... args) { return (self.*Method)(FromLua<A>(args)...); }
};

template <auto Function>
constexpr auto IntsFromLua = &IntsFromLuaCall<Function>::Call;

}  // namespace script
