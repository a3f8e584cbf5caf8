// libFuzzer target: a TrueType font file as the game finds one in "fonts/":
// made known with AddFontResourceA, chosen for the text font (the only file,
// so it serves any face), and glyphs of several scripts drawn at two sizes,
// with and without a border, and copied into a glyph texture as the text
// font does. Seeds: the smallest of the game's font files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_target.h"
#include "platform/gdi/gdi_font.h"
#include "render/fonts/glyph_cache.h"
#include "render/fonts/glyph_rasteriser.h"

namespace {

constexpr char16_t kCodes[] = {u'A', u'g', u'0', u' ', u'\u00e9', u'\u20ac', u'\u0416', u'\u4e2d', u'\uffff'};
constexpr int kPitch = GlyphCache::kTextureSize * 2;

void DrawGlyphs(int height, int weight, int cellSize, bool border) {
  GlyphRasteriser rasteriser;
  if (!rasteriser.Create("Daravur", 0, height, weight, 1)) return;
  GlyphCache cache;
  cache.Build(cellSize, 0, height);
  std::vector<GlyphCache::Glyph*> glyphs;
  for (char16_t code : kCodes)
    if (GlyphCache::Glyph* glyph = cache.Get(code, 0.0f)) glyphs.push_back(glyph);
  const size_t drawn = rasteriser.Draw(glyphs.data(), glyphs.size(), cellSize, border);
  static std::vector<uint8_t> texture(size_t(kPitch) * GlyphCache::kTextureSize);
  rasteriser.Copy(glyphs.data(), drawn, texture.data(), kPitch, cellSize, border);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("input.ttf", data, size);
  if (!AddFontResourceA(path.c_str())) return 0;
  DrawGlyphs(20, 400, 36, false);
  DrawGlyphs(-9, 900, 16, true);
  RemoveFontResourceA(path.c_str());
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { seeds.AddSourceFile("data/fonts/EBGaramond12-Bold.ttf"); }
