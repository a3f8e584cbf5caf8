#include "core/script/script_helper.h"

#include <climits>
#include <filesystem>

#include "core/script/lua_test_support.h"

namespace {

using testsupport::LogCapture;
using testsupport::ScratchDir;

class ScriptHelperTest : public testing::Test {
 protected:
  void SetUp() override { state_ = script::CreateLuaState(); }
  void TearDown() override { LuaPlus::LuaState::Destroy(state_); }

  // Runs a chunk that must succeed.
  void Run(const std::string& text) { ASSERT_EQ(0, state_->DoString(text.c_str())) << text; }

  LuaPlus::LuaState* state_ = nullptr;
};

TEST_F(ScriptHelperTest, ScalarReadersFallBackToTheDefault) {
  Run("T = { two = 2.9, minus = -2.9, huge = 1e20, text = '5', yes = true, no = false,"
      " zero = 0, half = 0.5, big = 2, word = 'yes', f = 0.25 }");
  LuaPlus::LuaObject t = script::GetGlobalObject(state_, "T");

  struct IntCase { const char* key; int expected; } ints[] = {
      {"two", 2}, {"minus", -2}, {"huge", INT_MAX}, {"text", 7}, {"yes", 7}, {"missing", 7}};
  for (const IntCase& c : ints) EXPECT_EQ(c.expected, script::ReadInt(t, c.key, 7)) << c.key;

  struct BoolCase { const char* key; bool def; bool expected; } bools[] = {
      {"yes", false, true},  {"no", true, false},   {"zero", true, false}, {"big", false, true},
      {"half", true, false}, {"word", true, true},  {"word", false, false}, {"missing", true, true}};
  for (const BoolCase& c : bools) EXPECT_EQ(c.expected, script::ReadBool(t, c.key, c.def)) << c.key;

  EXPECT_FLOAT_EQ(0.25f, script::ReadFloat(t, "f", 3.0f));
  EXPECT_FLOAT_EQ(3.0f, script::ReadFloat(t, "text", 3.0f));  // a numeric string is no number
  EXPECT_EQ("5", script::ReadString(t, "text", "d"));
  EXPECT_EQ("d", script::ReadString(t, "two", "d"));          // a number is no string
  EXPECT_FLOAT_EQ(1.5f, script::ReadGlobalFloat(state_, "T", "missing", 1.5f));
  EXPECT_FLOAT_EQ(2.9f, script::ReadGlobalFloat(state_, "T", "two", 1.5f));
}

TEST_F(ScriptHelperTest, MissingTablesReadAsDefaults) {
  LuaPlus::LuaObject invalid;
  LuaPlus::LuaObject nil = script::GetGlobalObject(state_, "Nowhere");
  for (const LuaPlus::LuaObject* t : {&invalid, &nil}) {
    EXPECT_TRUE(script::GetField(*t, "x").IsNil());
    EXPECT_EQ(4, script::ReadInt(*t, "x", 4));
    EXPECT_EQ("d", script::ReadString(*t, "x", "d"));
    EXPECT_FLOAT_EQ(9.0f, script::ReadVec2(*t, "x", {9, 9}).x);
  }
}

TEST_F(ScriptHelperTest, VectorReadersNeedTheExactEntryCount) {
  Run("T = { three = { 1, 2, 3 }, mixed = { 1, 'a', 3 }, named = { x = 1, y = 2 },"
      " four = { 1, 2, 3, 4 }, extra = { 1, 2, n = 3 }, scalar = 5 }");
  LuaPlus::LuaObject t = script::GetGlobalObject(state_, "T");
  const math::Vec3 def3(7, 8, 9);

  struct Case { const char* key; math::Vec3 expected; } cases[] = {
      {"three", {1, 2, 3}}, {"mixed", {1, 8, 3}}, {"four", def3}, {"extra", {1, 2, 9}},
      {"scalar", def3},     {"missing", def3}};
  for (const Case& c : cases) {
    math::Vec3 v = script::ReadVec3(t, c.key, def3);
    EXPECT_EQ(c.expected.x, v.x) << c.key;
    EXPECT_EQ(c.expected.y, v.y) << c.key;
    EXPECT_EQ(c.expected.z, v.z) << c.key;
  }

  math::Vec2 v2 = script::ReadVec2(t, "three", {5, 6});
  EXPECT_EQ(5.0f, v2.x);
  EXPECT_EQ(6.0f, v2.y);
  v2 = script::ReadVec2(t, "named", {5, 6});  // right count, but no entries 1 and 2
  EXPECT_EQ(5.0f, v2.x);
  EXPECT_EQ(6.0f, v2.y);
  math::Vec4 v4 = script::ReadVec4(t, "four", {0, 0, 0, 0});
  EXPECT_EQ(4.0f, v4.w);
  EXPECT_EQ(1.0f, script::ReadVec4(t, "three", {1, 1, 1, 1}).x);
}

TEST_F(ScriptHelperTest, PrintJoinsArgumentsWithTabsOnOneScriptLine) {
  LogCapture log;
  Run("print(1, nil, 'x')");
  Run("LOG('via', 'LOG')");
  Run("print(towstring('wide'), 2)");
  EXPECT_TRUE(log.Has("1\tnil\tx  [MSG_SCRIPT]\n")) << log.Text();
  EXPECT_TRUE(log.Has("via\tLOG  [MSG_SCRIPT]\n"));
  EXPECT_TRUE(log.Has("wide\t2  [MSG_SCRIPT]\n"));
}

TEST_F(ScriptHelperTest, WideStringsConvertThroughUtf8) {
  lua_State* L = state_->GetCState();
  const std::u16string text = u"A\u00e9\u20ac\U0001F600";
  lua_pushwstring(L, text.data(), text.size());
  lua_setglobal(L, "W");
  Run("u = tostring(W) back = towstring(u) same = towstring(W) == W none = towstring({})");
  EXPECT_STREQ("A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", state_->GetGlobal("u").GetString());
  EXPECT_TRUE(state_->GetGlobal("same").GetBoolean());
  EXPECT_TRUE(state_->GetGlobal("none").IsNil());
  lua_getglobal(L, "back");
  EXPECT_EQ(text, std::u16string(lua_towstring(L, -1)));
  lua_settop(L, 0);
}

TEST_F(ScriptHelperTest, ScriptErrorsReachAlert) {
  {
    LogCapture log;
    EXPECT_NE(0, state_->DoString("error('boom')"));
    EXPECT_TRUE(log.Has("boom  [MSG_SCRIPT]")) << log.Text();
  }
  {
    LogCapture log;
    // Broken for tables only, so that _ALERT can still print the error.
    EXPECT_NE(0, state_->DoString("local plain = tostring "
                                  "tostring = function(v) return type(v) == 'table' and {} or plain(v) end "
                                  "print({})"));
    EXPECT_TRUE(log.Has("`tostring' must return a string to `print'")) << log.Text();
  }
  // A script may take the errors over by defining its own _ALERT.
  Run("_ALERT = function(m) caught = m end");
  EXPECT_NE(0, state_->DoString("this is not lua"));
  EXPECT_TRUE(script::GetGlobalObject(state_, "caught").IsString());
}

TEST_F(ScriptHelperTest, LoadScriptReportsEachFailure) {
  ScratchDir dir;
  std::string good = dir.Write("good.lua", "Value = 3");
  std::string broken = dir.Write("broken.lua", "Value = = 3");
  std::string missing = dir.Path("missing.lua");
  LuaPlus::LuaState* dumper = script::CreateLuaState();
  dumper->DoString("bytes = string.dump(function() Value = 4 end)");
  std::string binary = dir.Write("binary.lua", script::GetGlobalObject(dumper, "bytes").GetString());
  LuaPlus::LuaState::Destroy(dumper);

  LogCapture log;
  EXPECT_TRUE(script::LoadScript(state_, good));
  EXPECT_TRUE(log.Has("LUA Script " + good + " Loaded from " + good));
  EXPECT_EQ(3, script::ReadInt(state_->GetGlobals(), "Value", 0));

  EXPECT_FALSE(script::LoadScript(state_, missing));
  EXPECT_TRUE(log.Has("Couldn't find file " + missing));
  EXPECT_TRUE(log.Has("Unable to load script file " + missing + "  [MSG_SCRIPT]"));

  EXPECT_FALSE(script::LoadScript(state_, broken));
  EXPECT_TRUE(log.Has("Unable to parse script file " + broken));

  EXPECT_FALSE(script::LoadScript(state_, binary));  // precompiled chunks are refused
  EXPECT_EQ(3, script::ReadInt(state_->GetGlobals(), "Value", 0));

  EXPECT_FALSE(script::LoadScript(state_, ""));
  EXPECT_TRUE(log.Has("Failed to load script file . Program may become unstable.  [MSG_ERROR]"));
}

TEST_F(ScriptHelperTest, DofileRunsFilesThroughTheFileSystem) {
  ScratchDir dir(true);
  dir.Write("lib.lua", "Loaded = true return 1, 2");
  dir.Write("broken.lua", "return +");
  LogCapture log;
  Run("a, b = dofile('lib.lua')");
  EXPECT_EQ(2, script::ReadInt(state_->GetGlobals(), "b", 0));
  EXPECT_TRUE(script::ReadBool(state_->GetGlobals(), "Loaded", false));

  Run("ok1 = pcall(dofile)");
  Run("ok2 = pcall(dofile, 'none.lua')");
  Run("ok3 = pcall(dofile, 'broken.lua')");
  for (const char* ok : {"ok1", "ok2", "ok3"})
    EXPECT_FALSE(script::ReadBool(state_->GetGlobals(), ok, true)) << ok;
  EXPECT_TRUE(log.Has("Unable to load file!"));
  EXPECT_TRUE(log.Has("Unable to load script file none.lua"));
  EXPECT_TRUE(log.Has("Error executing block from broken.lua"));
}

// Only names inside the game's data reach the file system; the others are
// refused as a missing file is, whether or not they exist.
TEST_F(ScriptHelperTest, DofileRefusesNamesOutsideTheData) {
  ScratchDir outside;
  const std::string secret = outside.Write("secret.lua", "Reached = true");
  ScratchDir dir(true);
  dir.Write("data/level/room.lua", "Room = (Room or 0) + 1");
  std::filesystem::current_path(dir.Path("data"));
  struct Case {
    std::string name;
    bool read;
  } cases[] = {
      {"level/room.lua", true},
      {"./level/../level/room.lua", true},
      {secret, false},
      {"../data/level/room.lua", false},
      {"level/../../data/level/room.lua", false},
      {"\\tmp\\secret.lua", false},
      {"C:/secret.lua", false},
  };
  for (const Case& c : cases) {
    LogCapture log;
    Run("Room = nil ok = pcall(dofile, [==[" + c.name + "]==])");
    EXPECT_EQ(c.read, script::ReadBool(state_->GetGlobals(), "ok", !c.read)) << c.name;
    EXPECT_EQ(c.read ? 1 : 0, script::ReadInt(state_->GetGlobals(), "Room", 0)) << c.name;
    EXPECT_EQ(!c.read, log.Has("Unable to load script file " + c.name + "  [MSG_SCRIPT]")) << c.name;
  }
  EXPECT_FALSE(script::ReadBool(state_->GetGlobals(), "Reached", false));
}

// A data file that never ends stops at the budget and fails as a broken file
// does; the same state then runs unbounded again, as the game's scripts do.
TEST_F(ScriptHelperTest, DataScriptsStopAtTheirInstructionBudget) {
  ScratchDir dir(true);
  dir.Write("loop.lua", "Started = true while true do end");
  dir.Write("inner.lua", "while true do end");
  dir.Write("outer.lua", "dofile('inner.lua')");
  dir.Write("fine.lua", "Sum = 0 for i = 1, 100000 do Sum = Sum + 1 end");
  for (const char* file : {"loop.lua", "outer.lua"}) {
    LogCapture log;
    EXPECT_FALSE(script::LoadDataScript(state_, file)) << file;
    EXPECT_TRUE(log.Has("ran past the 10000000 instructions a data file may take")) << log.Text();
    EXPECT_TRUE(log.Has(std::string("Unable to parse script file ") + file)) << log.Text();
  }
  EXPECT_TRUE(script::ReadBool(state_->GetGlobals(), "Started", false));
  EXPECT_TRUE(script::LoadDataScript(state_, "fine.lua"));
  EXPECT_EQ(script::ReadInt(state_->GetGlobals(), "Sum", 0), 100000);
  Run("Count = 0 for i = 1, 20000000 do end Count = 1");
  EXPECT_EQ(script::ReadInt(state_->GetGlobals(), "Count", 0), 1);
}

// A data file or a panel's script reaches neither the disk nor the system
// but through the host's own dofile.
TEST_F(ScriptHelperTest, StatesHaveTheHostsDofileAndNoWayOutside) {
  Run("Kinds = type(dofile) .. type(print) .. type(loadfile) .. type(io) .. type(os.execute) .. type(require)");
  EXPECT_EQ(script::ReadString(state_->GetGlobals(), "Kinds", ""), "functionfunctionnilnilnilnil");
}

TEST_F(ScriptHelperTest, EnsureGlobalTableFillsOnlyANilGlobal) {
  Run("Number = 5");
  EXPECT_FALSE(script::EnsureGlobalTable("Fresh", state_));
  EXPECT_FALSE(script::EnsureGlobalTable("Number", state_));
  EXPECT_TRUE(script::GetGlobalObject(state_, "Fresh").IsTable());
  EXPECT_TRUE(script::GetGlobalObject(state_, "Number").IsNumber());
}

}  // namespace
