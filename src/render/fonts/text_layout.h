// Breaking a text into lines that fit a box, by glyph widths. Characters with
// a meaning of their own take no width: tab moves to the next multiple of 30
// pixels, newline ends the line, "$" is an invisible break opportunity and
// the pound sign switches colour when drawn.
#pragma once
#include <cstddef>

#include "render/fonts/glyph_cache.h"

namespace text {

constexpr char16_t kTab = u'\t';
constexpr char16_t kNewline = u'\n';
constexpr char16_t kBreak = u'$';
constexpr char16_t kColourSwitch = u'\u00A3';
constexpr int kTabStop = 30;
// Line records a layout may fill; a text needing this many lines draws nothing.
constexpr int kMaxLines = 100;
// Characters a text may hold; longer texts are cut.
constexpr size_t kMaxChars = 1024;

bool IsControlChar(char16_t c);

struct Line {
  int first = 0;
  int end = 0;  // exclusive
  int width = 0;
};

// Lines of the text within the box width, from the glyph of each character
// (null for a control character or a glyph that could not be had; it takes
// no width). A character that begins a wrapped line is measured in its new
// line. Returns the line count, 0 when the layout is abandoned: a glyph wider
// than the box, or a text needing kMaxLines lines or more.
int BreakLines(const char16_t* text, int count, const GlyphCache::Glyph* const* glyphs, int boxWidth,
               Line* lines);

}  // namespace text
