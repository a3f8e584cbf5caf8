#include "core/log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/window/win32_testing.h"
#include "read_file.h"

namespace {

std::vector<std::string> g_hooked;
void Hook(const char* text) { g_hooked.emplace_back(text); }

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    g_hooked.clear();
    platform::testing::SetDebugOutputSink([this](const char* text) { debug_ += text; });
  }
  void TearDown() override {
    platform::testing::SetDebugOutputSink(nullptr);
    std::remove(path_.c_str());
  }
  std::string path_;
  std::string debug_;
};

TEST_F(LogTest, LinesCarryPrefixAndTagExactly) {
  {
    Log log;
    log.Open(path_.c_str(), false);
    log.BeginLine(MSG_ERROR, "src/x.cpp", 42);
    log.Write("100% %s %d done");
    log.EndLine();
    log.BeginLine(MSG_SCRIPT, "src/x.cpp", 43);
    log.Write("hello");
    log.EndLine();
    log.BeginLine(9, "a.cpp", 1);
    log.Write("odd");
    log.EndLine();
    log.BeginLine(MSG_INIT, "b.cpp", 7);
    log.WriteString("Deleting profile ").WriteInt(3).WriteString(", ").WriteInt(2).WriteString(" profiles left");
    log.EndLine();
    log.prefix = false;
    log.BeginLine(MSG_INIT, "c.cpp", 9);
    log.Write("abc");
    log.EndLine();
  }
  EXPECT_EQ(ReadFile(path_),
            "src/x.cpp(42)> 100% %s %d done  [MSG_ERROR]\n"
            "hello  [MSG_SCRIPT]\n"
            "a.cpp(1)> odd  [MSG_UNKNOWN]\n"
            "b.cpp(7)> Deleting profile 3, 2 profiles left  [MSG_INIT]\n"
            "abc \n");
}

TEST_F(LogTest, LineBeforeOpenReachesHookAndDebuggerButNotFile) {
  Log log;
  log.SetHook(Hook);
  log.BeginLine(MSG_WARNING, "f.cpp", 2);
  log.Write("early");
  log.EndLine();
  log.Open(path_.c_str(), false);
  log.BeginLine(MSG_WARNING, "f.cpp", 3);
  log.Write("late");
  log.EndLine();
  log.Close();
  ASSERT_EQ(g_hooked.size(), 2u);
  EXPECT_EQ(g_hooked[0], "f.cpp(2)> early  [MSG_WARNING]\n");
  EXPECT_EQ(debug_, "f.cpp(2)> early  [MSG_WARNING]\nf.cpp(3)> late  [MSG_WARNING]\n");
  EXPECT_EQ(ReadFile(path_), "f.cpp(3)> late  [MSG_WARNING]\n");
}

TEST_F(LogTest, OpeningTwiceWarnsAndKeepsTheFirstFile) {
  const std::string other = path_ + ".other";
  {
    Log log;
    log.Open(path_.c_str(), false);
    log.Open(other.c_str(), false);
  }
  EXPECT_NE(ReadFile(path_).find("Log already open.. why are you trying to open again?  [MSG_WARNING]\n"),
            std::string::npos);
  EXPECT_EQ(ReadFile(other), "");
}

TEST_F(LogTest, PiecesLongerThanTheBufferArriveWholeAndInOrder) {
  const std::string big(3 * Log::kBufferSize, 'x');
  {
    Log log;
    log.flushEachLine = false;  // lines collect until a piece no longer fits
    log.Open(path_.c_str(), false);
    log.BeginLine(MSG_COMMENT, "g.cpp", 5);
    log.Write("head ");
    log.Write(big.c_str());
    log.Write(" tail");
    log.EndLine();
  }
  EXPECT_EQ(ReadFile(path_), "g.cpp(5)> head " + big + " tail  [MSG_COMMENT]\n");
}

TEST_F(LogTest, FlushOutsideALineGoesEverywhereWithoutCrashing) {
  Log log;
  log.SetHook(Hook);
  log.flushEachLine = false;
  log.Write("loose text");
  log.Flush();
  ASSERT_EQ(g_hooked.size(), 1u);
  EXPECT_EQ(g_hooked[0], "loose text");
}
}  // namespace

namespace {
TEST(LogSharingTest, ASecondWriterOfTheSameFileKeepsItsLines) {
  const std::string path = ::testing::TempDir() + "shared_log_test.log";
  Log first;
  first.Open(path.c_str(), false);
  first.BeginLine(MSG_INIT, "a.cpp", 1);
  first.Write("first copy starting with a long line that the second copy will not reach");
  first.EndLine();
  {
    Log second;
    second.Open(path.c_str(), false);  // starts the file afresh, as a refused copy does
    second.BeginLine(MSG_FATAL, "b.cpp", 2);
    second.Write("second");
    second.EndLine();
  }
  first.BeginLine(MSG_INIT, "a.cpp", 3);
  first.Write("first again");
  first.EndLine();
  first.Close();
  EXPECT_EQ(ReadFile(path), "b.cpp(2)> second  [MSG_FATAL]\na.cpp(3)> first again  [MSG_INIT]\n");
  std::remove(path.c_str());
}
}  // namespace
