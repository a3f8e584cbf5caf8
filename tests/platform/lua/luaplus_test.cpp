#include "platform/lua/luaplus.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include <luabind/luabind.hpp>

#include "read_file.h"

namespace {

class LuaPlusTest : public testing::Test {
 protected:
  void SetUp() override { state_ = LuaPlus::LuaState::Create(true, false); }
  void TearDown() override { LuaPlus::LuaState::Destroy(state_); }
  void Run(const char* text) { ASSERT_EQ(0, state_->DoString(text)) << text; }

  // Dumps the global `name` and returns the text written.
  std::string Dump(const char* name, unsigned flags, unsigned maxDepth) {
    // Tests run in parallel processes: one file per test.
    std::string path = (std::filesystem::temp_directory_path() /
                        (std::string("vantor_dump_") +
                         testing::UnitTest::GetInstance()->current_test_info()->name()))
                           .string();
    LuaPlus::LuaStateOutFile file;
    EXPECT_TRUE(file.Open(path.c_str()));
    state_->DumpObject(file, name, state_->GetGlobal(name), flags, 0, maxDepth);
    file.Close();
    std::string text = ReadFile(path);
    std::remove(path.c_str());
    return text;
  }

  LuaPlus::LuaState* state_ = nullptr;
};

TEST_F(LuaPlusTest, ObjectsTestTypesExactlyAndTruncateIntegers) {
  Run("T = { n = 2.9, m = -2.9, big = 1e20, nan = 0/0, s = '7', b = false, t = { 1, 2, x = 3 } }");
  LuaPlus::LuaObject t = state_->GetGlobal("T");
  EXPECT_TRUE(t.IsTable());
  EXPECT_TRUE(t["n"].IsNumber());
  EXPECT_FALSE(t["n"].IsString());
  EXPECT_TRUE(t["s"].IsString());
  EXPECT_FALSE(t["s"].IsNumber());
  EXPECT_TRUE(t["b"].IsBoolean());
  EXPECT_TRUE(t["none"].IsNil());
  struct Case { const char* key; int expected; } cases[] = {
      {"n", 2}, {"m", -2}, {"big", INT_MAX}, {"nan", 0}, {"s", 0}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, t[c.key].GetInteger()) << c.key;
  EXPECT_EQ(3, t["t"].GetTableCount());
  EXPECT_EQ(0, t["n"].GetTableCount());
  EXPECT_EQ(nullptr, t["n"].GetString());
  EXPECT_TRUE(t["n"]["deeper"].IsNil());

  LuaPlus::LuaObject invalid;
  EXPECT_FALSE(invalid.IsValid());
  EXPECT_TRUE(invalid.IsNil());
  EXPECT_TRUE(invalid[1].IsNil());
}

TEST_F(LuaPlusTest, ObjectsKeepTheirValuesAlive) {
  Run("Holder = { inner = { 'kept' } }");
  LuaPlus::LuaObject inner = state_->GetGlobal("Holder")["inner"];
  LuaPlus::LuaObject copy;
  copy = inner;
  LuaPlus::LuaObject second(copy);
  Run("Holder = nil collectgarbage() collectgarbage()");
  EXPECT_STREQ("kept", second[1].GetString());
  EXPECT_STREQ("kept", inner[1].GetString());
}

TEST_F(LuaPlusTest, TablesAreBuiltThroughObjects) {
  LuaPlus::LuaObject globals = state_->GetGlobals();
  LuaPlus::LuaObject made = globals.CreateTable("Made", 2, 1);
  made.SetNumber(1, 10);
  made.SetNumber("n", 2.5);
  made.SetString("s", "text");
  lua_pushinteger(state_->GetCState(), 40);
  made.Register("f", [](lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    return 1;
  }, 1);
  Run("ok = Made[1] == 10 and Made.n == 2.5 and Made.s == 'text' and Made.f() == 40");
  EXPECT_TRUE(state_->GetGlobal("ok").GetBoolean());
  EXPECT_EQ(0, lua_gettop(state_->GetCState()));
}

TEST_F(LuaPlusTest, ErrorsGoToAlertAndLeaveTheStackClean) {
  Run("_ALERT = function(m) caught = m end");
  EXPECT_NE(0, state_->DoString("error('boom')"));
  EXPECT_NE(std::string(state_->GetGlobal("caught").GetString()).find("boom"), std::string::npos);
  EXPECT_NE(0, state_->DoString("syntax error here"));
  EXPECT_NE(0, state_->DoBuffer("\x1bLua", 4, nullptr));  // precompiled chunks are refused
  Run("_ALERT = nil");
  EXPECT_NE(0, state_->DoString("error('unheard')"));
  // A guard against undeclared globals does not turn the report into a panic.
  Run("setmetatable(_G, { __index = function(_, k) error('undeclared ' .. k) end })");
  EXPECT_NE(0, state_->DoString("error('guarded')"));
  EXPECT_EQ(0, lua_gettop(state_->GetCState()));
}

TEST_F(LuaPlusTest, StatesOfferOnlyTheLibrariesAGameScriptMayUse) {
  const struct {
    const char* name;
    const char* type;
  } cases[] = {
      {"io", "nil"},          {"package", "nil"},       {"require", "nil"},         {"debug", "nil"},
      {"loadfile", "nil"},    {"dofile", "nil"},        {"os.execute", "nil"},      {"os.exit", "nil"},
      {"os.remove", "nil"},   {"os.rename", "nil"},     {"os.getenv", "nil"},       {"os.tmpname", "nil"},
      {"os.clock", "function"}, {"os.date", "function"}, {"os.time", "function"},  {"os.difftime", "function"},
      {"string.format", "function"}, {"table.concat", "function"}, {"math.floor", "function"},
      {"pcall", "function"},  {"setmetatable", "function"}, {"load", "function"},
  };
  for (const auto& c : cases) {
    Run((std::string("Kind = type(") + c.name + ")").c_str());
    EXPECT_STREQ(state_->GetGlobal("Kind").GetString(), c.type) << c.name;
  }
  // load compiles text, with its name and environment, but no binary chunk.
  Run("local f = load('return x', 'chunk', 'bt', { x = 5 }) Five = f()");
  EXPECT_EQ(state_->GetGlobal("Five").GetInteger(), 5);
  Run("Text = load('return 6')()");
  EXPECT_EQ(state_->GetGlobal("Text").GetInteger(), 6);
  Run("Compiled, Refusal = load(string.dump(function() return 7 end), 'dumped', 'b')");
  EXPECT_TRUE(state_->GetGlobal("Compiled").IsNil());
  EXPECT_NE(std::string(state_->GetGlobal("Refusal").GetString()).find("binary"), std::string::npos);
}

// A finalizer that raises an error: outside a protected run the engine's own
// reads and writes of the state must never run it; inside one its error
// fails that run.
TEST_F(LuaPlusTest, FinalizersRunOnlyInsideProtectedRuns) {
  Run("Finalized = 0 Kept = {} "
      "for i = 1, 50 do Kept[i] = setmetatable({}, { __gc = function() Finalized = Finalized + 1 error('in gc') end }) end");
  // The engine lets go of them and goes on allocating, enough for several cycles.
  LuaPlus::LuaObject globals = state_->GetGlobals();
  globals.SetNumber("Kept", 0);
  for (int i = 0; i < 20000; ++i) {
    const std::string key = "key" + std::to_string(i);
    globals.SetString(key.c_str(), (key + " holds a string long enough to be collected").c_str());
    globals.SetNumber(key.c_str(), i);
  }
  EXPECT_EQ(state_->GetGlobal("Finalized").GetInteger(), 0);
  Run("_ALERT = function(m) Caught = m end");
  EXPECT_NE(0, state_->DoString("collectgarbage()"));
  EXPECT_NE(std::string(state_->GetGlobal("Caught").GetString()).find("in gc"), std::string::npos);
  EXPECT_GT(state_->GetGlobal("Finalized").GetInteger(), 0);
  EXPECT_EQ(0, lua_gettop(state_->GetCState()));
}

TEST_F(LuaPlusTest, DumpRecreatesTheTableInKeyOrder) {
  Run("local s = {} for i = 0, 255 do s[#s + 1] = string.char(i) end "
      "T = { b = 1, a = 'x', [2] = true, [1] = -0.1, ['not id'] = 3, ['and'] = 4,"
      "      nested = { deep = { 1.5 } }, f = print, all = table.concat(s) } "
      "T.self = T");
  std::string text = Dump("T", LuaPlus::LuaState::kDumpAlphabetical, 0xFFFFFFFF);
  EXPECT_LT(text.find("[1]"), text.find("[2]"));
  EXPECT_LT(text.find("[2]"), text.find("[\"and\"]"));
  EXPECT_LT(text.find(" a ="), text.find(" b ="));
  EXPECT_EQ(std::string::npos, text.find("self"));  // cycles are left out
  EXPECT_EQ(std::string::npos, text.find(" f ="));  // so are functions

  Run("Original = T T = nil");
  Run(text.c_str());
  Run("local o, t = Original, T "
      "same = t.a == o.a and t.b == o.b and t[1] == o[1] and t[2] == o[2] "
      "and t['not id'] == 3 and t['and'] == 4 and t.nested.deep[1] == 1.5 and t.all == o.all");
  EXPECT_TRUE(state_->GetGlobal("same").GetBoolean()) << text;
}

TEST_F(LuaPlusTest, DumpStopsAtTheDepthLimit) {
  Run("T = { a = 1, sub = { b = 2 } }");
  std::string text = Dump("T", 0, 0);
  EXPECT_NE(std::string::npos, text.find("a = 1"));
  EXPECT_EQ(std::string::npos, text.find("sub"));
  Run("N = 5");
  EXPECT_EQ("N = 5\n", Dump("N", 0, 0));
}

TEST_F(LuaPlusTest, WideStringsAreTheirOwnType) {
  lua_State* L = state_->GetCState();
  const std::u16string text(u"A\0\U0001F600", 4);
  lua_pushwstring(L, text.data(), text.size());
  ASSERT_NE(nullptr, lua_towstring(L, -1));
  EXPECT_EQ(text, std::u16string(lua_towstring(L, -1), text.size()));
  EXPECT_EQ(LUA_TUSERDATA, lua_type(L, -1));
  lua_pushstring(L, "narrow");
  lua_newuserdata(L, 64);
  EXPECT_EQ(nullptr, lua_towstring(L, -2));
  EXPECT_EQ(nullptr, lua_towstring(L, -1));
  lua_settop(L, 0);
}

class Counter {
 public:
  void Add(int amount) { total_ += amount; }
  int Total() const { return total_; }

 private:
  int total_ = 0;
};

TEST_F(LuaPlusTest, LuabindClassesWorkInTheState) {
  lua_State* L = state_->GetCState();
  luabind::open(L);
  luabind::module(L)[luabind::class_<Counter>("Counter")
                         .def(luabind::constructor<>())
                         .def("Add", &Counter::Add)
                         .def("Total", &Counter::Total)];
  Run("local c = Counter() c:Add(2) c:Add(3) total = c:Total()");
  EXPECT_EQ(5, state_->GetGlobal("total").GetInteger());
  EXPECT_NE(0, state_->DoString("Counter():Add('x')"));  // a binding error is a script error
}

}  // namespace
