// GDI fonts on FreeType faces: sizing by cell height and average width,
// weights by emboldening, extents, coverage and Unicode ranges.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>

#include "platform/gdi/gdi_font_testing.h"
#include "platform/gdi/gdi_internal.h"
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace platform::gdi {
namespace {

constexpr int kDefaultCellHeight = 16;
// Larger requests are clamped: a glyph bitmap is allocated per character.
constexpr double kMaxPixelsPerEm = 1024.0;
// FreeType's synthetic bold moves the outline by em / 24; GDI's bold is 300
// weight units above normal.
constexpr double kBoldStrengthPerEm = 1.0 / 24.0;
constexpr double kBoldWeightStep = 300.0;

struct VerticalMetrics {
  double ascent;   // font units
  double descent;  // font units, positive
};

VerticalMetrics MetricsOf(FT_Face face) {
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) return {double(os2->usWinAscent), double(os2->usWinDescent)};
  if (face->ascender - face->descender > 0) return {double(face->ascender), double(-face->descender)};
  return {double(face->units_per_EM) * 0.8, double(face->units_per_EM) * 0.2};
}

double AverageWidthUnits(FT_Face face) {
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->xAvgCharWidth > 0) return os2->xAvgCharWidth;
  return face->units_per_EM / 2.0;
}

double ClampPpem(double ppem) { return std::clamp(ppem, 1.0, kMaxPixelsPerEm); }

}  // namespace

Font::Font(Library library, FT_Face face, const FontFile& file, int height, int width, int weight)
    : Object(ObjectKind::kFont), library_(std::move(library)), face_(face), path_(file.path) {
  const double em = face->units_per_EM > 0 ? face->units_per_EM : 1000.0;
  const VerticalMetrics v = MetricsOf(face);
  const double cellUnits = v.ascent + v.descent;
  if (height == 0) height = kDefaultCellHeight;
  double ppemY = height > 0 ? height * em / cellUnits : -double(height);
  ppemY = ClampPpem(ppemY);
  double ppemX = width == 0 ? ppemY : ClampPpem(std::abs(double(width)) * em / AverageWidthUnits(face));
  FT_Set_Char_Size(face_, FT_F26Dot6(std::lround(ppemX * 64)), FT_F26Dot6(std::lround(ppemY * 64)), 72, 72);

  cellHeight_ = std::max(1, int(std::lround(cellUnits * ppemY / em)));
  ascent_ = std::min(cellHeight_, int(std::lround(v.ascent * ppemY / em)));
  averageWidth_ = std::max(1, int(std::lround(AverageWidthUnits(face) * ppemX / em)));
  weight_ = weight <= 0 ? FW_NORMAL : std::min(weight, 1000);
  if (weight_ > file.weight)
    embolden_ = FT_Pos(std::lround(ppemY * kBoldStrengthPerEm * (weight_ - file.weight) / kBoldWeightStep * 64));
}

Font::~Font() { FT_Done_Face(face_); }

bool Font::Load(uint32_t code) {
  FT_UInt index = FT_Get_Char_Index(face_, code);
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return false;
  FT_GlyphSlot slot = face_->glyph;
  if (embolden_ > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Embolden(&slot->outline, embolden_);
  return true;
}

int Font::Advance(uint32_t code) {
  if (!Load(code)) return 0;
  return int((face_->glyph->advance.x + embolden_ + 32) >> 6);
}

bool Font::Rasterise(uint32_t code, const FT_Bitmap** bitmap, int* left, int* top) {
  if (!Load(code) || FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0) return false;
  const FT_Bitmap& b = face_->glyph->bitmap;
  if (b.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
  *bitmap = &b;
  *left = face_->glyph->bitmap_left;
  *top = face_->glyph->bitmap_top;
  return true;
}

std::vector<uint16_t> Font::MappedCodes() const {
  std::vector<uint16_t> codes;
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(face_, &index); index != 0 && code <= 0xFFFF;
       code = FT_Get_Next_Char(face_, code, &index))
    codes.push_back(uint16_t(code));
  return codes;
}

}  // namespace platform::gdi

using platform::gdi::Font;

HFONT CreateFontA(int height, int width, int, int, int weight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  DWORD, DWORD, LPCSTR face) {
  const int asked = weight <= 0 ? FW_NORMAL : weight;
  const platform::gdi::FontFile* file = platform::gdi::FindFontFile(face ? face : "", asked);
  platform::gdi::Library library = platform::gdi::SharedLibrary();
  if (!file || !library) return nullptr;
  FT_Face ftFace = nullptr;
  if (FT_New_Face(library.get(), file->path.c_str(), 0, &ftFace) != 0) return nullptr;
  FT_Select_Charmap(ftFace, FT_ENCODING_UNICODE);
  auto* font = new Font(library, ftFace, *file, height, width, asked);
  platform::gdi::Track(font);
  return reinterpret_cast<HFONT>(static_cast<platform::gdi::Object*>(font));
}

DWORD GetFontUnicodeRanges(HDC handle, GLYPHSET* table) {
  HDC__* dc = platform::gdi::LookupDC(handle);
  if (!dc || !dc->font) return 0;
  const std::vector<uint16_t> codes = dc->font->MappedCodes();
  std::vector<WCRANGE> ranges;
  for (uint16_t code : codes) {
    // A range counts at most 0xFFFF codes in its 16 bits; a longer run starts another.
    if (!ranges.empty() && ranges.back().wcLow + ranges.back().cGlyphs == code && ranges.back().cGlyphs < 0xFFFF)
      ++ranges.back().cGlyphs;
    else
      ranges.push_back({code, 1});
  }
  const size_t extra = ranges.empty() ? 0 : ranges.size() - 1;
  const DWORD size = DWORD(sizeof(GLYPHSET) + extra * sizeof(WCRANGE));
  if (!table) return size;
  table->cbThis = size;
  table->flAccel = 0;
  table->cGlyphsSupported = DWORD(codes.size());
  table->cRanges = DWORD(ranges.size());
  // The ranges run on past the declared one, into the caller's size-queried
  // buffer; a face that maps no code has none.
  if (!ranges.empty())
    std::memcpy(reinterpret_cast<unsigned char*>(table) + offsetof(GLYPHSET, ranges), ranges.data(),
                ranges.size() * sizeof(WCRANGE));
  return size;
}

BOOL GetTextMetricsA(HDC handle, TEXTMETRICA* metrics) {
  HDC__* dc = platform::gdi::LookupDC(handle);
  if (!dc || !dc->font || !metrics) return FALSE;
  Font& font = *dc->font;
  metrics->tmHeight = font.CellHeight();
  metrics->tmAscent = font.Ascent();
  metrics->tmDescent = font.CellHeight() - font.Ascent();
  metrics->tmAveCharWidth = font.AverageWidth();
  metrics->tmWeight = font.Weight();
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC handle, LPCWSTR text, int count, SIZE* size) {
  HDC__* dc = platform::gdi::LookupDC(handle);
  if (!dc || !dc->font || !size || count < 0 || (count > 0 && !text)) return FALSE;
  LONG width = 0;
  for (int i = 0; i < count; ++i) width += dc->font->Advance(text[i]);
  size->cx = width;
  size->cy = dc->font->CellHeight();
  return TRUE;
}

namespace platform::testing {
std::string FontFileOf(HFONT handle) {
  auto* font = static_cast<Font*>(platform::gdi::Lookup(handle, platform::gdi::ObjectKind::kFont));
  return font ? font->path() : std::string();
}
}  // namespace platform::testing
