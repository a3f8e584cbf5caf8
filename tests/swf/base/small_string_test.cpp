#include "swf/base/small_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using swf::small_string;

bool TextIsInline(const small_string& s) {
  const char* text = s.c_str();
  const char* body = reinterpret_cast<const char*>(&s);
  return text >= body && text < body + sizeof s;
}

TEST(SmallString, FourteenCharactersStayInlineFifteenMoveToTheHeapAndBack) {
  small_string s(std::string(14, 'a').c_str());
  EXPECT_TRUE(TextIsInline(s));
  EXPECT_FALSE(s.is_heap());
  EXPECT_EQ(s.length(), 14);

  s.append_char('b');
  EXPECT_TRUE(s.is_heap());
  EXPECT_FALSE(TextIsInline(s));
  EXPECT_EQ(s.capacity(), 16);
  EXPECT_EQ(std::string(s.c_str()), std::string(14, 'a') + "b");
  s.append_char('c');
  EXPECT_EQ(s.capacity(), 32);

  s.resize(14);
  EXPECT_FALSE(s.is_heap());
  EXPECT_TRUE(TextIsInline(s));
  EXPECT_EQ(std::string(s.c_str()), std::string(14, 'a'));

  small_string copy = small_string(std::string(40, 'x').c_str());
  small_string other;
  other = copy;
  EXPECT_EQ(other, copy);
  EXPECT_NE(other.c_str(), copy.c_str());
  other = other.c_str() + 30;  // assigning a piece of itself
  EXPECT_EQ(std::string(other.c_str()), std::string(10, 'x'));
}

TEST(SmallString, AppendsTextAndCodePoints) {
  small_string s("ab");
  s.append("cdefghijklmnopq");
  s.append_code_point(0xE9);
  EXPECT_EQ(std::string(s.c_str()), "abcdefghijklmnopq\xC3\xA9");
  s.append(s.c_str());
  EXPECT_EQ(s.length(), 38);
}

TEST(SmallString, WideTextJoinsSurrogatePairsAndReplacesLoneHalves) {
  small_string s;
  const char16_t text[] = {u'A', 0xD83D, 0xDE00, 0xE9, 0xDC00, u'B', 0xD800, 0};
  s.assign_wide(text);
  EXPECT_EQ(std::string(s.c_str()), "A\xF0\x9F\x98\x80\xC3\xA9\xEF\xBF\xBD" "B\xEF\xBF\xBD");
  EXPECT_EQ(s.utf8_length(), 6);
  EXPECT_EQ(s.utf8_char_at(1), 0x1F600u);
}

TEST(SmallString, Utf8Operations) {
  const small_string s("\xC3\xA9t\xC3\xA9");  // three characters, five bytes
  EXPECT_EQ(small_string::utf8_length(s.c_str(), 5), 3);
  EXPECT_EQ(small_string::utf8_length(s.c_str(), 2), 1);
  EXPECT_EQ(small_string::utf8_length(s.c_str(), 0), 0);
  EXPECT_EQ(s.utf8_char_at(2), 0xE9u);
  EXPECT_EQ(s.utf8_char_at(3), 0u);

  struct Case {
    int start, end;
    const char* expected;
  };
  for (const Case& c : {Case{2, 2, ""}, Case{1, 100, "t\xC3\xA9"}, Case{0, 1, "\xC3\xA9"}, Case{5, 9, ""},
                        Case{3, 4, ""}, Case{2, 1, ""}})
    EXPECT_EQ(std::string(s.utf8_substring(c.start, c.end).c_str()), c.expected) << c.start << ".." << c.end;

  const small_string mixed("\xC3\xA9t\xC3\xA9 Caf\xC3\xA9 z");
  EXPECT_EQ(std::string(mixed.utf8_to_upper().c_str()), "\xC3\xA9T\xC3\xA9 CAF\xC3\xA9 Z");
  EXPECT_EQ(std::string(mixed.utf8_to_lower().c_str()), "\xC3\xA9t\xC3\xA9 caf\xC3\xA9 z");
}

}  // namespace
