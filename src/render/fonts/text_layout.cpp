#include "render/fonts/text_layout.h"

namespace text {

bool IsControlChar(char16_t c) { return c == kTab || c == kNewline || c == kBreak || c == kColourSwitch; }

namespace {

class LineBreaker {
 public:
  LineBreaker(const char16_t* text, int count, const GlyphCache::Glyph* const* glyphs, int boxWidth, Line* lines)
      : text_(text), count_(count), glyphs_(glyphs), box_(boxWidth), lines_(lines) {}

  int Run() {
    for (int i = 0; i < count_; ++i) {
      const char16_t c = text_[i];
      const int widthBefore = width_;
      if (c == kTab) {
        width_ = (width_ / kTabStop + 1) * kTabStop;
      } else if (c == kNewline) {
        if (!End(i, width_, i + 1)) return 0;
      } else if (c == kBreak) {
        Remember(i);
      } else if (c != kColourSwitch) {
        if (c == u' ') Remember(i);
        const int w = glyphs_[i] ? glyphs_[i]->width : 0;
        if (w > box_) return 0;
        if (width_ + w <= box_) {
          width_ += w;
        } else if (!Wrap(i)) {
          return 0;
        }
      }
      previousWidth_ = widthBefore;
    }
    lines_[count_lines_++] = {lineStart_, count_, width_};
    return count_lines_;
  }

 private:
  void Remember(int i) {
    breakAt_ = i;
    breakWidth_ = width_;
  }

  // The character at `i` does not fit. The line ends at its last break, the
  // break belonging to neither line; without one it ends before the last
  // character that fitted, which begins the next line (unless it is the
  // line's only one: then the line ends before `i`). The loop goes on from the
  // next line's first character, measuring it again. False when the next line
  // would be one too many.
  bool Wrap(int& i) {
    const bool atBreak = breakAt_ >= lineStart_;
    const bool backOne = !atBreak && i - 1 > lineStart_;
    const int end = atBreak ? breakAt_ : backOne ? i - 1 : i;
    const int width = atBreak ? breakWidth_ : backOne ? previousWidth_ : width_;
    const int next = atBreak ? end + 1 : end;
    if (!End(end, width, next)) return false;
    i = next - 1;
    return true;
  }

  // Ends the current line at `end` and starts the next at `next`; false when
  // the next line would be one too many.
  bool End(int end, int width, int next) {
    if (count_lines_ + 2 >= kMaxLines) return false;
    lines_[count_lines_++] = {lineStart_, end, width};
    lineStart_ = next;
    width_ = 0;
    breakAt_ = -1;
    return true;
  }

  const char16_t* text_;
  int count_;
  const GlyphCache::Glyph* const* glyphs_;
  int box_;
  Line* lines_;
  int count_lines_ = 0;
  int lineStart_ = 0;
  int width_ = 0;
  int breakAt_ = -1;
  int breakWidth_ = 0;
  int previousWidth_ = 0;  // the line's width before the last character taken
};

}  // namespace

int BreakLines(const char16_t* text, int count, const GlyphCache::Glyph* const* glyphs, int boxWidth,
               Line* lines) {
  return LineBreaker(text, count, glyphs, boxWidth, lines).Run();
}

}  // namespace text
