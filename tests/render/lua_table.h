// A Lua state for tests that build tables from Lua source.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/script/script_helper.h"

class LuaTables {
 public:
  LuaTables() : state_(script::CreateLuaState()) {}
  ~LuaTables() { LuaPlus::LuaState::Destroy(state_); }
  LuaTables(const LuaTables&) = delete;
  LuaTables& operator=(const LuaTables&) = delete;

  // The value of a Lua expression. Release it before the state goes.
  LuaPlus::LuaObject Value(const std::string& expression) {
    EXPECT_EQ(0, state_->DoString(("__value = " + expression).c_str())) << expression;
    return state_->GetGlobal("__value");
  }
  LuaPlus::LuaState* State() { return state_; }

 private:
  LuaPlus::LuaState* state_;
};
