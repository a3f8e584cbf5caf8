// The maths classes as scripts see them.
#include <gtest/gtest.h>

#include <luabind/luabind.hpp>

#include "core/math/ramp.h"
#include "core/math/vector.h"
#include "core/script/script_helper.h"

namespace {

class MathLuaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = script::CreateLuaState();
    math::RegisterVectorLua(state_);
    math::Ramp::RegisterLua(state_);
  }
  void TearDown() override { LuaPlus::LuaState::Destroy(state_); }

  // The number the expression gives.
  double Number(const std::string& expression) {
    EXPECT_EQ(0, state_->DoString(("result = " + expression).c_str())) << expression;
    return state_->GetGlobal("result").GetNumber();
  }

  LuaPlus::LuaState* state_ = nullptr;
};

TEST_F(MathLuaTest, Vec2MultipliesByComponentAndDotsWithCaret) {
  const struct {
    const char* expression;
    double value;
  } cases[] = {
      {"(Vec2(1, 2) * Vec2(3, 4)).x", 3},
      {"(Vec2(1, 2) * Vec2(3, 4)).y", 8},
      {"Vec2(1, 2) ^ Vec2(3, 4)", 11},
      {"(Vec2(1, 2) + Vec2(3, 4)).y", 6},
      {"(Vec2(1, 2) - Vec2(3, 5)).y", -3},
      {"(Vec2(3, 6) / 3).y", 2},
      {"Vec2(3, 4):Magnitude()", 5},
      {"Vec2(3, 4):MagSqr()", 25},
      {"Vec2().x + Vec2().y", 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(Number(c.expression), c.value, 1e-6) << c.expression;
  // Normalize works in place and hands back the result.
  ASSERT_EQ(0, state_->DoString("v = Vec2(3, 4) n = v:Normalize() v.y = v.y + 1"));
  EXPECT_NEAR(Number("v.x"), 0.6, 1e-6);
  EXPECT_NEAR(Number("v.y"), 1.8, 1e-6);
  EXPECT_NEAR(Number("n.y"), 0.8, 1e-6);
}

TEST_F(MathLuaTest, Vec3MultipliesAsTheCrossProduct) {
  ASSERT_EQ(0, state_->DoString("c = Vec3(1, 0, 0) * Vec3(0, 1, 0)"));
  EXPECT_EQ(Number("c.x"), 0);
  EXPECT_EQ(Number("c.y"), 0);
  EXPECT_EQ(Number("c.z"), 1);
  const struct {
    const char* expression;
    double value;
  } cases[] = {
      {"Vec3(1, 2, 3) ^ Vec3(4, 5, 6)", 32},
      {"(Vec3(1, 2, 3) + Vec3(4, 5, 6)).z", 9},
      {"(Vec3(1, 2, 3) - Vec3(4, 5, 6)).x", -3},
      {"(Vec3(2, 4, 8) / 4).z", 2},
      {"Vec3(2, 3, 6):Magnitude()", 7},
      {"Vec3(0, 0, 0):Normalize():MagSqr()", 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(Number(c.expression), c.value, 1e-6) << c.expression;
}

TEST_F(MathLuaTest, Vec4IsMadeOnlyToBeHandedToTheEngine) {
  ASSERT_EQ(0, state_->DoString("colour = Vec4(1, 0.5, 0.25, 1) blank = Vec4()"));
  const math::Vec4 colour = luabind::object_cast<math::Vec4>(luabind::globals(state_->GetCState())["colour"]);
  EXPECT_EQ(colour.y, 0.5f);
  EXPECT_EQ(colour.z, 0.25f);
  EXPECT_EQ(Number("colour.x == nil and 1 or 0"), 1);  // no fields for scripts
  EXPECT_NE(0, state_->DoString("local s = colour + colour"));
}

TEST_F(MathLuaTest, FloatRampComesFromTheEngineOnly) {
  math::Ramp ramp;
  luabind::globals(state_->GetCState())["ramp"] = &ramp;
  ASSERT_EQ(0, state_->DoString("ramp:AddValue(0, 0.5) ramp:AddValue(1, 0.5)"));
  EXPECT_EQ(Number("ramp:GetValue(0.75)"), 0);  // nothing until Recalc
  ASSERT_EQ(0, state_->DoString("ramp:Recalc()"));
  EXPECT_NEAR(Number("ramp:GetValue(0.25)"), 0.5, 1e-6);
  EXPECT_EQ(Number("ramp:GetValue(0.75)"), 1);
  EXPECT_NE(0, state_->DoString("local r = FloatRamp()"));
}

}  // namespace
