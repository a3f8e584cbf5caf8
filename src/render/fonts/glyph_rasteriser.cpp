#include "render/fonts/glyph_rasteriser.h"

#include <cstring>

#include "core/log.h"

namespace {
constexpr int kSize = GlyphCache::kTextureSize;

HFONT MakeFont(const std::string& face, int width, int height, int weight, int charset, DWORD quality) {
  return CreateFontA(height, width, 0, 0, weight, 0, 0, 0, DWORD(charset), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, quality, VARIABLE_PITCH, face.c_str());
}
}  // namespace

bool GlyphRasteriser::Create(const std::string& face, int width, int height, int weight, int charset) {
  Release();
  dc_ = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels_ = static_cast<uint32_t*>(bits);
  SelectObject(dc_, bitmap_);
  SetMapMode(dc_, MM_TEXT);

  main_ = MakeFont(face, width, height, weight, charset, CLEARTYPE_QUALITY);
  if (!main_) return false;
  fallback_ = MakeFont("Verdana", width, height, weight, charset, ANTIALIASED_QUALITY);
  mainRanges_ = RangesOf(main_);
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc_, &metrics)) cellHeight_ = metrics.tmHeight;
  if (fallback_) fallbackRanges_ = RangesOf(fallback_);
  return true;
}

void GlyphRasteriser::Release() {
  // The context goes first so that nothing is still selected when deleted.
  if (dc_) DeleteDC(dc_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(bitmap_), static_cast<HGDIOBJ>(main_), static_cast<HGDIOBJ>(fallback_)})
    if (object) DeleteObject(object);
  dc_ = nullptr;
  bitmap_ = nullptr;
  pixels_ = nullptr;
  main_ = fallback_ = selected_ = nullptr;
  cellHeight_ = 0;
  mainRanges_.clear();
  fallbackRanges_.clear();
}

void GlyphRasteriser::Select(HFONT font) {
  if (font && font != selected_) {
    SelectObject(dc_, font);
    selected_ = font;
  }
}

std::vector<unsigned char> GlyphRasteriser::RangesOf(HFONT font) {
  Select(font);
  std::vector<unsigned char> table(GetFontUnicodeRanges(dc_, nullptr));
  if (table.size() < sizeof(GLYPHSET) ||
      GetFontUnicodeRanges(dc_, reinterpret_cast<GLYPHSET*>(table.data())) != table.size())
    table.clear();
  return table;
}

bool GlyphRasteriser::Covers(char16_t code, const std::vector<unsigned char>& ranges) {
  if (ranges.size() < sizeof(GLYPHSET)) return false;
  const auto* set = reinterpret_cast<const GLYPHSET*>(ranges.data());
  const WCRANGE* range = set->ranges;
  for (DWORD i = 0; i < set->cRanges; ++i)
    if (code >= range[i].wcLow && code < range[i].wcLow + range[i].cGlyphs) return true;
  return code >= 256;
}

HFONT GlyphRasteriser::FontFor(char16_t code) {
  if (Covers(code, mainRanges_)) return main_;
  if (!Covers(code, fallbackRanges_)) {
    GetLog().BeginLine(MSG_ERROR, __FILE__, __LINE__);
    GetLog().WriteString("Unable to find support for glyph ").WriteInt(code).WriteString(" in either font!");
    GetLog().EndLine();
  }
  return fallback_;
}

size_t GlyphRasteriser::Draw(GlyphCache::Glyph* const* glyphs, size_t count, int cellSize, bool border) {
  if (!dc_) return 0;
  SelectObject(dc_, bitmap_);
  Select(main_);
  SetTextColor(dc_, RGB(255, 255, 255));
  SetBkColor(dc_, RGB(0, 0, 0));
  SetTextAlign(dc_, TA_LEFT | TA_TOP);
  SetMapperFlags(dc_, 1);
  const int margin = border ? 1 : 0;
  int x = margin, y = margin;
  for (size_t i = 0; i < count; ++i) {
    GlyphCache::Glyph& glyph = *glyphs[i];
    Select(FontFor(glyph.code));
    SIZE extent{};
    GetTextExtentPoint32W(dc_, &glyph.code, 1, &extent);
    if (x + extent.cx + 1 > kSize) {
      y += cellSize + 2 + margin;
      x = margin;
    }
    // A full scratch bitmap ends this batch; the caller copies it and goes on.
    if (i > 0 && y + extent.cy + margin > kSize) return i;
    RECT clear{x - margin, y - margin, x + extent.cx + 2 + margin, y + extent.cy + 1 + margin};
    FillRect(dc_, &clear, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    glyph.sourceX = x - margin;
    glyph.sourceY = y - margin;
    glyph.width = extent.cx + 3 * margin;
    glyph.height = extent.cy + 2 * margin;
    glyph.uvSize = math::Vec2(glyph.width / float(kSize), glyph.height / float(kSize));
    ExtTextOutW(dc_, x, y, ETO_OPAQUE, nullptr, &glyph.code, 1, nullptr);
    x += cellSize + 4 * margin;
  }
  return count;
}

uint32_t GlyphRasteriser::Pixel(int x, int y) const {
  if (!pixels_ || x < 0 || y < 0 || x >= kSize || y >= kSize) return 0;
  return pixels_[size_t(y) * kSize + x];
}

void GlyphRasteriser::Copy(GlyphCache::Glyph* const* glyphs, size_t count, uint8_t* bits, int pitch,
                           int cellSize, bool border) const {
  const int shift = border ? 1 : 0;
  for (size_t i = 0; i < count; ++i) {
    const GlyphCache::Glyph& glyph = *glyphs[i];
    for (int r = 0; r < glyph.height && r < cellSize && glyph.cellY + r < kSize; ++r) {
      uint8_t* row = bits + size_t(glyph.cellY + r) * pitch;
      for (int c = 0; c < glyph.width && c + shift < cellSize && glyph.cellX + c + shift < kSize; ++c) {
        const int sx = glyph.sourceX + c, sy = glyph.sourceY + r;
        const uint16_t alpha = (Pixel(sx, sy) >> 4) & 0xF;
        uint16_t texel = 0;
        if (alpha > 0)
          texel = uint16_t(alpha << 12) | 0x0FFF;
        else if (border && (Lit(sx - 1, sy - 1) || Lit(sx, sy - 1) || Lit(sx + 1, sy - 1) || Lit(sx - 1, sy) ||
                            Lit(sx + 1, sy) || Lit(sx - 1, sy + 1) || Lit(sx, sy + 1) || Lit(sx + 1, sy + 1)))
          texel = 0xF000;
        std::memcpy(row + size_t(glyph.cellX + c + shift) * 2, &texel, sizeof(texel));
      }
    }
  }
}
