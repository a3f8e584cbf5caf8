#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/window/win32_testing.h"
#include "swf/base/file_object.h"
#include "swf/base/random_generator.h"
#include "swf/base/timer.h"
#include "swf/base/utf8.h"
#include "swf/player_log_capture.h"
#include "temp_folder.h"

namespace {

TEST(PlayerRandom, FirstResultsOfANewGenerator) {
  swf::random_generator generator;
  EXPECT_EQ(generator.next(), 3168642946u);
  EXPECT_EQ(generator.next(), 3180673740u);
  EXPECT_EQ(generator.next(), 3939981913u);
}

TEST(PlayerUtf8, Decodes) {
  struct Case {
    const char* bytes;
    uint32_t code_point;
    int moved;
  };
  const Case cases[] = {
      {"\xC3\xA9", 0xE9, 2},  {"\xC0\x80", 0xFFFD, 2},         {"\xE2\x82", 0, 2},
      {"\x80", 0xFFFD, 1},    {"A", 'A', 1},                    {"", 0, 0},
      {"\xC3" "A", 0xFFFD, 1}, {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4}, {"\xED\xA0\x80", 0xFFFD, 3},
      {"\xEF\xBF\xBF", 0xFFFD, 3}, {"\xFE", 0xFFFD, 1},
  };
  for (const Case& c : cases) {
    const char* p = c.bytes;
    EXPECT_EQ(swf::utf8_decode_next(&p), c.code_point) << c.bytes;
    EXPECT_EQ(p - c.bytes, c.moved) << c.bytes;
  }
}

TEST(PlayerUtf8, Encodes) {
  struct Case {
    uint32_t code_point;
    std::string bytes;
  };
  const Case cases[] = {{0x41, "A"},
                        {0xE9, "\xC3\xA9"},
                        {0x20AC, "\xE2\x82\xAC"},
                        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
                        {0x3FFFFFF, "\xFB\xBF\xBF\xBF\xBF"},
                        {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
                        {0x80000000u, ""}};
  for (const Case& c : cases) {
    char buffer[8] = {};
    int index = 1;
    swf::utf8_encode(buffer, &index, c.code_point);
    EXPECT_EQ(std::string(buffer + 1, static_cast<size_t>(index - 1)), c.bytes) << c.code_point;
  }
}

TEST(PlayerFile, ReadsSeeksAndClosesAFile) {
  TempFolder folder;
  const std::string path = (folder.Path() / "data.bin").string();
  FILE* out = std::fopen(path.c_str(), "wb");
  std::fputs("\x01\x02\x03\x04xyz", out);
  std::fclose(out);

  swf::file_object* file = swf::file_object::open(path.c_str(), "rb");
  ASSERT_FALSE(file->error());
  char head[2];
  EXPECT_EQ(file->read(head, 2), 2);
  EXPECT_EQ(head[1], 2);
  EXPECT_EQ(file->tell(), 2);
  EXPECT_EQ(file->seek(4), 0);
  char text[8] = {};
  EXPECT_EQ(file->read(text, 8), 3);
  EXPECT_STREQ(text, "xyz");
  EXPECT_TRUE(file->at_end());
  EXPECT_EQ(file->seek(0), 0);
  EXPECT_FALSE(file->at_end()) << "seeking clears the end state";
  EXPECT_EQ(file->close(), 0);
  EXPECT_EQ(file->read(text, 1), 0);
  EXPECT_EQ(file->close(), 0);
  delete file;
}

TEST(PlayerFile, AMissingFileHasItsErrorSetAndDoesNothing) {
  swf::file_object* file = swf::file_object::open("/nonexistent/folder/movie.swf", "rb");
  EXPECT_TRUE(file->error());
  char byte;
  EXPECT_EQ(file->read(&byte, 1), 0);
  EXPECT_EQ(file->close(), 0);
  delete file;
}

TEST(PlayerLog, PassesTextsCutTo499Bytes) {
  swf::log_message("dropped without a handler\n");
  PlayerLogCapture log;
  swf::log_message("%s %d\n", "frame", 3);
  swf::log_error("%s", std::string(600, 'x').c_str());
  ASSERT_EQ(log.Lines().size(), 2u);
  EXPECT_FALSE(log.Lines()[0].error);
  EXPECT_EQ(log.Lines()[0].text, "frame 3\n");
  EXPECT_TRUE(log.Lines()[1].error);
  EXPECT_EQ(log.Lines()[1].text, std::string(499, 'x'));
}

class PlayerTimer : public ::testing::Test {
 protected:
  ~PlayerTimer() override { platform::testing::UseRealPerformanceCounter(); }
  static void SetSeconds(double seconds) {
    platform::testing::SetPerformanceCounter(static_cast<int64_t>(seconds * 1e9));
  }
};

TEST_F(PlayerTimer, FiresAfterItsIntervalAndRestarts) {
  SetSeconds(10);
  swf::Timer timer(0.5, 10);
  SetSeconds(10.5);
  EXPECT_FALSE(timer.expired());
  SetSeconds(10.75);
  EXPECT_TRUE(timer.expired());
  EXPECT_DOUBLE_EQ(timer.start(), 10.75);
  EXPECT_FALSE(timer.expired());

  swf::Timer stopped(0.5, 0);
  SetSeconds(100);
  EXPECT_FALSE(stopped.expired());
}

TEST_F(PlayerTimer, AStartInTheFutureFiresAtOnceAndRestartsFromNow) {
  PlayerLogCapture log;
  SetSeconds(5);
  swf::Timer timer(1, 8);
  EXPECT_TRUE(timer.expired());
  EXPECT_DOUBLE_EQ(timer.start(), 5);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0].text,
            "Timer::expired - now (5.000000) is before start (8.000000)!\n     Expiring right now.\n");
}

}  // namespace
