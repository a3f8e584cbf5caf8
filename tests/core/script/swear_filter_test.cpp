#include "core/script/swear_filter.h"

#include "core/script/lua_test_support.h"

namespace {

using testsupport::LogCapture;
using testsupport::ScratchDir;

const char* const kList =
    "Swear = {\n"
    "  { From = { 'darn', 'dang' }, To = '***' },\n"
    "  { From = 'h?ck', To = '#' },\n"
    "  { From = 'gosh' },\n"
    "  { From = 'ass', To = 'class' },\n"
    "  { From = '', To = 'never' },\n"
    "  { From = { '', 5, '' }, To = 'never' },\n"
    "  'not a table',\n"
    "  { From = '\xc3\xa9t\xc3\xa9', To = 'summer' },\n"
    "}\n";

class SwearFilterTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(filter_.Load(dir_.Write("swear.lua", kList))); }
  ScratchDir dir_;
  SwearFilter filter_;
};

TEST_F(SwearFilterTest, ReplacesListedWords) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"Darn it, DANG!", "*** it, ***!"},
      {"hack HECK hick", "# # #"},
      {"oh gosh", "oh -"},
      {"h", "h"},                       // shorter than every pattern
      {"bass", "bclass"},               // a replacement holding its own word ends
      {"ASS ass", "class class"},
      {"\xc3\xa9t\xc3\xa9", "summer"},  // UTF-8 words
      {"\xc3\x89T\xc3\x89", "\xc3\x89T\xc3\x89"},  // only ASCII letters fold case
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.out, filter_.Filter(c.in)) << c.in;
}

TEST_F(SwearFilterTest, FindMatchGivesTheFirstStartOrTheEnd) {
  struct Case { std::u16string text, pattern; size_t expected; } cases[] = {
      {u"xxHeCk", u"h?ck", 2}, {u"hck", u"h?ck", 3}, {u"abc", u"", 3}, {u"aXa", u"a", 0}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, SwearFilter::FindMatch(c.text, c.pattern));
}

TEST(SwearFilterLoadTest, MissingFilesAndOddTablesLeaveTextAlone) {
  ScratchDir dir;
  SwearFilter filter;
  {
    LogCapture log;
    EXPECT_FALSE(filter.Load(dir.Path("none.lua")));
    EXPECT_TRUE(log.Has("Unable to load swear words " + dir.Path("none.lua") + "!  [MSG_ERROR]"));
  }
  EXPECT_TRUE(filter.Load(dir.Write("odd.lua", "Swear = 5")));
  EXPECT_EQ("darn", filter.Filter("darn"));
  EXPECT_EQ("darn", GetSwearFilter().Filter("darn"));
}

}  // namespace
