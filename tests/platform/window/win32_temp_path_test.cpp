// The temporary folder: $TMPDIR when set, else the C library's, always
// ending in a slash so that a file name can follow.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <string>

#include "platform/window/win32.h"

namespace {

class TempPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    had_ = old != nullptr;
    if (had_) old_ = old;
  }
  void TearDown() override {
    if (had_) {
      setenv("TMPDIR", old_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  bool had_ = false;
  std::string old_;
};

TEST_F(TempPathTest, EndsInASlashWhereverItComesFrom) {
  const std::string fallback = std::string(P_tmpdir).back() == '/' ? P_tmpdir : std::string(P_tmpdir) + "/";
  const struct {
    const char* tmpdir;  // null: unset
    std::string path;
  } cases[] = {
      {"/var/scratch", "/var/scratch/"}, {"/var/scratch/", "/var/scratch/"}, {"", fallback}, {nullptr, fallback}};
  for (const auto& c : cases) {
    if (c.tmpdir) {
      setenv("TMPDIR", c.tmpdir, 1);
    } else {
      unsetenv("TMPDIR");
    }
    EXPECT_EQ(GetTempPath(), c.path) << (c.tmpdir ? c.tmpdir : "(unset)");
  }
}

}  // namespace
