#include "core/script/file_list.h"

#include <sys/stat.h>

#include "core/script/script_helper.h"
#include "core/script/lua_test_support.h"

namespace {

using script::FileList;
using testsupport::ScratchDir;

std::vector<std::string> Names(const FileList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.GetFileCount(); ++i) names.push_back(list.GetBaseFileName(i));
  return names;
}

// The lists work in the scratch folder with relative patterns: the first
// digits of a path count, and the temporary folder's name may hold some.

TEST(FileListTest, BuildsPathsFromThePatternsFolder) {
  ScratchDir dir(true);
  for (const char* name : {"level1.lua", "level10.lua", "level2.lua", "notes.txt"})
    dir.Write(std::string("levels/") + name, "");
  FileList list;
  list.Build("levels/*.lua");
  ASSERT_EQ(3, list.GetFileCount());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(0u, list.GetFileName(i).find("levels/"));
  list.SortNumber();
  EXPECT_EQ((std::vector<std::string>{"level1", "level2", "level10"}), Names(list));

  list.Build("levels\\*.TXT");  // appends; backslash kept, case ignored
  ASSERT_EQ(4, list.GetFileCount());
  EXPECT_EQ("levels\\notes.txt", list.GetFileName(3));

  list.Reset();
  list.Build("LEVELS/Level1.*");  // the folder is found whatever its case
  ASSERT_EQ(1, list.GetFileCount());
  EXPECT_EQ("LEVELS/level1.lua", list.GetFileName(0));

  list.Reset();
  list.Build("missing/*.*");
  list.Build("levels/*.none");
  EXPECT_EQ(0, list.GetFileCount());
}

TEST(FileListTest, NameAccessorsSplitTheLastDotAndSeparator) {
  ScratchDir dir;
  dir.Write("data/a.b.lua", "");
  dir.Write("data/readme", "");
  dir.Write("v1.2/plain", "");
  FileList list;
  list.Build(dir.Path("data/a*"));
  list.Build(dir.Path("data/r*"));
  list.Build(dir.Path("v1.2/p*"));
  list.Build(dir.Path("data/a.b.lua"));
  struct Case { int index; const char* base; std::string extension; } cases[] = {
      {0, "a.b", "lua"},
      {1, "readme", dir.Path("data/readme")},  // no dot at all: the whole path
      {2, "plain", "2/plain"},                 // the only dot is in the folder
      {-1, "", ""},
      {4, "", ""},
  };
  ASSERT_EQ(4, list.GetFileCount());
  for (const Case& c : cases) {
    EXPECT_EQ(c.base, list.GetBaseFileName(c.index)) << c.index;
    EXPECT_EQ(c.extension, list.GetExtension(c.index)) << c.index;
  }
  EXPECT_EQ("", list.GetFileName(4));
}

TEST(FileListTest, StarDotStarTakesNamesWithoutADotAndTheFolderLinks) {
  ScratchDir dir;
  dir.Write("all/readme", "");
  dir.Write("all/sub/x", "");
  std::string locked = dir.Write("all/locked.txt", "");
  chmod(locked.c_str(), 0444);
  FileList list;
  list.Build(dir.Path("all/*.*"));
  ASSERT_EQ((std::vector<std::string>{"", ".", "locked", "readme", "sub"}), Names(list));
  EXPECT_TRUE(list.IsDirectory(0));
  EXPECT_TRUE(list.IsDirectory(4));
  EXPECT_FALSE(list.IsDirectory(3));
  EXPECT_TRUE(list.IsReadOnly(2));
  EXPECT_FALSE(list.IsReadOnly(3));
  EXPECT_TRUE(list.IsArchive(3));
  EXPECT_FALSE(list.IsHidden(3));
  EXPECT_FALSE(list.IsSystem(3));
  EXPECT_FALSE(list.IsDirectory(99));
}

TEST(FileListTest, SortNumberIsStableAndPutsDigitlessPathsLast) {
  ScratchDir dir(true);
  for (const char* name : {"b", "x007", "a", "n99999999999999999999", "y7", "n100000000000000000000", "z3"})
    dir.Write(std::string("s/") + name, "");
  FileList list;
  list.Build("s/*");
  list.SortNumber();
  // "." and ".." have no digit either; names without digits keep name order.
  EXPECT_EQ((std::vector<std::string>{"z3", "x007", "y7", "n99999999999999999999",
                                      "n100000000000000000000", "", ".", "a", "b"}),
            Names(list));
}

TEST(FileListTest, ScriptsListFoldersThroughSearchDir) {
  ScratchDir dir;
  dir.Write("f/one1.lua", "");
  dir.Write("f/two2.lua", "");
  LuaPlus::LuaState* state = script::CreateLuaState();
  FileList::RegisterLua(state);
  ASSERT_EQ(0, state->DoString(("local l = SearchDir([[" + dir.Path("f/*.lua") + "]]) "
                                "count = l:GetFileC() second = l:GetBaseFileName(1.9) "
                                "ext = l:GetExtension(0) dir = l:IsDirectory(0)")
                                   .c_str()));
  {
    LuaPlus::LuaObject globals = state->GetGlobals();
    EXPECT_EQ(2, script::ReadInt(globals, "count", 0));
    EXPECT_EQ("two2", script::ReadString(globals, "second", ""));
    EXPECT_EQ("lua", script::ReadString(globals, "ext", ""));
    EXPECT_FALSE(script::ReadBool(globals, "dir", true));
  }
  EXPECT_NE(0, state->DoString("FileList()"));  // no constructor for scripts
  LuaPlus::LuaState::Destroy(state);
}

}  // namespace
