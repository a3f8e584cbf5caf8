// Draws glyphs with GDI into a scratch bitmap the size of the glyph texture
// and turns their coverage into 16-level white texels. A main font serves
// every code its range table covers (and every code from 256 up); a
// "Verdana" fallback serves the rest.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_font.h"
#include "render/fonts/glyph_cache.h"

class GlyphRasteriser {
 public:
  GlyphRasteriser() = default;
  ~GlyphRasteriser() { Release(); }
  GlyphRasteriser(const GlyphRasteriser&) = delete;
  GlyphRasteriser& operator=(const GlyphRasteriser&) = delete;

  // The scratch bitmap, then both fonts; false when the main font cannot be
  // made (the bitmap then exists without fonts).
  bool Create(const std::string& face, int width, int height, int weight, int charset);
  void Release();

  // The cell height GDI chose for the main font; 0 without one.
  int CellHeight() const { return cellHeight_; }

  // Draws glyphs from the front of the list, in order, as long as they fit
  // the scratch bitmap, recording each one's source and size; returns how
  // many were drawn. With the border each glyph gets a pixel all round.
  size_t Draw(GlyphCache::Glyph* const* glyphs, size_t count, int cellSize, bool border);
  // Copies drawn glyphs into their cells of an A4R4G4B4 texture of
  // kTextureSize texels a side whose rows lie `pitch` bytes apart; texels
  // outside a glyph's cell are never written.
  void Copy(GlyphCache::Glyph* const* glyphs, size_t count, uint8_t* bits, int pitch, int cellSize,
            bool border) const;

  static bool Covers(char16_t code, const std::vector<unsigned char>& ranges);

 private:
  HFONT FontFor(char16_t code);
  void Select(HFONT font);
  std::vector<unsigned char> RangesOf(HFONT font);
  uint32_t Pixel(int x, int y) const;
  bool Lit(int x, int y) const { return Pixel(x, y) != 0; }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;
  HFONT main_ = nullptr;
  HFONT fallback_ = nullptr;
  HFONT selected_ = nullptr;
  int cellHeight_ = 0;
  std::vector<unsigned char> mainRanges_;
  std::vector<unsigned char> fallbackRanges_;
};
