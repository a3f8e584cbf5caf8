#include "core/text/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf, RoundTripsOutsideTheBasicPlane) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"Vantor", u"Vantor"},
      {"caf\xC3\xA9", u"caf\u00E9"},
      {"\xE2\x82\xAC 5", u"\u20AC 5"},
      {"\xF0\x9F\x98\x80!", u"\U0001F600!"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"\xF0\x90\x80\x80\xEF\xBF\xBF", u"\U00010000\uFFFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(lang::UTF8ToWide(c.utf8), c.utf16);
    EXPECT_EQ(lang::WideToUTF8(c.utf16), c.utf8);
  }
  EXPECT_EQ(std::u16string(u"\U0001F600").size(), 2u);
}

TEST(Utf, MalformedTextBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"a\x80z", u"a\uFFFDz"},                   // stray continuation byte
      {"\xC3", u"\uFFFD"},                        // cut short at the end
      {"\xE2\x82z", u"\uFFFDz"},                  // cut short inside
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},    // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(lang::UTF8ToWide(c.utf8), c.utf16);
  }
  EXPECT_EQ(lang::WideToUTF8(u"a\xD800z"), "a\xEF\xBF\xBDz");  // lone high surrogate
  EXPECT_EQ(lang::WideToUTF8(u"\xDC00"), "\xEF\xBF\xBD");      // lone low surrogate
  EXPECT_EQ(lang::WideToUTF8(std::u16string(1, 0xD83D)), "\xEF\xBF\xBD");
}

TEST(Utf, TextEndsAtItsFirstNul) {
  EXPECT_EQ(lang::UTF8ToWide(std::string("ab\0cd", 5)), u"ab");
  EXPECT_EQ(lang::WideToUTF8(std::u16string(u"ab\0cd", 5)), "ab");
}

TEST(Utf, LongTextIsCutAtACharacterBoundary) {
  // 1022 units then a pair: the pair does not fit in 1023 units.
  std::string utf8(1022, 'x');
  utf8 += "\xF0\x9F\x98\x80 tail";
  const std::u16string wide = lang::UTF8ToWide(utf8);
  EXPECT_EQ(wide, std::u16string(1022, u'x'));
  EXPECT_EQ(lang::UTF8ToWide(std::string(5000, 'y')).size(), lang::kMaxWideUnits);

  // 511 two-byte characters fill 1022 bytes; the next one would need 1024.
  const std::u16string accents(600, u'\u00E9');
  const std::string narrow = lang::WideToUTF8(accents);
  EXPECT_EQ(narrow.size(), 1022u);
  EXPECT_EQ(lang::UTF8ToWide(narrow), std::u16string(511, u'\u00E9'));
  EXPECT_EQ(lang::WideToUTF8(std::u16string(1020, u'z')).size(), 1020u);
  // A text longer than 1024 units is first cut to 1014 without splitting a pair.
  EXPECT_EQ(lang::WideToUTF8(std::u16string(2000, u'z')).size(), 1014u);
  std::u16string pairs(1013, u'z');
  pairs += u"\U0001F600";
  pairs += std::u16string(100, u'z');
  EXPECT_EQ(lang::WideToUTF8(pairs), std::string(1013, 'z'));
}

TEST(Utf, CodecTakesAnyLimit) {
  const std::string text = "\xF0\x9F\x98\x80\xF0\x9F\x98\x80";
  EXPECT_EQ(lang::Utf8ToUtf16(text, 3), u"\U0001F600");
  EXPECT_EQ(lang::Utf8ToUtf16(text, 4), u"\U0001F600\U0001F600");
  EXPECT_EQ(lang::Utf16ToUtf8(u"\U0001F600\U0001F600", 7), "\xF0\x9F\x98\x80");
  EXPECT_EQ(lang::Utf8ToUtf16(std::string(3000, 'a'), std::string::npos).size(), 3000u);
}

}  // namespace
