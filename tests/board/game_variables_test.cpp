// The game variables of the current profile, from C++ and through their Lua
// globals, and where the record file keeps them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "board/game_variables.h"
#include "core/script/script_helper.h"
#include "log_capture.h"

namespace {

class GameVariablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<BareGameApp>("vantor");
    SetApp(app_.get());
    std::remove(StorePath().c_str());
    app_->InitSystems();
    lua_ = script::CreateLuaState();
    RegisterGameVariables(lua_);
  }
  void TearDown() override {
    LuaPlus::LuaState::Destroy(lua_);
    SetApp(nullptr);
    app_.reset();
    std::remove(StorePath().c_str());
  }

  GameRMS& Store() { return *app_->GetRecordStore(); }
  std::string StorePath() { return GetUserDataPath() + "vantor.rms"; }
  void Run(const std::string& code) { ASSERT_EQ(lua_->DoString(code.c_str()), 0) << code; }
  // tostring of the expression's value.
  std::string Eval(const std::string& expression) {
    if (lua_->DoString(("result = tostring(" + expression + ")").c_str()) != 0) return "<error>";
    const char* text = script::GetGlobalObject(lua_, "result").GetString();
    return text ? text : "<error>";
  }
  // Runs each statement, then checks each expression.
  void Expect(const std::vector<std::pair<std::string, std::string>>& cases) {
    for (const auto& [expression, expected] : cases) EXPECT_EQ(Eval(expression), expected) << expression;
  }

  LogCapture quiet_;
  std::unique_ptr<BareGameApp> app_;
  LuaPlus::LuaState* lua_ = nullptr;
};

TEST_F(GameVariablesTest, TheGlobalsReadAndWriteTheCurrentProfilesTable) {
  ASSERT_TRUE(Store().AddProfile("Ann", "english", "home"));
  Run("SetInt(300, 5) SetInt(-1, 5) SetInt(2.9, 7.8) SetSpecialC(-11, 4) SetSpecialC(289, 4)");
  Expect({{"GetInt(300)", "0"}, {"GetInt(-1)", "0"}, {"GetInt(299)", "0"}, {"GetInt(2)", "7"},
          {"GetInt(0)", "4"}, {"GetSpecialC(-11)", "4"}, {"GetSpecialC(289)", "0"}});

  Run("SetTempleOpen(3, true) SetTempleShouldOpen(4)");
  Expect({{"TempleOpen(3)", "true"}, {"ShouldTempleOpen(4)", "true"}, {"TempleOpen(4)", "false"},
          {"TempleOpen(400)", "false"}});
  Run("SetTempleOpen(3, false)");
  Expect({{"GetInt(3)", "0"}, {"TempleOpen(3)", "false"}, {"ShouldTempleOpen(3)", "false"}});

  Run("SetGold(12.7) SetScore(-3) SetClearedRooms(2) SetScarabTurn(4) SetScarabAccel(5) SetScarabSpeed(6)"
      " SetSpecialC(2, 9) TriggerStory(2) SetHintEnabled(true)");
  Expect({{"GetGold()", "12"}, {"GetInt(22)", "12"}, {"GetScore()", "-3"}, {"GetInt(23)", "-3"},
          {"GetClearedRooms()", "2"}, {"GetInt(24)", "2"}, {"GetScarabTurn()", "4"}, {"GetInt(41)", "4"},
          {"GetScarabAccel()", "5"}, {"GetInt(42)", "5"}, {"GetScarabSpeed()", "6"}, {"GetInt(43)", "6"},
          {"GetInt(13)", "9"}, {"GetSpecialC(2)", "9"}, {"GetInt(27)", "1"}, {"IsStorySet(2)", "true"},
          {"IsStorySet(3)", "false"}, {"IsStorySet(2147483647)", "false"}, {"IsHintEnabled()", "true"},
          {"GetInt(44)", "1"}});
  Run("SetHintEnabled(false)");
  Expect({{"IsHintEnabled()", "false"}, {"GetInt(44)", "0"}});

  Expect({{"IsHowToPlaySet()", "false"}, {"IsHowToPlaySet()", "true"}, {"IsHowToPlaySet()", "true"},
          {"GetInt(84)", "1"}});
  EXPECT_EQ(GetInt(22), 12);
  SetInt(22, 40);
  EXPECT_EQ(GetGold(), 40);
  SetGold(41);
  EXPECT_EQ(Eval("GetGold()"), "41");
}

TEST_F(GameVariablesTest, WithoutACurrentProfileNothingIsReadOrWritten) {
  Run("SetGold(5) SetInt(1, 2) TriggerStory(0)");
  Expect({{"GetGold()", "0"}, {"GetInt(1)", "0"}, {"IsStorySet(0)", "false"}, {"IsHowToPlaySet()", "false"},
          {"IsHowToPlaySet()", "false"}});
  ASSERT_TRUE(Store().AddProfile("Ann", "english", "home"));
  EXPECT_EQ(Eval("IsHowToPlaySet()"), "false") << "nothing was written before";
  EXPECT_EQ(GetInt(22), 0);

  SetApp(nullptr);
  SetInt(22, 9);
  EXPECT_EQ(GetInt(22), 0) << "no record store at all";
  SetApp(app_.get());
}

TEST_F(GameVariablesTest, TheRecordFileKeepsTheTableOfEachProfile) {
  ASSERT_TRUE(Store().AddProfile("Ann", "english", "home"));
  SetInt(22, 250);
  ASSERT_TRUE(Store().AddProfile("Bob", "english", "home"));
  Run("SetInt(0, 1) SetGold(-7) SetInt(299, 2147483647) TriggerStory(15)");
  Store().Save();
  const std::string tool = std::string("python3 '") + VANTOR_SOURCE_DIR + "/tests/app/data/rms_file.py' check-variables '" +
                           StorePath() + "' ";
  EXPECT_EQ(std::system((tool + "1 0=1 22=-7 299=2147483647 40=1 1=0").c_str()), 0);
  EXPECT_EQ(std::system((tool + "0 22=250 0=0").c_str()), 0);
}

}  // namespace
