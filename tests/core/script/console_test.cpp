#include "core/script/console.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "platform/input/dinput_testing.h"

namespace {

using platform::testing::FeedKey;

// The console is one static object: each test takes it as the last left it,
// with a fresh state from Init and the keyboard fed through the input seam.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::ResetInputState();
    if (!input::GetInput().GetKeyboard()) {
      ASSERT_TRUE(input::GetInput().Init(nullptr));
    }
    keyboard_ = input::GetInput().GetKeyboard();
    console_ = GetConsole();
    GetLog().SetHook(&console::LogHook);
    console_->Init(std::string(VANTOR_SOURCE_DIR) + "/data/scripts/console.lua", "verdana");
    Close();
  }
  void TearDown() override {
    Close();
    console_->Shutdown();
    platform::testing::ResetInputState();
  }

  void Press(SDL_Scancode key) {
    FeedKey(key, true);
    FeedKey(key, false);
    now_ += 0.02f;
    keyboard_->Update(false, 0.02f, now_);
  }
  void Type(const std::initializer_list<SDL_Scancode>& keys) {
    for (SDL_Scancode key : keys) Press(key);
  }
  void Open() {
    if (!console_->IsOpen()) Press(SDL_SCANCODE_GRAVE);
  }
  void Close() {
    if (console_->IsOpen()) Press(SDL_SCANCODE_GRAVE);
  }
  double Global(const char* name) { return console_->GetState()->GetGlobal(name).GetNumber(); }
  const std::string& LastLine() const { return console_->GetHistory().back(); }

  input::Keyboard* keyboard_ = nullptr;
  console::Console* console_ = nullptr;
  float now_ = 1.0f;
};

TEST_F(ConsoleTest, InitRunsTheScriptAndReadsItsLayout) {
  EXPECT_FLOAT_EQ(console_->GetTextHeight(), 0.35f);
  EXPECT_FLOAT_EQ(console_->GetPromptPos(), 0.4f);
  EXPECT_FLOAT_EQ(console_->GetBackgroundHeight(), 0.45f);

  const std::string path = ::testing::TempDir() + "console_layout.lua";
  std::ofstream(path) << "Console = { TextHeight = 0.2, PromptPos = 0.3 }\n";
  console_->Init(path, "verdana");
  EXPECT_FLOAT_EQ(console_->GetTextHeight(), 0.2f);
  EXPECT_FLOAT_EQ(console_->GetPromptPos(), 0.3f);
  EXPECT_FLOAT_EQ(console_->GetBackgroundHeight(), 0.45f);  // kept
  std::remove(path.c_str());

  console_->Init("no/such/console.lua", "verdana");
  bool warned = false;
  for (const std::string& line : console_->GetHistory())
    warned |= line.find("Unable to open Console file no/such/console.lua") != std::string::npos;
  EXPECT_TRUE(warned);
  EXPECT_FLOAT_EQ(console_->GetTextHeight(), 0.2f);
  // The console and the configuration are reachable from Lua.
  console_->Do("seen = (GetConsole() ~= nil and GetConfig() ~= nil) and 1 or 0");
  EXPECT_EQ(Global("seen"), 1.0);
}

TEST_F(ConsoleTest, DoRunsAndEchoesEveryString) {
  console_->Do("answer = 41 + 1");
  EXPECT_EQ(Global("answer"), 42.0);
  EXPECT_EQ(LastLine(), "answer = 41 + 1");
  const size_t lines = console_->GetHistory().size();
  console_->Do("");
  EXPECT_EQ(console_->GetHistory().size(), lines);
  // A script error arrives through the log before the echo.
  console_->Do("undefined_function()");
  EXPECT_EQ(LastLine(), "undefined_function()");
  const auto& history = console_->GetHistory();
  EXPECT_NE(history[history.size() - 2].find("[MSG_SCRIPT]"), std::string::npos);
  console_->Shutdown();
  console_->Do("answer = 0");  // no state: nothing runs, nothing echoes
  EXPECT_EQ(LastLine(), "undefined_function()");
}

TEST_F(ConsoleTest, LogLinesAndAddedLinesLoseOneFinalNewline) {
  LOG_LINE(MSG_COMMENT, "echoed");
  EXPECT_NE(LastLine().find("echoed  [MSG_COMMENT]"), std::string::npos);
  EXPECT_NE(LastLine().back(), '\n');
  console_->AddLine("one\n\n");
  EXPECT_EQ(LastLine(), "one\n");
  console_->AddLine("plain");
  EXPECT_EQ(LastLine(), "plain");
}

TEST_F(ConsoleTest, HistoryKeepsTheNewestLines) {
  for (size_t i = 0; i < console::Console::kMaxHistory + 10; ++i) console_->AddLine("line " + std::to_string(i));
  EXPECT_EQ(console_->GetHistory().size(), console::Console::kMaxHistory);
  EXPECT_EQ(LastLine(), "line " + std::to_string(console::Console::kMaxHistory + 9));
}

TEST_F(ConsoleTest, BoundKeysRunTheirCommandOpenOrClosed) {
  console_->BindKey(DIK_F2, "presses = (presses or 0) + 1");
  console_->BindKey(DIK_F3, "other = 1");
  console_->BindKey(DIK_F2, "presses = (presses or 0) + 10");  // replaces
  EXPECT_EQ(console_->GetBindings().size(), 2u);
  Press(SDL_SCANCODE_F2);
  EXPECT_EQ(Global("presses"), 10.0);
  EXPECT_EQ(LastLine(), "presses = (presses or 0) + 10");
  Open();
  Press(SDL_SCANCODE_F2);
  EXPECT_EQ(Global("presses"), 20.0);
  // A command that binds keys itself is safe.
  console_->BindKey(DIK_F3, "for i = 100, 140 do GetConsole():Do('x' .. i .. ' = 1') end");
  Press(SDL_SCANCODE_F3);
  EXPECT_EQ(Global("x140"), 1.0);
}

TEST_F(ConsoleTest, GraveTogglesTheConsoleAndIsNeverTyped) {
  EXPECT_FALSE(console_->IsOpen());
  Press(SDL_SCANCODE_A);  // closed: not typed
  EXPECT_EQ(console_->GetPrompt(), "");
  Open();
  EXPECT_TRUE(console_->IsOpen());
  EXPECT_EQ(console_->GetPrompt(), "");
  Type({SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_LEFT});
  EXPECT_EQ(console_->GetPrompt(), "a");
  Close();
  EXPECT_FALSE(console_->IsOpen());
  EXPECT_EQ(console_->GetPrompt(), "a");
  Open();
  Press(SDL_SCANCODE_BACKSPACE);
  Press(SDL_SCANCODE_BACKSPACE);  // nothing left to remove
  EXPECT_EQ(console_->GetPrompt(), "");
}

TEST_F(ConsoleTest, EnterRunsThePromptAndEchoesItTwice) {
  Open();
  Type({SDL_SCANCODE_X, SDL_SCANCODE_SPACE, SDL_SCANCODE_EQUALS, SDL_SCANCODE_SPACE, SDL_SCANCODE_1});
  ASSERT_EQ(console_->GetPrompt(), "x = 1");
  console_->AddLine("before");
  Press(SDL_SCANCODE_RETURN);
  EXPECT_EQ(Global("x"), 1.0);
  const auto& history = console_->GetHistory();
  const size_t n = history.size();
  EXPECT_EQ(history[n - 3], "before");
  EXPECT_EQ(history[n - 2], "x = 1");
  EXPECT_EQ(history[n - 1], "x = 1");
  EXPECT_EQ(console_->GetPrompt(), "");
  // An empty prompt adds an empty line and runs nothing.
  Press(SDL_SCANCODE_RETURN);
  EXPECT_EQ(history[history.size() - 2], "x = 1");
  EXPECT_EQ(LastLine(), "");
}

TEST_F(ConsoleTest, UpAndDownWalkTheCommandHistory) {
  Open();
  for (SDL_Scancode key : {SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_C}) {
    Press(key);
    Press(SDL_SCANCODE_RETURN);
  }
  struct Step {
    SDL_Scancode key;
    const char* prompt;
  } steps[] = {{SDL_SCANCODE_UP, "c"},   {SDL_SCANCODE_UP, "b"},   {SDL_SCANCODE_DOWN, "c"},
               {SDL_SCANCODE_DOWN, "c"}, {SDL_SCANCODE_UP, "b"},   {SDL_SCANCODE_UP, "a"}};
  for (const Step& step : steps) {
    Press(step.key);
    EXPECT_EQ(console_->GetPrompt(), step.prompt);
  }
  Press(SDL_SCANCODE_RETURN);  // runs "a" again; Down then does nothing
  Press(SDL_SCANCODE_DOWN);
  EXPECT_EQ(console_->GetPrompt(), "");
  Press(SDL_SCANCODE_UP);
  EXPECT_EQ(console_->GetPrompt(), "a");
}

TEST_F(ConsoleTest, ShiftInsertPastesTheClipboardAndALongCommandRunsWhole) {
  // Longer than one line of the font manager's text queue.
  const std::string command = "Pasted = '" + std::string(1500, 'y') + "'";
  ASSERT_TRUE(keyboard_->SetClipboardText(std::u16string(command.begin(), command.end())));
  Open();
  // The console is one static object: a prompt an earlier test left is
  // entered first.
  if (!console_->GetPrompt().empty()) Press(SDL_SCANCODE_RETURN);
  Press(SDL_SCANCODE_INSERT);  // Insert alone pastes nothing
  EXPECT_EQ(console_->GetPrompt(), "");
  for (SDL_Scancode shift : {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}) {
    console_->Do("Pasted = nil");
    FeedKey(shift, true);
    keyboard_->Update(false, 0.02f, now_ += 0.02f);
    Press(SDL_SCANCODE_INSERT);
    FeedKey(shift, false);
    keyboard_->Update(false, 0.02f, now_ += 0.02f);
    EXPECT_EQ(console_->GetPrompt(), command) << shift;
    Press(SDL_SCANCODE_RETURN);
    const LuaPlus::LuaObject pasted = console_->GetState()->GetGlobal("Pasted");
    ASSERT_TRUE(pasted.IsString()) << shift;
    EXPECT_EQ(std::string(pasted.GetString()).size(), 1500u) << shift;
  }
}

}  // namespace
