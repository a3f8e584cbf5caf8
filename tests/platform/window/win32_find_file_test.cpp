#include "platform/window/win32.h"

#include <gtest/gtest.h>

namespace {

TEST(WildcardTest, FollowsTheFindFileRules) {
  struct Case { const char* name; const char* pattern; bool matches; } cases[] = {
      {"level1.lua", "*.lua", true},     {"LEVEL1.LUA", "level?.lua", true},
      {"level10.lua", "level?.lua", false}, {"readme", "*.*", true},
      {"readme", "read*.*", true},       {"readme", "*.lua", false},
      {"a.b.c", "*.c", true},            {"a.b.c", "*.b", false},
      {".", "*", true},                  {"..", "*.*", true},
      {"", "*", true},                   {"abc", "a*b*c*", true},
      {"abd", "a*c", false},             {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.matches, platform::MatchesWildcard(c.name, c.pattern)) << c.name << " " << c.pattern;
}

TEST(WildcardTest, FindHandlesRejectMisuse) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("/no/such/folder/*", &data));
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

}  // namespace
