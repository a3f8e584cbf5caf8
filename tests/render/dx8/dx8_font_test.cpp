#include "render/dx8/dx8_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/frame_timer.h"
#include "render/font_test_support.h"
#include "render/graphics_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;

// The inked pixels' bounds in a frame read back from the device.
struct Ink {
  int left = 800, top = 600, right = -1, bottom = -1;  // right and bottom exclusive
  bool Any() const { return right > left; }
};

class DX8FontTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    for (const char* name : font_test::kFontFiles) AddFontResourceA(font_test::FontPath(name).c_str());
    font_ = std::make_unique<DX8Font>("Test");
    font_->Resize("DejaVu Sans", 0, 20, 400, 1);
    ClearFrame();
  }
  void TearDown() override {
    font_.reset();
    for (const char* name : font_test::kFontFiles) RemoveFontResourceA(font_test::FontPath(name).c_str());
    GraphicsTest::TearDown();
  }
  void ClearFrame() { graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0); }

  static bool Inked(uint32_t pixel) { return (pixel & 0xFFFFFF) != 0; }
  Ink InkOf(const std::vector<uint32_t>& frame) {
    Ink ink;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (Inked(frame[size_t(y) * 800 + x])) {
          ink.left = std::min(ink.left, x);
          ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1);
          ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
  }
  Ink Draw(const std::u16string& text, math::Vec2 position, math::Vec2 box, uint32_t flags,
           uint32_t colour = 0xFFFFFFFFu) {
    ClearFrame();
    font_->DrawTextW(text, position, box, flags, colour, 0);
    return InkOf(Frame());
  }

  std::unique_ptr<DX8Font> font_;
};

TEST_F(DX8FontTest, JustificationPlacesTheInkInTheBox) {
  // Box from (80, 60) to (480, 180) pixels.
  const math::Vec2 position(0.1f, 0.1f), box(0.5f, 0.2f);
  Ink left = Draw(u"Hi", position, box, 0);
  Ink centre = Draw(u"Hi", position, box, Font::kCentre);
  Ink right = Draw(u"Hi", position, box, Font::kRight);
  Ink bottom = Draw(u"Hi", position, box, Font::kBottom);
  Ink middle = Draw(u"Hi", position, box, Font::kVerticalCentre);
  ASSERT_TRUE(left.Any() && centre.Any() && right.Any());
  EXPECT_NEAR(left.left, 80, 3);
  EXPECT_NEAR((centre.left + centre.right) / 2.0, 280, 3);
  EXPECT_NEAR(right.right, 480, 3);
  EXPECT_EQ(right.right - right.left, left.right - left.left);
  EXPECT_NEAR(left.top, 60, 6);
  EXPECT_NEAR(bottom.bottom, 180, 6);
  EXPECT_NEAR((middle.top + middle.bottom) / 2.0, 120, 4);
  // Centre wins over right.
  Ink both = Draw(u"Hi", position, box, Font::kCentre | Font::kRight);
  EXPECT_EQ(both.left, centre.left);
}

TEST_F(DX8FontTest, PoundSignsSwitchToTheAlternateColourAndBack) {
  const std::u16string text = u"\u00A3II\u00A3 II";
  ClearFrame();
  font_->DrawTextW(text, math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0, kRed, 0);
  const std::vector<uint32_t> frame = Frame();
  const int wI = font_->GetCache().Find(u'I')->width;
  const int wSpace = font_->GetCache().Find(u' ')->width;
  const int split = 80 + 2 * wI;
  int yellow = 0, redOnly = 0, stray = 0;
  for (int y = 60; y < 90; ++y)
    for (int x = 78; x < split + wSpace + 2 * wI + 2; ++x) {
      const uint32_t p = frame[size_t(y) * 800 + x];
      const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF;
      if (x < split && r > 200 && g > 200) ++yellow;
      if (x >= split + wSpace && r > 200 && g < 8) ++redOnly;
      if (x >= split + wSpace && g > 8) ++stray;
    }
  EXPECT_GT(yellow, 10);
  EXPECT_GT(redOnly, 10);
  EXPECT_EQ(stray, 0);

  // A coloured phrase keeps its colour on the line it wraps onto.
  ClearFrame();
  const float box = (3.0f * wI + wSpace) / 800.0f;
  font_->DrawTextW(u"£II II£", math::Vec2(0.1f, 0.1f), math::Vec2(box, 1), 0, kRed, 0);
  const std::vector<uint32_t> wrapped = Frame();
  int secondLineYellow = 0;
  for (int y = 82; y < 100; ++y)
    for (int x = 78; x < 80 + 3 * wI; ++x) {
      const uint32_t p = wrapped[size_t(y) * 800 + x];
      secondLineYellow += ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200;
    }
  EXPECT_GT(secondLineYellow, 10);
}

TEST_F(DX8FontTest, DrawnTabsMoveThePenThirtyPixels) {
  Draw(u"a", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0);
  const int wa = font_->GetCache().Find(u'a')->width;
  Ink alone = Draw(u"b", math::Vec2((80.0f + wa + 30.0f) / 800.0f, 0.1f), math::Vec2(1, 1), 0);
  ClearFrame();
  font_->DrawTextW(u"a\tb", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0, 0xFFFFFFFFu, 0);
  const std::vector<uint32_t> frame = Frame();
  int firstB = -1;
  for (int x = 80 + wa + 5; x < 800 && firstB < 0; ++x)
    for (int y = 50; y < 100; ++y)
      if (Inked(frame[size_t(y) * 800 + x])) {
        firstB = x;
        break;
      }
  EXPECT_EQ(firstB, alone.left);
}

TEST_F(DX8FontTest, TextRectCoversTheDrawnInk) {
  const math::Vec2 position(0.2f, 0.3f);
  for (const std::u16string& text : {std::u16string(u"Hello, world"), std::u16string(u"gjpqy"),
                                     std::u16string(u"two\nlines"), std::u16string(u"\tTabbed")}) {
    Ink ink = Draw(text, position, math::Vec2(1, 1), 0);
    math::Vec2 at = position, size;
    font_->GetTextRectW(text, math::Vec2(1, 1), at, size, 0);
    const float left = at.x * 800, top = at.y * 600, right = left + size.x * 800, bottom = top + size.y * 600;
    EXPECT_LE(left, ink.left);
    EXPECT_LE(top, ink.top);
    // Quads sit half a pixel past their bounds: ink may reach one pixel further.
    EXPECT_GE(right + 1, ink.right);
    EXPECT_GE(bottom + 1, ink.bottom);
    // Tight: within a couple of pixels of side bearing.
    EXPECT_LE(ink.left - left, 4);
    EXPECT_LE(right - ink.right, 4);
  }
}

TEST_F(DX8FontTest, TextRectAlignsInTheSameBoxAsTheDrawing) {
  // Position and box both fall between pixels (80.48 + 266.96 across,
  // 60.48 + 120.54 down): a box cut to whole pixels for one of the two
  // would put its text a pixel off the other's.
  const math::Vec2 position(0.1006f, 0.1008f), box(0.3337f, 0.2009f);
  auto offset = [&](uint32_t flags) {
    Ink ink = Draw(u"H", position, box, flags);
    math::Vec2 at = position, size;
    font_->GetTextRectW(u"H", box, at, size, flags);
    return std::make_pair(ink.left - int(std::lround(at.x * 800)), ink.top - int(std::lround(at.y * 600)));
  };
  const auto topLeft = offset(0);
  EXPECT_EQ(offset(Font::kRight | Font::kBottom), topLeft);
}

TEST_F(DX8FontTest, MeasuringWhatInksNothingGivesAnEmptyRect) {
  math::Vec2 at(0.25f, 0.5f), size(7, 7);
  font_->GetTextRectW(u"", math::Vec2(1, 1), at, size, 0);
  EXPECT_EQ(size.x, 7.0f);  // an empty text leaves the outputs alone
  for (const std::u16string& text : {std::u16string(u"\u00A3"), std::u16string(u"\t\t"), std::u16string(u"$\n$")}) {
    at = math::Vec2(0.25f, 0.5f);
    font_->GetTextRectW(text, math::Vec2(1, 1), at, size, 0);
    EXPECT_EQ(size.x, 0.0f);
    EXPECT_EQ(size.y, 0.0f);
    EXPECT_FLOAT_EQ(at.x, 0.25f);
    EXPECT_FLOAT_EQ(at.y, 0.5f);
  }
}

TEST_F(DX8FontTest, NothingIsDrawnForEmptyTextNarrowBoxesOrAbandonedLayouts) {
  EXPECT_FALSE(Draw(u"", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0).Any());
  EXPECT_FALSE(Draw(u"Hi", math::Vec2(0.1f, 0.1f), math::Vec2(0.00001f, 1), 0).Any());
  EXPECT_FALSE(Draw(u"W", math::Vec2(0.1f, 0.1f), math::Vec2(2.0f / 800, 1), 0).Any());
  std::u16string tall;
  for (int i = 0; i < 120; ++i) tall += u"a\n";
  EXPECT_FALSE(Draw(tall, math::Vec2(0, 0), math::Vec2(1, 1), 0).Any());
  EXPECT_TRUE(Draw(u"a", math::Vec2(0, 0), math::Vec2(1, 1), 0).Any());
}

TEST_F(DX8FontTest, UTF8TextAndLongTextsDraw) {
  ClearFrame();
  font_->DrawText("\xC3\xA9t\xC3\xA9", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0, 0xFFFFFFFFu, 0);
  EXPECT_TRUE(InkOf(Frame()).Any());
  // Beyond the 1024-character arrays the text is cut, not overrun.
  EXPECT_TRUE(Draw(std::u16string(5000, u'.'), math::Vec2(0, 0), math::Vec2(1, 1), 0).Any());
}

TEST_F(DX8FontTest, CellsFollowTheHeightAndHeightZeroLeavesItToGdi) {
  struct Case {
    int height;
    int cell;
    size_t cells;
  } cases[] = {{12, 21, 48 * 48}, {40, 72, 14 * 14}};
  for (const Case& c : cases) {
    font_->Resize("DejaVu Sans", 0, c.height, 400, 1);
    EXPECT_EQ(font_->GetCellSize(), c.cell);
    EXPECT_EQ(font_->GetCache().CellCount(), c.cells);
  }
  font_->Resize("DejaVu Sans", 0, 0, 400, 1);
  EXPECT_GT(font_->GetCellSize(), 0);
  EXPECT_TRUE(Draw(u"Zero", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0).Any());
}

TEST_F(DX8FontTest, FillingTheCacheOverFramesKeepsDrawingCorrectly) {
  font_->Resize("DejaVu Sans", 0, 40, 400, 1);  // 196 cells
  const size_t cells = font_->GetCache().CellCount();
  std::u16string last;
  for (int frame = 0; frame < 8; ++frame) {
    GetFrameTimer().totalTime = 100.0f + frame;
    std::u16string text;
    for (char16_t c = 0; c < 40; ++c) text += char16_t(0x410 + (frame * 40 + c) % 64);  // Cyrillic
    text += char16_t(u'A' + frame);
    last = text;
    ClearFrame();
    font_->DrawTextW(text, math::Vec2(0, 0), math::Vec2(1, 1), 0, 0xFFFFFFFFu, 0);
    EXPECT_LE(font_->GetCache().CachedCount(), cells);
  }
  // The last text drew every one of its glyphs: each is cached and inked.
  for (char16_t c : last) EXPECT_NE(font_->GetCache().Find(c), nullptr);
  Ink whole = InkOf(Frame());
  EXPECT_TRUE(whole.Any());

  // More new glyphs in one frame than there are cells: the rest is skipped.
  GetFrameTimer().totalTime = 200.0f;
  std::u16string many;
  for (char16_t c = 0x100; c < 0x100 + 300; ++c) many += c;
  font_->DrawTextW(many, math::Vec2(0, 0), math::Vec2(1, 1), 0, 0xFFFFFFFFu, 0);
  EXPECT_EQ(font_->GetCache().CachedCount(), cells);
}

TEST_F(DX8FontTest, BorderedTextIsWhiteWithABlackOutlineWhateverTheColour) {
  font_->SetBorder(true);
  font_->Resize("DejaVu Sans", 0, 24, 400, 1);
  ClearFrame();
  graphics_->Clear(0xFF0000FFu, 1.0f, 0, 1, 0, 0);  // blue behind, so black shows
  font_->DrawTextW(u"I", math::Vec2(0.1f, 0.1f), math::Vec2(1, 1), 0, kRed, 0);
  const std::vector<uint32_t> frame = Frame();
  int white = 0, black = 0;
  for (int y = 55; y < 95; ++y)
    for (int x = 75; x < 110; ++x) {
      const uint32_t p = frame[size_t(y) * 800 + x];
      white += p == 0xFFFFFF;
      black += p == 0x000000;
    }
  EXPECT_GT(white, 10);
  EXPECT_GT(black, 10);
}

TEST_F(DX8FontTest, WithoutADeviceResizeFailsQuietlyAndDrawingIsSkipped) {
  LogCapture log;
  Graphics::SHUTDOWN();
  DX8Font orphan("Orphan");
  orphan.Resize("DejaVu Sans", 0, 20, 400, 1);
  EXPECT_TRUE(LogCapture::Has("Unable to create Font texture for DejaVu Sans"));
  orphan.DrawTextW(u"Hi", math::Vec2(0, 0), math::Vec2(1, 1), 0, 0xFFFFFFFFu, 0);
  font_.reset();
  // TearDown's SHUTDOWN finds nothing left to do.
  SetUp();
}

}  // namespace
