#include "core/script/lua_adapter.h"

#include <gtest/gtest.h>
#include <luabind/luabind.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/script/script_helper.h"

namespace {

struct Receiver {
  void Take(int number, const std::string& text, bool flag, float fraction, uint32_t handle) {
    lastNumber = number;
    lastText = text;
    lastFlag = flag;
    lastFraction = fraction;
    lastHandle = handle;
  }
  int Echo(int number) const { return number; }

  int lastNumber = 0;
  std::string lastText;
  bool lastFlag = false;
  float lastFraction = 0.0f;
  uint32_t lastHandle = 0;
};

int Difference(int a, int b) { return a - b; }

TEST(LuaAdapterTest, IntegerParametersTakeNumbersTruncatedAndClamped) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const struct {
    double given;
    int expected;
  } cases[] = {{2.9, 2}, {-2.9, -2}, {0.0, 0}, {std::nan(""), 0}, {1e20, kMax}, {-1e20, kMin}};
  for (const auto& c : cases) {
    Receiver receiver;
    script::IntsFromLua<&Receiver::Take>(receiver, c.given, "text", true, 0.5f, 7.9);
    EXPECT_EQ(receiver.lastNumber, c.expected) << c.given;
    EXPECT_EQ(script::IntsFromLua<&Receiver::Echo>(receiver, c.given), c.expected) << c.given;
    EXPECT_EQ(script::IntsFromLua<&Difference>(c.given, 0.9), c.expected) << c.given;
  }
}

TEST(LuaAdapterTest, OtherParametersPassUnchanged) {
  Receiver receiver;
  script::IntsFromLua<&Receiver::Take>(receiver, 1.0, "text", true, 0.25f, 7.9);
  EXPECT_EQ(receiver.lastText, "text");
  EXPECT_TRUE(receiver.lastFlag);
  EXPECT_EQ(receiver.lastFraction, 0.25f);
  EXPECT_EQ(receiver.lastHandle, 7u);
}

TEST(LuaAdapterTest, ScriptsCallTheBoundFunctionWithFractionalNumbers) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  luabind::module(state->GetCState())[luabind::def("Difference", script::IntsFromLua<&Difference>)];
  ASSERT_EQ(0, state->DoString("result = Difference(7.8, -2.5)"));
  {
    LuaPlus::LuaObject globals = state->GetGlobals();
    EXPECT_EQ(script::ReadInt(globals, "result", 0), 9);
  }
  LuaPlus::LuaState::Destroy(state);
}

}  // namespace
