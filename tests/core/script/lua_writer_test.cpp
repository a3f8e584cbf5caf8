#include "core/script/lua_writer.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "core/script/script_helper.h"
#include "core/script/lua_test_support.h"

namespace {

using testsupport::LogCapture;
using testsupport::RunStockLua;
using testsupport::ScratchDir;

TEST(WriteLuaTest, WritesTheExactLineFormats) {
  ScratchDir dir;
  std::string path = dir.Path("panel.ui");
  {
    WriteLua writer;
    ASSERT_TRUE(writer.Open(path));
    writer.BeginTable("Panel");
    writer.WriteString("Name", "a\"b%d");
    writer.WriteInt("Count", -3);
    writer.WriteFloat("Rate", 1e-7f);
    writer.WriteVec2("Pos", {0.5f, 0.25f});
    writer.WriteVec4("Color", {1, 0, 0.5f, 1});
    writer.BeginTable("-- Child entry");
    writer.PrintLine("{ %f, %d }, ", 1.5, 2);
    writer.EndTable(true);
    writer.BeginTable("");
    writer.Print("%s", "raw");
    writer.EndTable(true);
    writer.EndTable(false);
    writer.EndTable(false);  // already at level 0
    EXPECT_EQ("", writer.GetIndent());
    writer.Close();
  }
  EXPECT_EQ("Panel = \n"
            "{ \n"
            "   Name = \"a\\\"b%d\",\n"
            "   Count = -3,\n"
            "   Rate = 0.000000,\n"
            "   Pos = { 0.500000, 0.250000 },\n"
            "   Color = { 1.000000, 0.000000, 0.500000, 1.000000 },\n"
            "   -- Child entry = \n"
            "   { \n"
            "      { 1.500000, 2 }, \n"
            "   }, \n"
            "   { \n"
            "raw   }, \n"
            "}\n"
            "}\n",
            ReadFile(path));
}

// Short pieces are formatted on the stack and longer ones on the heap: a
// piece of any length around that limit is written whole, as are numbers at
// any depth of tables.
TEST(WriteLuaTest, PiecesOfAnyLengthAreWrittenWhole) {
  ScratchDir dir;
  for (const size_t length : {size_t{0}, size_t{254}, size_t{255}, size_t{256}, size_t{257}, size_t{5000}}) {
    const std::string path = dir.Path("piece.lua");
    const std::string piece(length, 'x');
    {
      WriteLua writer;
      ASSERT_TRUE(writer.Open(path));
      writer.Print("%s", piece.c_str());
      writer.BeginTable("A");
      writer.BeginTable("B");
      writer.WriteInt(piece, 7);
      writer.EndTable(false);
      writer.EndTable(false);
      writer.Close();
    }
    EXPECT_EQ(piece + "A = \n{ \n   B = \n   { \n      " + piece + " = 7,\n   }\n}\n", ReadFile(path)) << length;
  }
}

TEST(WriteLuaTest, WrittenFilesReadBackTheSameValues) {
  const std::string tricky = "C:\\games\\\"vantor\"\nline two\r\t\x01" "7 100%";
  ScratchDir dir;
  std::string path = dir.Path("data.lua");
  {
    WriteLua writer;
    ASSERT_TRUE(writer.Open(path));
    writer.BeginTable("Data");
    writer.WriteString("Text", tricky);
    writer.WriteString("Long", std::string(5000, 'x'));
    writer.WriteWString("Wide", u"\u00e9t\u00e9 \u20ac");
    writer.WriteInt("Int", 42);
    writer.WriteFloat("Third", 1.0f / 3.0f);
    writer.WriteFloat("Inf", -std::numeric_limits<float>::infinity());
    writer.WriteVec2("Pos", {0.5f, -2});
    writer.BeginTable("Children");
    writer.BeginTable("-- Child entry");
    writer.WriteInt("Id", 1);
    writer.EndTable(true);
    writer.EndTable(true);
    writer.EndTable(false);
  }
  EXPECT_EQ("true\t5000\t\xc3\xa9t\xc3\xa9 \xe2\x82\xac\t42\t0.333333\t1\t-inf\n",
            RunStockLua(path, "local d = Data print(d.Text == '" + WriteLua::Escape(tricky) +
                                  "', #d.Long, d.Wide, d.Int, d.Third, d.Children[1].Id, "
                                  "tostring(d.Inf))"));

  LuaPlus::LuaState* state = script::CreateLuaState();
  ASSERT_TRUE(script::LoadScript(state, path));
  {
    LuaPlus::LuaObject data = script::GetGlobalObject(state, "Data");
    EXPECT_EQ(tricky, script::ReadString(data, "Text", ""));
    EXPECT_EQ(42, script::ReadInt(data, "Int", 0));
    EXPECT_FLOAT_EQ(0.333333f, script::ReadFloat(data, "Third", 0));
    EXPECT_EQ(-2.0f, script::ReadVec2(data, "Pos", {}).y);
  }
  LuaPlus::LuaState::Destroy(state);
}

// Makes a locale with a decimal comma current for numbers while alive.
class CommaLocale {
 public:
  explicit CommaLocale(const ScratchDir& dir) {
    const std::string folder = dir.Path("locales");
    std::filesystem::create_directories(folder);
    if (std::system(("localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1").c_str()) != 0)
      return;
    setenv("LOCPATH", folder.c_str(), 1);
    active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  }
  ~CommaLocale() {
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
  }
  bool active() const { return active_; }

 private:
  bool active_ = false;
};

TEST(WriteLuaTest, NumbersKeepTheDecimalPointUnderAnyLocale) {
  ScratchDir dir;
  CommaLocale comma(dir);
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%f", 1.5);
  ASSERT_STREQ("1,500000", probe);

  std::string path = dir.Path("numbers.lua");
  {
    WriteLua writer;
    ASSERT_TRUE(writer.Open(path));
    writer.BeginTable("N");
    writer.WriteFloat("F", 1.5f);
    writer.WriteVec2("V", {0.25f, -2});
    writer.WriteVec4("C", {1, 0.5f, 0, 1});
    writer.PrintLine("P = %f,", 2.75);
    writer.EndTable(false);
  }
  EXPECT_EQ("N = \n"
            "{ \n"
            "   F = 1.500000,\n"
            "   V = { 0.250000, -2.000000 },\n"
            "   C = { 1.000000, 0.500000, 0.000000, 1.000000 },\n"
            "   P = 2.750000,\n"
            "}\n",
            ReadFile(path));
}

TEST(WriteLuaTest, ClosedWriterWritesNothingAndOpenFailuresWarn) {
  ScratchDir dir;
  LogCapture log;
  WriteLua writer;
  writer.BeginTable("Lost");
  writer.WriteInt("Lost", 1);
  EXPECT_EQ("   ", writer.GetIndent());
  EXPECT_FALSE(writer.Open(dir.Path("no/such/folder.lua")));
  EXPECT_TRUE(log.Has("Unable to open WriteLua file at " + dir.Path("no/such/folder.lua")));
  std::string path = dir.Path("one.lua");
  ASSERT_TRUE(writer.Open(path));
  EXPECT_FALSE(writer.Open(dir.Path("two.lua")));
  EXPECT_TRUE(log.Has("WriteLua file already open: unable to open at " + dir.Path("two.lua")));
  writer.Close();
  EXPECT_EQ("", ReadFile(path));
}

}  // namespace
