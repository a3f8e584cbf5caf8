#include "render/fonts/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every drawn character 10 pixels wide; control characters have no glyph.
struct Laid {
  std::vector<text::Line> lines;
  int count;
};

Laid Layout(const std::u16string& s, int box) {
  GlyphCache::Glyph ten;
  ten.width = 10;
  GlyphCache::Glyph wide;
  wide.width = 50;
  std::vector<const GlyphCache::Glyph*> glyphs;
  for (char16_t c : s) glyphs.push_back(text::IsControlChar(c) ? nullptr : c == u'W' ? &wide : &ten);
  std::vector<text::Line> lines(text::kMaxLines);
  int n = text::BreakLines(s.data(), int(s.size()), glyphs.data(), box, lines.data());
  lines.resize(size_t(n));
  return {lines, n};
}

std::string Describe(const Laid& laid) {
  std::string out;
  for (const text::Line& l : laid.lines)
    out += "[" + std::to_string(l.first) + "," + std::to_string(l.end) + "," + std::to_string(l.width) + "]";
  return out;
}

TEST(TextLayoutTest, LinesBreakAsTheBoxAndControlCharactersSay) {
  struct Case {
    std::u16string text;
    int box;
    std::string lines;
  } cases[] = {
      {u"abc", 100, "[0,3,30]"},
      {u"ab\tc", 100, "[0,4,40]"},         // tab to the next multiple of 30
      {u"abc\td", 100, "[0,5,70]"},        // at 30 the tab moves on to 60
      {u"ab\ncd", 100, "[0,2,20][3,5,20]"},
      {u"one$two", 35, "[0,3,30][4,7,30]"},  // "$" breaks without showing
      {u"hello world", 60, "[0,5,50][6,11,50]"},
      // A long word wraps before the last letter that fitted, which begins the next line...
      {u"abcdefgh", 35, "[0,2,20][2,4,20][4,6,20][6,8,20]"},
      {u"abc", 20, "[0,1,10][1,3,20]"},
      {u"ab\tc", 35, "[0,2,20][2,3,30][3,4,10]"},  // a tab that fitted, the same
      // ...unless that letter is the line's only one.
      {u"abc", 15, "[0,1,10][1,2,10][2,3,10]"},
      {u"\u00A3red\u00A3 x", 100, "[0,7,50]"},  // the pound signs take no space
      {u"aa W", 50, "[0,2,20][3,4,50]"},
      {u"W", 49, ""},                       // one glyph wider than the box
      {u"", 10, "[0,0,0]"},
  };
  for (const Case& c : cases) {
    Laid laid = Layout(c.text, c.box);
    EXPECT_EQ(Describe(laid), c.lines) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(TextLayoutTest, ANinetyNinthLineIsTheLastThatFits) {
  std::u16string text;
  for (int i = 0; i < 98; ++i) text += u"a\n";
  EXPECT_EQ(Layout(text + u"a", 100).count, 99);
  EXPECT_EQ(Layout(text + u"a\na", 100).count, 0);
  std::u16string wrapped(99, u'a');
  EXPECT_EQ(Layout(wrapped, 10).count, 99);
  EXPECT_EQ(Layout(wrapped + u"a", 10).count, 0);
}

}  // namespace
