// Runs the vantor-arc tool against a second, independent implementation of
// the archive format (a Python script in the test data).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/files/vfs_test_support.h"

namespace {
using namespace vfs_test;
namespace fs = std::filesystem;

int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::string Tool() { return std::string(VANTOR_BINARY_DIR) + "/vantor-arc"; }
std::string Independent() { return std::string("python3 ") + VANTOR_TEST_DATA + "/cras_archive.py"; }

// Every regular file below `root`, by relative name.
std::map<std::string, Bytes> Tree(const std::string& root) {
  std::map<std::string, Bytes> files;
  for (const auto& item : fs::recursive_directory_iterator(root))
    if (item.is_regular_file()) files[fs::relative(item.path(), root).generic_string()] = ReadWhole(item.path().string());
  return files;
}

class VantorArcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Tool())) << "build the vantor-arc target first";
    dir.Write("content/scripts/console.lua", Text("dofile('scripts/ui.lua')\n"));
    dir.Write("content/Ui_Img/Title.PNG", Noise(40000, 5));
    dir.Write("content/ui/loading.ui", Text(std::string(30000, 'u')));
    dir.Write("content/sounds/empty.ogg", {});
    dir.Write("content/deep/er/still/x.dat", Noise(16385, 6));
  }
  std::string At(const std::string& name) const { return dir.Path() + "/" + name; }
  ScratchDir dir;
};

TEST_F(VantorArcTest, ExtractsAnIndependentlyWrittenArchiveByteExact) {
  ASSERT_EQ(Shell(Independent() + " write " + At("content") + " " + At("other.arc")), 0);
  ASSERT_EQ(Shell(Tool() + " extract " + At("other.arc") + " " + At("out")), 0);
  EXPECT_EQ(Tree(At("out")), Tree(At("content")));
}

TEST_F(VantorArcTest, PacksWhatTheIndependentReaderReadsByteExact) {
  ASSERT_EQ(Shell(Tool() + " pack " + At("content") + " " + At("content/zev.arc")), 0);
  ASSERT_EQ(Shell(Independent() + " read " + At("content/zev.arc") + " " + At("out")), 0);
  std::map<std::string, Bytes> packed = Tree(At("content"));
  packed.erase("zev.arc");  // the archive does not pack itself
  EXPECT_EQ(Tree(At("out")), packed);
  EXPECT_EQ(Shell(Tool() + " list " + At("content/zev.arc")), 0);
}

TEST_F(VantorArcTest, LeavesOutWhatTheGameWritesAtRunTime) {
  const std::map<std::string, Bytes> content = Tree(At("content"));
  dir.Write("content/screenshot_20260101_120000_001.bmp", Noise(3000, 7));
  dir.Write("content/mini_screenshot_20260101_120000_002.bmp", Noise(800, 8));
  dir.Write("content/memory.log", Text("Memory report"));
  dir.Write("content/profile.csv", Text("name,calls"));
  dir.Write("content/ui_img/screenshot_frame.png", Noise(500, 9));  // content that only looks alike
  ASSERT_EQ(Shell(Tool() + " pack " + At("content") + " " + At("v.arc")), 0);
  ASSERT_EQ(Shell(Tool() + " extract " + At("v.arc") + " " + At("out")), 0);
  std::map<std::string, Bytes> expected = content;
  expected["ui_img/screenshot_frame.png"] = Noise(500, 9);
  EXPECT_EQ(Tree(At("out")), expected);
}

TEST_F(VantorArcTest, RefusesCaseVariantNamesWhenPacking) {
  dir.Write("content/scripts/CONSOLE.lua", Text("shadowed"));
  EXPECT_NE(Shell(Tool() + " pack " + At("content") + " " + At("v.arc")), 0);
}

TEST_F(VantorArcTest, ExtractKeepsEntriesInsideTheTargetFolder) {
  const std::string arc = dir.Write(
      "escape.arc", CraftedArchive{{Plain("../escaped.txt", Text("out")), Plain(At("absolute.txt"), Text("abs")),
                                    Plain("fine/inside.txt", Text("in"))}}
                        .Build());
  EXPECT_NE(Shell(Tool() + " extract " + arc + " " + At("target")), 0);
  EXPECT_FALSE(fs::exists(At("escaped.txt")));
  EXPECT_FALSE(fs::exists(At("absolute.txt")));
  EXPECT_EQ(Tree(At("target")), (std::map<std::string, Bytes>{{"fine/inside.txt", Text("in")}}));
}

TEST_F(VantorArcTest, RefusesBadUsageAndUnreadableArchives) {
  EXPECT_NE(Shell(Tool()), 0);
  EXPECT_NE(Shell(Tool() + " list " + At("missing.arc")), 0);
  EXPECT_NE(Shell(Tool() + " pack " + At("missing") + " " + At("x.arc")), 0);
}

}  // namespace
