// The web client as scripts use it, and the lifetime of its session.
#include "app/web_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale>
#include <string>

#include "app/connection_manager.h"
#include "core/script/script_helper.h"
#include "platform/internet/wininet_testing.h"

namespace {

using Variables = std::vector<web::Server::Variable>;

class WebServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = script::CreateLuaState();
    web::Server::RegisterLua(state_);
    GetServer()->ClearVariables();
  }
  void TearDown() override { LuaPlus::LuaState::Destroy(state_); }

  LuaPlus::LuaState* state_ = nullptr;
};

TEST_F(WebServerTest, ScriptsCollectVariablesInTheOrderAdded) {
  ASSERT_EQ(state_->DoString("local s = GetServer()\n"
                             "s:AddInt('level', 7.9)\n"
                             "s:AddFloat('time', 1.5)\n"
                             "s:AddString('player', 'x')\n"
                             "s:AddInt('level', -2)\n"
                             "s:SetURL('http://scores.invalid/submit')\n"
                             "message = s:GetLastMsg()\n"
                             "s:TerminateThread()\n"),
            0);
  EXPECT_EQ(GetServer()->GetVariables(),
            (Variables{{"level", "7"}, {"time", "1.500000"}, {"player", "x"}, {"level", "-2"}}));
  EXPECT_EQ(GetServer()->GetURL(), "http://scores.invalid/submit");
  EXPECT_STREQ(script::GetGlobalObject(state_, "message").GetString(), "");
  ASSERT_EQ(state_->DoString("GetServer():ClearVariables()"), 0);
  EXPECT_TRUE(GetServer()->GetVariables().empty());
}

TEST_F(WebServerTest, ValuesOfAnyLengthAreKeptWhole) {
  const std::string value(1000, 'v');
  ASSERT_EQ(state_->DoString(("GetServer():AddString('long', '" + value + "')").c_str()), 0);
  EXPECT_EQ(GetServer()->GetVariables(), (Variables{{"long", value}}));
}

// A decimal comma wherever the process would otherwise use one.
struct CommaDecimals : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST_F(WebServerTest, FloatsAreWrittenWithADecimalPointWhateverTheLocale) {
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
  GetServer()->AddFloat("time", -0.25f);
  std::locale::global(previous);
  EXPECT_EQ(GetServer()->GetVariables(), (Variables{{"time", "-0.250000"}}));
}

TEST(WebSessionTest, OneSessionOpensAtFirstUseUnderTheClientsName) {
  GetServer();
  const int open = platform::testing::OpenInternetHandles();
  HINTERNET session = web::GetConnectionManager().GetSession();
  EXPECT_EQ(platform::testing::InternetAgentOf(session), "KESTROVA");
  GetServer();
  EXPECT_EQ(platform::testing::OpenInternetHandles(), open);
}

// Ends the process with status 0 when no session is left open.
void ExitWithOpenSessions() { std::_Exit(platform::testing::OpenInternetHandles()); }

TEST(WebSessionDeathTest, TheSessionClosesAtExit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Registered before the client exists, so it runs after the client is gone.
        platform::testing::OpenInternetHandles();
        std::atexit(ExitWithOpenSessions);
        GetServer()->AddInt("level", 1);
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
