#include "core/script/config_file.h"

#include <cmath>
#include <limits>

#include <luabind/luabind.hpp>

#include "core/script/script_helper.h"
#include "core/script/lua_test_support.h"

namespace {

using testsupport::LogCapture;
using testsupport::RunStockLua;
using testsupport::ScratchDir;

TEST(ConfigFileTest, FirstRunWritesTheDefaultsAsked) {
  ScratchDir dir;
  std::string path = dir.Path("vantor.lua");
  {
    LogCapture log;
    config::ConfigFile config;
    EXPECT_TRUE(config.Load(path));
    EXPECT_EQ("Application 1.0", config.GetString("AppName", "Application 1.0"));
    math::Vec3 clear = config.GetVector("ClearColor", {0.1f, 0.1f, 0.3f});
    EXPECT_FLOAT_EQ(0.3f, clear.z);
    EXPECT_TRUE(log.Has("Trying to Load Config file " + path));
    EXPECT_TRUE(log.Has("Unable to load script file " + path));
    EXPECT_TRUE(log.Has("Config file Loaded"));
  }  // destruction saves
  EXPECT_EQ("Application 1.0\t3\t0.100000\t0.300000\n",
            RunStockLua(path, "print(Config.AppName, #Config.ClearColor, "
                              "string.format('%f', Config.ClearColor[1]), "
                              "string.format('%f', Config.ClearColor[3]))"));
  std::string text = ReadFile(path);
  EXPECT_LT(text.find("AppName"), text.find("ClearColor")) << text;
}

// A settings file that never ends is given up like a broken one: the game
// starts on the defaults.
TEST(ConfigFileTest, SettingsThatLoopForeverFailToLoadAndTheDefaultsServe) {
  ScratchDir dir;
  std::string path = dir.Write("vantor.lua", "Config = { Volume = 3 }\nwhile true do end\n");
  LogCapture log;
  config::ConfigFile config;
  EXPECT_TRUE(config.Load(path));
  EXPECT_TRUE(log.Has("ran past the")) << log.Text();
  EXPECT_TRUE(log.Has("Unable to parse script file " + path));
  EXPECT_TRUE(log.Has("Config file Loaded"));
  EXPECT_EQ(7.0f, config.GetFloat("Width", 7.0f));
}

TEST(ConfigFileTest, WrongTypesAreOverwrittenByTheDefault) {
  ScratchDir dir;
  std::string path = dir.Write("vantor.lua",
                               "Config = { Count = 'many', Four = { 1, 2, 3, 4 },"
                               " Three = { 1, 2, 3 }, Tenth = 0.1 }");
  {
    config::ConfigFile config;
    config.Load(path);
    EXPECT_EQ(5, config.GetInt("Count", 5));
    for (int pass = 0; pass < 2; ++pass) {
      math::Vec3 four = config.GetVector("Four", {7, 8, 9});
      EXPECT_EQ(7.0f, four.x);
      EXPECT_EQ(9.0f, four.z);
    }
    math::Vec3 three = config.GetVector("Three", {7, 8, 9});
    EXPECT_EQ(2.0f, three.y);
    EXPECT_FLOAT_EQ(0.1f, config.GetFloat("Tenth", 0));
  }
  EXPECT_EQ("5\t7\t8\t9\t4\t1\t2\t3\ttrue\n",
            RunStockLua(path, "local c = Config print(c.Count, c.Four[1], c.Four[2], c.Four[3],"
                              " c.Four[4], c.Three[1], c.Three[2], c.Three[3],"
                              " c.Tenth == 0.10000000149011612)"));
}

TEST(ConfigFileTest, SavedStringsAndNestingReadBackUnchanged) {
  const std::string tricky = "say \"hi\"\\ C:\\dir\nnext\tline\r\x01 end";
  ScratchDir dir;
  std::string path = dir.Write("vantor.lua",
                               "Config = { Nested = { Deeper = { 'a', b = true } },"
                               " ['with space'] = 1, [10] = 'ten', ['end'] = 2 }");
  {
    config::ConfigFile config;
    config.Load(path);
    config.SetString("Tricky", tricky);
    config.SetFloat("Huge", std::numeric_limits<float>::infinity());
  }
  config::ConfigFile config;
  config.Load(path);
  EXPECT_EQ(tricky, config.GetString("Tricky", ""));
  EXPECT_EQ(1, config.GetInt("with space", 0));
  EXPECT_EQ(2, config.GetInt("end", 0));
  EXPECT_TRUE(std::isinf(config.GetFloat("Huge", 0)));
  EXPECT_EQ("true\ta\tten\ttrue\n",
            RunStockLua(path, "local c = Config print(c.Tricky == '" +
                                  LuaPlus::EscapeString(tricky) +
                                  "', c.Nested.Deeper[1], c[10], c.Nested.Deeper.b)"));
}

TEST(ConfigFileTest, LoadReplacesTheStateAndKeepsOnlyTheFile) {
  ScratchDir dir;
  std::string path = dir.Write("vantor.lua", "Config = 5");
  config::ConfigFile config;
  EXPECT_EQ(3, config.GetInt("A", 3));  // no state yet
  EXPECT_FALSE(config.SetInt("A", 4));
  config.Load(path);
  EXPECT_TRUE(config.SetInt("A", 4));
  EXPECT_EQ(4, config.GetInt("A", 0));
  config.Load(path);
  EXPECT_EQ(0, config.GetInt("A", 0));
}

// The file leaves finalizers behind that raise errors; the settings read
// afterwards allocate enough for the collector to reach them.
TEST(ConfigFileTest, AFileWhoseGarbageFailsToFinalizeCannotStopTheProgram) {
  ScratchDir dir;
  std::string path = dir.Write("vantor.lua",
                               "Config = { AppName = 'kept' }\n"
                               "local junk = {}\n"
                               "for i = 1, 50 do junk[i] = setmetatable({}, { __gc = function() error('no') end }) end\n");
  config::ConfigFile config;
  config.Load(path);
  for (int i = 0; i < 20000; ++i) {
    const std::string key = "Setting" + std::to_string(i);
    EXPECT_EQ(config.GetString(key, key + " has a default long enough to be collected"),
              key + " has a default long enough to be collected");
  }
  EXPECT_EQ(config.GetString("AppName", "none"), "kept");
}

TEST(ConfigFileTest, UnwritableFileIsReported) {
  ScratchDir dir;
  config::ConfigFile config;
  config.Load(dir.Path("missing/folder/vantor.lua"));
  LogCapture log;
  config.Save();
  EXPECT_TRUE(log.Has("Failed to save Config file saved  [MSG_ERROR]"));
}

TEST(ConfigFileTest, ScriptsReachTheSharedConfiguration) {
  std::string path = std::string(VANTOR_BINARY_DIR) + "/config_file_test_shared.lua";
  std::remove(path.c_str());
  config::GetConfig().Load(path);
  LuaPlus::LuaState* state = script::CreateLuaState();
  luabind::module(state->GetCState())[luabind::class_<math::Vec3>("Vec3")
                                          .def(luabind::constructor<float, float, float>())
                                          .def_readwrite("y", &math::Vec3::y)];
  config::ConfigFile::RegisterLua(state);
  ASSERT_EQ(0, state->DoString("local c = GetConfig() "
                               "c:SetInt('Int', 2.9) c:SetString('Name', 'x') "
                               "c:SetVector('V', Vec3(1, 2, 3)) "
                               "y = c:GetVector('V', Vec3(0, 0, 0)).y "
                               "n = c:GetInt('Neg', -2.9)"));
  EXPECT_EQ(2, config::GetConfig().GetInt("Int", 0));
  EXPECT_EQ("x", config::GetConfig().GetString("Name", ""));
  EXPECT_EQ(2, script::ReadInt(state->GetGlobals(), "y", 0));
  EXPECT_EQ(-2, script::ReadInt(state->GetGlobals(), "n", 0));
  LuaPlus::LuaState::Destroy(state);
}

}  // namespace
