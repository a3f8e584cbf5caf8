#include "core/files/vfs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "core/files/loose_path.h"
#include "core/files/vfs_test_support.h"

namespace {
using namespace vfs_test;

Bytes Content(const vfs::FileData& file) { return Bytes(file.data, file.data + file.size); }

TEST(VfsTest, LoadsLooseFilesWhole) {
  ScratchDir dir;
  const std::string text = dir.Write("notes.txt", Text("line one\nline two"));
  const std::string empty = dir.Write("empty.txt", {});
  vfs::VFS vfs;
  vfs::FileData file;
  ASSERT_TRUE(vfs.LoadFile(text, file));
  EXPECT_EQ(file.name, text);
  EXPECT_EQ(Content(file), Text("line one\nline two"));
  ASSERT_TRUE(vfs.LoadFile(empty, file));
  EXPECT_EQ(file.size, 0u);
  EXPECT_NE(file.data, nullptr);
}

TEST(VfsTest, MissingFileLogsOneErrorAndLeavesTheRecord) {
  ScratchDir dir;
  const std::string kept = dir.Write("kept.txt", Text("kept"));
  const std::string missing = dir.Path() + "/missing.lua";
  vfs::VFS vfs;
  vfs::FileData file;
  ASSERT_TRUE(vfs.LoadFile(kept, file));
  LogCapture log;
  EXPECT_FALSE(vfs.LoadFile(missing, file));
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_NE(log.Lines()[0].find("Couldn't find file " + missing + " in archives  [MSG_ERROR]"), std::string::npos);
  EXPECT_EQ(file.name, kept);
  EXPECT_EQ(Content(file), Text("kept"));
}

TEST(VfsTest, LooseReadsIgnoreCaseAndAcceptBackslashes) {
  ScratchDir dir;
  dir.Write("Scripts/Sub/Console.LUA", Text("lua"));
  const std::string base = dir.Path() + "/";
  const std::string found[] = {"Scripts/Sub/Console.LUA", "scripts/sub/console.lua", "SCRIPTS\\SUB\\CONSOLE.lua",
                               "scripts//Sub/./console.lua", "scripts\\sub/CONSOLE.LUA"};
  vfs::VFS vfs;
  for (const std::string& name : found) {
    SCOPED_TRACE(name);
    vfs::FileData file;
    ASSERT_TRUE(vfs.LoadLocal(base + name, file));
    EXPECT_EQ(file.name, base + name);
    EXPECT_EQ(Content(file), Text("lua"));
    EXPECT_EQ(vfs.GetFilePath(base + name), base + "Scripts/Sub/Console.LUA");
  }
  for (const std::string name : {"scripts/console.lua", "scripts/sub/console.lua/x", "scripts/sub/console.lu"}) {
    SCOPED_TRACE(name);
    vfs::FileData file;
    EXPECT_FALSE(vfs.LoadLocal(base + name, file));
    EXPECT_EQ(vfs.GetFilePath(base + name), base + name);
  }
}

TEST(VfsTest, ResolverPrefersTheExactNameThenTheSmallestVariant) {
  ScratchDir dir;
  for (const char* name : {"b.txt", "B.txt", "b.TXT"}) dir.Write(name, Text(name));
  const std::string base = dir.Path() + "/";
  EXPECT_EQ(vfs::ResolveLoosePath(base + "b.TXT"), base + "b.TXT");
  EXPECT_EQ(vfs::ResolveLoosePath(base + "B.TXT"), base + "B.txt");
}

TEST(VfsTest, ResolvesRelativeToTheCurrentFolder) {
  ScratchDir dir;
  dir.Write("Ui/Loading.ui", Text("Panel = {}"));
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  vfs::FileData file;
  const bool loaded = vfs::VFS().LoadFile("ui\\loading.UI", file);
  const std::string path = vfs::ResolveLoosePath("UI/LOADING.UI");
  ASSERT_EQ(::chdir(previous), 0);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(path, "Ui/Loading.ui");
}

TEST(VfsTest, RefusesWhatIsNotARegularFileReadWhole) {
  ScratchDir dir;
  dir.Write("folder/inside.txt", Text("x"));
  vfs::VFS vfs;
  vfs::FileData file;
  EXPECT_FALSE(vfs.LoadLocal(dir.Path() + "/folder", file));
  EXPECT_EQ(file.data, nullptr);

  // Kernel attribute files claim a page but hold a few bytes: a short read.
  const char* shortFile = "/sys/kernel/mm/transparent_hugepage/enabled";
  if (!std::ifstream(shortFile)) GTEST_SKIP() << "no short-reading file here";
  LogCapture log;
  EXPECT_FALSE(vfs.LoadLocal(shortFile, file));
  EXPECT_EQ(file.data, nullptr);
  ASSERT_EQ(log.At(MSG_ERROR).size(), 1u);
  EXPECT_NE(log.At(MSG_ERROR)[0].find("Unable to read file " + std::string(shortFile) + " whole"),
            std::string::npos);
}

TEST(VfsTest, MountedArchivesComeFirstInMountingOrder) {
  ScratchDir dir;
  const std::string shared = dir.Write("Scripts/Shared.lua", Text("loose shared"));
  const std::string loose = dir.Write("loose.lua", Text("loose only"));
  const std::string first = dir.Write(
      "first.arc", CraftedArchive{{Plain(shared, Text("first shared")), Packed(dir.Path() + "/one.lua", Text("one"))}}
                       .Build());
  const std::string second = dir.Write(
      "second.arc", CraftedArchive{{Plain(shared, Text("second shared")), Plain(dir.Path() + "/two.lua", Text("two"))}}
                        .Build());
  vfs::VFS vfs;
  vfs.AddArchive(first);
  vfs.AddArchive(second);
  const std::pair<std::string, std::string> cases[] = {
      {shared, "first shared"},
      {dir.Path() + "/SCRIPTS/SHARED.LUA", "first shared"},  // archive keys ignore case
      {dir.Path() + "/two.lua", "two"},
      {loose, "loose only"},
  };
  for (const auto& [path, content] : cases) {
    SCOPED_TRACE(path);
    vfs::FileData file;
    ASSERT_TRUE(vfs.LoadFile(path, file));
    EXPECT_EQ(file.name, path);
    EXPECT_EQ(Content(file), Text(content));
  }
}

TEST(VfsTest, BackslashNamesADifferentArchiveEntry) {
  ScratchDir dir;
  vfs::VFS vfs;
  vfs.AddArchive(dir.Write("a.arc", CraftedArchive{{Plain("scripts/x.lua", Text("x"))}}.Build()));
  vfs::FileData file;
  EXPECT_TRUE(vfs.LoadFile("SCRIPTS/X.LUA", file));
  LogCapture log;
  EXPECT_FALSE(vfs.LoadFile("scripts\\x.lua", file));
}

TEST(VfsTest, FileExtensionIsTheLowerCasedThreeCharactersAfterTheLastDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"music/theme.ogg", "ogg"}, {"ui_img/Title.JPEG", "jpe"}, {"scripts/readme", ""},
      {"data.old/readme", "old"}, {"a.B", "b"},                 {"trailing.", ""},
  };
  for (const auto& [path, extension] : cases) EXPECT_EQ(vfs::GetFileExtension(path), extension) << path;
}

}  // namespace
