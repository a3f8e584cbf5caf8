// Memory device contexts, DIB sections, object selection and drawing.
#include <algorithm>
#include <unordered_set>
#include <utility>

#include "platform/gdi/gdi_internal.h"

namespace platform::gdi {
namespace {

// Handles are checked against these, so a stale or foreign handle is refused
// instead of followed. Never destroyed: the destructors of other statics
// still release their objects through them as the process exits.
std::unordered_set<Object*>& Objects() {
  static auto* objects = new std::unordered_set<Object*>;
  return *objects;
}
std::unordered_set<HDC__*>& Contexts() {
  static auto* contexts = new std::unordered_set<HDC__*>;
  return *contexts;
}

Object* AnyObject(HGDIOBJ handle) {
  auto* object = static_cast<Object*>(handle);
  return Objects().count(object) ? object : nullptr;
}

// Swaps the slot's object for the new one, keeping selection counts.
template <typename T>
HGDIOBJ Swap(T*& slot, T* object) {
  T* old = slot;
  if (old) --old->selections;
  ++object->selections;
  slot = object;
  return static_cast<Object*>(old);
}

uint32_t Channel(COLORREF color, int shift) { return (color >> shift) & 0xFF; }

// COLORREF is 0x00BBGGRR; DIB pixels are 0x00RRGGBB.
uint32_t ToPixel(COLORREF color) {
  return (Channel(color, 0) << 16) | (Channel(color, 8) << 8) | Channel(color, 16);
}

uint32_t Blend(uint32_t back, uint32_t fore, uint32_t coverage) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t b = (back >> shift) & 0xFF, f = (fore >> shift) & 0xFF;
    out |= ((b * (255 - coverage) + f * coverage + 127) / 255) << shift;
  }
  return out;
}

void Fill(Bitmap& bitmap, int left, int top, int right, int bottom, uint32_t pixel) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, bitmap.width);
  bottom = std::min(bottom, bitmap.height);
  for (int y = top; y < bottom; ++y) std::fill(bitmap.Row(y) + left, bitmap.Row(y) + std::max(left, right), pixel);
}

void DrawCoverage(Bitmap& target, const FT_Bitmap& glyph, int x0, int y0, uint32_t fore) {
  for (int r = 0; r < int(glyph.rows); ++r) {
    int y = y0 + r;
    if (y < 0 || y >= target.height) continue;
    const unsigned char* src = glyph.buffer + r * glyph.pitch;
    uint32_t* row = target.Row(y);
    for (int c = 0; c < int(glyph.width); ++c) {
      int x = x0 + c;
      if (x >= 0 && x < target.width && src[c]) row[x] = Blend(row[x], fore, src[c]);
    }
  }
}

}  // namespace

void Track(Object* object) { Objects().insert(object); }

Object* Lookup(HGDIOBJ handle, ObjectKind kind) {
  Object* object = AnyObject(handle);
  return object && object->kind == kind ? object : nullptr;
}

HDC__* LookupDC(HDC dc) { return Contexts().count(dc) ? dc : nullptr; }

}  // namespace platform::gdi

namespace gdi = platform::gdi;

HDC CreateCompatibleDC(HDC) {
  HDC dc = new HDC__;
  gdi::Contexts().insert(dc);
  return dc;
}

BOOL DeleteDC(HDC handle) {
  HDC__* dc = gdi::LookupDC(handle);
  if (!dc) return FALSE;
  if (dc->font) --dc->font->selections;
  if (dc->bitmap) --dc->bitmap->selections;
  if (dc->brush) --dc->brush->selections;
  gdi::Contexts().erase(dc);
  delete dc;
  return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  // Bounded so that width x height x 4 stays well inside memory and size_t.
  constexpr LONG kMaxSide = 16384;
  LONG height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biPlanes != 1 || h.biWidth <= 0 ||
      h.biWidth > kMaxSide || height <= 0 || height > kMaxSide)
    return nullptr;
  auto* bitmap = new gdi::Bitmap(h.biWidth, height, h.biHeight < 0);
  if (!bitmap->Pixels()) {
    delete bitmap;
    return nullptr;
  }
  gdi::Track(bitmap);
  if (bits) *bits = bitmap->Pixels();
  return reinterpret_cast<HBITMAP>(static_cast<gdi::Object*>(bitmap));
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ handleObject) {
  HDC__* dc = gdi::LookupDC(handle);
  gdi::Object* object = gdi::AnyObject(handleObject);
  if (!dc || !object) return nullptr;
  switch (object->kind) {
    case gdi::ObjectKind::kFont:
      return gdi::Swap(dc->font, static_cast<gdi::Font*>(object));
    case gdi::ObjectKind::kBitmap:
      return gdi::Swap(dc->bitmap, static_cast<gdi::Bitmap*>(object));
    case gdi::ObjectKind::kBrush:
      return gdi::Swap(dc->brush, static_cast<gdi::Brush*>(object));
  }
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ handle) {
  gdi::Object* object = gdi::AnyObject(handle);
  if (!object || object->selections > 0) return FALSE;
  if (object->stock) return TRUE;
  gdi::Objects().erase(object);
  delete object;
  return TRUE;
}

HGDIOBJ GetStockObject(int which) {
  if (which != BLACK_BRUSH) return nullptr;
  static gdi::Brush* black = [] {
    auto* brush = new gdi::Brush(RGB(0, 0, 0));
    brush->stock = true;
    gdi::Track(brush);
    return brush;
  }();
  return static_cast<gdi::Object*>(black);
}

int SetMapMode(HDC handle, int mode) {
  HDC__* dc = gdi::LookupDC(handle);
  if (!dc) return 0;
  return std::exchange(dc->mapMode, mode);
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
  HDC__* dc = gdi::LookupDC(handle);
  return dc ? std::exchange(dc->textColor, color) : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
  HDC__* dc = gdi::LookupDC(handle);
  return dc ? std::exchange(dc->backColor, color) : CLR_INVALID;
}

UINT SetTextAlign(HDC handle, UINT align) {
  HDC__* dc = gdi::LookupDC(handle);
  return dc ? std::exchange(dc->align, align) : 0xFFFFFFFFu;
}

DWORD SetMapperFlags(HDC handle, DWORD flags) {
  HDC__* dc = gdi::LookupDC(handle);
  return dc ? std::exchange(dc->mapperFlags, flags) : 0xFFFFFFFFu;
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle) {
  HDC__* dc = gdi::LookupDC(handle);
  auto* brush = static_cast<gdi::Brush*>(gdi::Lookup(brushHandle, gdi::ObjectKind::kBrush));
  if (!dc || !rect || !brush) return 0;
  if (dc->bitmap)
    gdi::Fill(*dc->bitmap, rect->left, rect->top, rect->right, rect->bottom, gdi::ToPixel(brush->color));
  return 1;
}

BOOL ExtTextOutW(HDC handle, int x, int y, UINT, const RECT*, LPCWSTR text, UINT count, const INT*) {
  HDC__* dc = gdi::LookupDC(handle);
  if (!dc || !dc->font || (count > 0 && !text)) return FALSE;
  gdi::Font& font = *dc->font;
  const int baseline = y + font.Ascent();
  for (UINT i = 0; i < count; ++i) {
    const int advance = font.Advance(text[i]);
    if (dc->bitmap)
      gdi::Fill(*dc->bitmap, x, y, x + advance, y + font.CellHeight(), gdi::ToPixel(dc->backColor));
    const FT_Bitmap* glyph = nullptr;
    int left = 0, top = 0;
    if (dc->bitmap && font.Rasterise(text[i], &glyph, &left, &top)) {
      // Rounding the ascent and hinting can push a glyph that reaches the
      // face's descent (an underscore) or ascent a row past the cell; one that
      // fits is moved back inside, since text drawn in cells keeps only those.
      int row = baseline - top;
      if (int(glyph->rows) <= font.CellHeight()) row = std::clamp(row, y, y + font.CellHeight() - int(glyph->rows));
      gdi::DrawCoverage(*dc->bitmap, *glyph, x + left, row, gdi::ToPixel(dc->textColor));
    }
    x += advance;
  }
  return TRUE;
}
