#include "platform/gdi/gdi_font.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/gdi/gdi_font_testing.h"
#include "read_file.h"
#include "temp_folder.h"

namespace {

const std::vector<std::string> kFontFiles = {
    "DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "EBGaramond12-Regular.ttf", "EBGaramond12-Bold.ttf"};

std::string FontPath(const std::string& name) { return std::string(VANTOR_SOURCE_DIR) + "/data/fonts/" + name; }

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

HFONT MakeFont(const char* face, int height, int width = 0, int weight = FW_NORMAL) {
  return CreateFontA(height, width, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, face);
}

// A device context over a top-down 32-bit bitmap, as the glyph cache uses.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    SelectObject(dc_, bitmap_);
    SetTextColor(dc_, RGB(255, 255, 255));
    SetBkColor(dc_, RGB(0, 0, 0));
  }
  ~Canvas() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const { return pixels_[y * width_ + x]; }
  // Summed blue coverage inside the rectangle.
  long Ink(int left, int top, int right, int bottom) const {
    long sum = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) sum += At(x, y) & 0xFF;
    return sum;
  }
  long Ink() const { return Ink(0, 0, width_, height_); }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  uint32_t* pixels_;
};

class GdiFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& name : kFontFiles) ASSERT_EQ(AddFontResourceA(FontPath(name).c_str()), 1) << name;
  }
  void TearDown() override {
    for (HFONT font : fonts_) EXPECT_TRUE(DeleteObject(font));
    for (const auto& name : kFontFiles) RemoveFontResourceA(FontPath(name).c_str());
  }
  // A font for the test, deleted after it, when no canvas selects it any more.
  HFONT TestFont(const char* face, int height, int width = 0, int weight = FW_NORMAL) {
    HFONT font = MakeFont(face, height, width, weight);
    if (font) fonts_.push_back(font);
    return font;
  }
  // Draws the text at (x, y) with the font selected and answers its extent.
  SIZE Draw(Canvas& canvas, HFONT font, const std::u16string& text, int x = 0, int y = 0) {
    SelectObject(canvas.dc(), font);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(canvas.dc(), text.c_str(), int(text.size()), &size));
    EXPECT_TRUE(ExtTextOutW(canvas.dc(), x, y, ETO_OPAQUE, nullptr, text.c_str(), UINT(text.size()), nullptr));
    return size;
  }

 private:
  std::vector<HFONT> fonts_;
};

TEST_F(GdiFontTest, FacesResolveToAddedFilesByNameWeightAndFallback) {
  struct Case {
    const char* face;
    int weight;
    const char* file;
  } cases[] = {
      {"DejaVu Sans", 400, "DejaVuSans.ttf"},
      {"dejavu sans", 700, "DejaVuSans-Bold.ttf"},
      {"DejaVu Sans", 550, "DejaVuSans.ttf"},  // a tie goes to the lighter file
      {"DejaVu Sans", 600, "DejaVuSans-Bold.ttf"},
      {"Daravur", 550, "EBGaramond12-Regular.ttf"},
      {"DARAVUR", 700, "EBGaramond12-Bold.ttf"},
      {"EB Garamond", 400, "EBGaramond12-Regular.ttf"},
      {"times new roman", 500, "DejaVuSans.ttf"},
      {"verdana", 100, "DejaVuSans.ttf"},
      {"", 400, "DejaVuSans.ttf"},
  };
  for (const Case& c : cases) {
    HFONT font = MakeFont(c.face, 12, 0, c.weight);
    ASSERT_NE(font, nullptr) << c.face;
    EXPECT_EQ(BaseName(platform::testing::FontFileOf(font)), c.file) << c.face << " " << c.weight;
    EXPECT_TRUE(DeleteObject(font));
  }
}

TEST_F(GdiFontTest, FilesStayKnownUntilEveryAddIsRemoved) {
  const std::string garamond = FontPath("EBGaramond12-Regular.ttf");
  EXPECT_EQ(AddFontResourceA(garamond.c_str()), 1);
  EXPECT_TRUE(RemoveFontResourceA(garamond.c_str()));
  HFONT font = MakeFont("Daravur", 12);
  EXPECT_EQ(BaseName(platform::testing::FontFileOf(font)), "EBGaramond12-Regular.ttf");
  DeleteObject(font);

  EXPECT_TRUE(RemoveFontResourceA(garamond.c_str()));
  EXPECT_TRUE(RemoveFontResourceA(FontPath("EBGaramond12-Bold.ttf").c_str()));
  font = MakeFont("Daravur", 12);
  EXPECT_EQ(BaseName(platform::testing::FontFileOf(font)), "DejaVuSans.ttf");
  DeleteObject(font);
  EXPECT_FALSE(RemoveFontResourceA(garamond.c_str()));
  EXPECT_EQ(AddFontResourceA(garamond.c_str()), 1);
  EXPECT_EQ(AddFontResourceA(FontPath("EBGaramond12-Bold.ttf").c_str()), 1);
}

TEST_F(GdiFontTest, UnreadableFilesAreNotAddedAndNoFileMeansNoFont) {
  EXPECT_EQ(AddFontResourceA(nullptr), 0);
  EXPECT_EQ(AddFontResourceA(""), 0);
  EXPECT_EQ(AddFontResourceA((std::string(VANTOR_SOURCE_DIR) + "/CMakeLists.txt").c_str()), 0);
  EXPECT_EQ(AddFontResourceA("no/such/font.ttf"), 0);
  TearDown();
  EXPECT_EQ(MakeFont("DejaVu Sans", 12), nullptr);
  SetUp();
}

TEST_F(GdiFontTest, HeightIsTheCellAndWidthScalesOnlyHorizontally) {
  Canvas canvas(256, 64);
  for (int height : {12, 20, 45}) {
    HFONT font = TestFont("DejaVu Sans", height);
    SelectObject(canvas.dc(), font);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, height);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, height);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
  }
  SIZE narrow{}, wide{};
  HFONT thin = TestFont("DejaVu Sans", 20, 6);
  HFONT fat = TestFont("DejaVu Sans", 20, 12);
  SelectObject(canvas.dc(), thin);
  GetTextExtentPoint32W(canvas.dc(), u"MMMMMMMM", 8, &narrow);
  SelectObject(canvas.dc(), fat);
  GetTextExtentPoint32W(canvas.dc(), u"MMMMMMMM", 8, &wide);
  EXPECT_EQ(narrow.cy, 20);
  EXPECT_EQ(wide.cy, 20);
  EXPECT_NEAR(double(wide.cx) / narrow.cx, 2.0, 0.15);

  HFONT fallback = TestFont("DejaVu Sans", 0);  // GDI's own choice
  SelectObject(canvas.dc(), fallback);
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
  EXPECT_GT(metrics.tmHeight, 0);
}

TEST_F(GdiFontTest, HeavierWeightsInkMore) {
  Canvas light(256, 32), heavy(256, 32), bold(256, 32);
  Draw(light, TestFont("DejaVu Sans", 20, 0, 400), u"Hello");
  Draw(heavy, TestFont("DejaVu Sans", 20, 0, 550), u"Hello");
  Draw(bold, TestFont("DejaVu Sans", 20, 0, 700), u"Hello");
  EXPECT_GT(heavy.Ink(), light.Ink() * 11 / 10);
  EXPECT_GT(bold.Ink(), heavy.Ink());
}

TEST_F(GdiFontTest, TextDrawsInsideItsExtentWithTheBackgroundBehind) {
  Canvas canvas(128, 64);
  RECT all{0, 0, 128, 64};
  SetBkColor(canvas.dc(), RGB(0, 0, 0));
  HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
  ASSERT_EQ(FillRect(canvas.dc(), &all, static_cast<HBRUSH>(brush)), 1);
  SIZE size = Draw(canvas, TestFont("DejaVu Sans", 16), u"H", 10, 20);
  EXPECT_EQ(size.cy, 16);
  EXPECT_GT(size.cx, 4);
  EXPECT_GT(canvas.Ink(10, 20, 10 + size.cx, 20 + size.cy), 0);
  EXPECT_EQ(canvas.Ink() - canvas.Ink(10, 20, 10 + size.cx, 20 + size.cy), 0);
  // Text colour reaches full strength inside the stem of the H.
  uint32_t brightest = 0;
  for (int y = 20; y < 36; ++y)
    for (int x = 10; x < 10 + size.cx; ++x) brightest = std::max(brightest, canvas.At(x, y));
  EXPECT_EQ(brightest, 0x00FFFFFFu);
}

// Glyphs that hang below the baseline or reach the face's descent keep all
// their ink within the rows of the cell GDI reports, at the sizes and widths
// the game asks for: the glyph texture copies only those rows.
TEST_F(GdiFontTest, DescendersAndEdgeGlyphsInkInsideTheirCell) {
  struct Case {
    int height, width;
  };
  for (Case size : {Case{12, 6}, Case{12, 0}, Case{16, 0}, Case{20, 0}, Case{31, 0}}) {
    HFONT font = TestFont("DejaVu Sans", size.height, size.width);
    for (char16_t code : std::u16string(u"_gyj,|Q\u00C9")) {
      Canvas canvas(96, 128);
      SIZE extent = Draw(canvas, font, std::u16string(1, code), 10, 40);
      SCOPED_TRACE(testing::Message() << "height " << size.height << " width " << size.width << " code "
                                      << char(code));
      EXPECT_GT(canvas.Ink(0, 40, 96, 40 + extent.cy), 0);
      EXPECT_EQ(canvas.Ink(), canvas.Ink(0, 40, 96, 40 + extent.cy));
    }
  }
}

TEST_F(GdiFontTest, DrawingIsClippedToTheBitmap) {
  Canvas canvas(8, 8);
  Draw(canvas, TestFont("DejaVu Sans", 40), u"W", -5, -10);
  Draw(canvas, TestFont("DejaVu Sans", 40), u"W", 6, 6);
  SUCCEED();
}

TEST_F(GdiFontTest, UnicodeRangesListWhatTheFaceMaps) {
  Canvas canvas(8, 8);
  SelectObject(canvas.dc(), TestFont("DejaVu Sans", 12));
  DWORD size = GetFontUnicodeRanges(canvas.dc(), nullptr);
  ASSERT_GE(size, sizeof(GLYPHSET));
  std::vector<unsigned char> buffer(size);
  auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
  ASSERT_EQ(GetFontUnicodeRanges(canvas.dc(), set), size);
  EXPECT_EQ(set->cbThis, size);
  EXPECT_EQ(size, sizeof(GLYPHSET) + (set->cRanges - 1) * sizeof(WCRANGE));
  auto covers = [&](char16_t code) {
    const WCRANGE* ranges = set->ranges;
    for (DWORD i = 0; i < set->cRanges; ++i)
      if (code >= ranges[i].wcLow && code < ranges[i].wcLow + ranges[i].cGlyphs) return true;
    return false;
  };
  EXPECT_TRUE(covers(u'A'));
  EXPECT_TRUE(covers(u'\u00A3'));
  EXPECT_FALSE(covers(u'\u4E00'));
  EXPECT_FALSE(covers(u'\x01'));
}

// A face without a character map, nor glyph names to make one from (both
// tables renamed), maps no code: it has no range, and the glyph set holds
// only its header.
TEST_F(GdiFontTest, AFaceThatMapsNoCodeHasNoRanges) {
  std::string bytes = ReadFile(FontPath("EBGaramond12-Bold.ttf"));
  for (const char* table : {"cmap", "post"}) {
    const size_t tag = bytes.find(table);
    ASSERT_NE(tag, std::string::npos);
    bytes[tag + 3] = 'q';
  }
  TempFolder folder;
  const std::string path = (folder.Path() / "unmapped.ttf").string();
  std::ofstream(path, std::ios::binary) << bytes;
  TearDown();
  ASSERT_EQ(AddFontResourceA(path.c_str()), 1);
  {
    Canvas canvas(8, 8);
    SelectObject(canvas.dc(), TestFont("EB Garamond", 12));
    std::vector<unsigned char> buffer(GetFontUnicodeRanges(canvas.dc(), nullptr));
    ASSERT_EQ(buffer.size(), sizeof(GLYPHSET));
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    ASSERT_EQ(GetFontUnicodeRanges(canvas.dc(), set), sizeof(GLYPHSET));
    EXPECT_EQ(set->cRanges, 0u);
    EXPECT_EQ(set->cGlyphsSupported, 0u);
  }
  RemoveFontResourceA(path.c_str());
  SetUp();
}

TEST_F(GdiFontTest, HandlesAreCheckedBeforeUse) {
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32W(dc, u"a", 1, &size));  // no font selected
  EXPECT_EQ(GetFontUnicodeRanges(dc, nullptr), 0u);
  HFONT font = MakeFont("DejaVu Sans", 12);
  EXPECT_EQ(SelectObject(dc, font), nullptr);
  EXPECT_FALSE(DeleteObject(font));  // still selected
  int bogus = 0;
  EXPECT_EQ(SelectObject(dc, &bogus), nullptr);
  EXPECT_FALSE(DeleteObject(&bogus));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
}

TEST_F(GdiFontTest, OnlySane32BitSectionsAreMade) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biCompression = BI_RGB;
  struct Case {
    LONG width, height;
    WORD bits;
    bool made;
  } cases[] = {{16, -16, 32, true}, {16, 16, 32, true}, {16, -16, 24, false},
               {0, -16, 32, false}, {16, 0, 32, false}, {1 << 20, -(1 << 20), 32, false}};
  for (const Case& c : cases) {
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = c.height;
    info.bmiHeader.biBitCount = c.bits;
    void* bits = reinterpret_cast<void*>(1);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_EQ(bitmap != nullptr, c.made) << c.width << "x" << c.height << "x" << c.bits;
    EXPECT_EQ(bits != nullptr, c.made);
    if (bitmap) DeleteObject(bitmap);
  }
}

}  // namespace
