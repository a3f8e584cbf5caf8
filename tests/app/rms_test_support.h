// Shared by the record-store tests: a store in a scratch folder, reached from
// a Lua state as the global "rms", and the independent file tool beside the
// fixtures.
#pragma once
#include <gtest/gtest.h>

#include <luabind/luabind.hpp>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/game_rms.h"
#include "core/script/script_helper.h"
#include "log_capture.h"
#include "temp_folder.h"

namespace rms_test {

// Runs the record-file tool with the arguments; its exit status.
inline int RunRecordFileTool(const std::string& arguments) {
  const std::string command = "python3 '" + std::string(VANTOR_TEST_DATA) + "/rms_file.py' " + arguments;
  return std::system(command.c_str());
}

// The lines of the level without their call-site prefix.
inline std::vector<std::string> Messages(LogLevel level) {
  std::vector<std::string> messages;
  for (const std::string& line : LogCapture::At(level)) {
    const size_t prefixEnd = line.find("> ");
    messages.push_back(prefixEnd == std::string::npos ? line : line.substr(prefixEnd + 2));
  }
  return messages;
}

class ScriptedStore {
 public:
  explicit ScriptedStore(GameRMS& store) : state_(script::CreateLuaState()) {
    GameRMS::RegisterLua(state_);
    luabind::globals(state_->GetCState())["rms"] = &store;
  }
  ~ScriptedStore() { LuaPlus::LuaState::Destroy(state_); }
  ScriptedStore(const ScriptedStore&) = delete;
  ScriptedStore& operator=(const ScriptedStore&) = delete;

  bool Run(const std::string& code) { return state_->DoString(code.c_str()) == 0; }
  // tostring of the expression's value; "<error>" when it fails.
  std::string Eval(const std::string& expression) {
    if (!Run("result = tostring(" + expression + ")")) return "<error>";
    const char* text = script::GetGlobalObject(state_, "result").GetString();
    return text ? text : "<error>";
  }
  // Each expression against its expected text.
  void Expect(const std::vector<std::pair<std::string, std::string>>& cases) {
    for (const auto& [expression, expected] : cases) EXPECT_EQ(Eval(expression), expected) << expression;
  }

  LuaPlus::LuaState* State() const { return state_; }

 private:
  LuaPlus::LuaState* state_;
};

}  // namespace rms_test
