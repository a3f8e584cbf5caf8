#include "render/fonts/glyph_rasteriser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/font_test_support.h"

namespace {

constexpr int kTexels = GlyphCache::kTextureSize;

class GlyphRasteriserTest : public font_test::FontFilesTest {
 protected:
  // A texture whose rows carry padding, prefilled with a marker byte.
  static constexpr int kPitch = kTexels * 2 + 64;
  std::vector<uint8_t> texture_ = std::vector<uint8_t>(size_t(kPitch) * kTexels, 0xAB);
  GlyphRasteriser rasteriser_;
  GlyphCache cache_;

  uint16_t Texel(int x, int y) const {
    uint16_t t;
    std::memcpy(&t, &texture_[size_t(y) * kPitch + x * 2], 2);
    return t;
  }
  // One glyph rasterised and copied into the texture.
  GlyphCache::Glyph* Render(char16_t code, int height, int weight, int cell, bool border) {
    EXPECT_TRUE(rasteriser_.Create("DejaVu Sans", 0, height, weight, 1));
    cache_.Build(cell, 0, height);
    GlyphCache::Glyph* glyph = cache_.Get(code, 0.0f);
    EXPECT_EQ(rasteriser_.Draw(&glyph, 1, cell, border), 1u);
    rasteriser_.Copy(&glyph, 1, texture_.data(), kPitch, cell, border);
    return glyph;
  }
  // True when every byte outside the cell still holds the marker.
  bool UntouchedOutside(int cellX, int cellY, int cell) const {
    for (int y = 0; y < kTexels; ++y)
      for (int b = 0; b < kPitch; ++b) {
        bool inside = y >= cellY && y < cellY + cell && b >= cellX * 2 && b < (cellX + cell) * 2;
        if (!inside && texture_[size_t(y) * kPitch + b] != 0xAB) return false;
      }
    return true;
  }
};

TEST_F(GlyphRasteriserTest, GlyphsLandInTheirCellsWithWhiteTexels) {
  GlyphCache::Glyph* glyph = Render(u'H', 20, 400, 36, false);
  EXPECT_EQ(rasteriser_.CellHeight(), 20);
  EXPECT_EQ(glyph->height, 20);
  EXPECT_GT(glyph->width, 5);
  int opaque = 0;
  for (int y = 0; y < glyph->height; ++y)
    for (int x = 0; x < glyph->width; ++x) {
      uint16_t t = Texel(glyph->cellX + x, glyph->cellY + y);
      EXPECT_TRUE(t == 0 || (t & 0x0FFF) == 0x0FFF) << std::hex << t;
      opaque += (t >> 12) == 0xF;
    }
  EXPECT_GT(opaque, 20);
  EXPECT_TRUE(UntouchedOutside(glyph->cellX, glyph->cellY, 36));
}

TEST_F(GlyphRasteriserTest, BorderedGlyphsGetABlackOutline) {
  GlyphCache::Glyph* glyph = Render(u'I', 20, 400, 36, true);
  int outline = 0;
  for (int y = 0; y < glyph->height; ++y)
    for (int x = 0; x < glyph->width + 1 && x < 36; ++x) outline += Texel(glyph->cellX + x, glyph->cellY + y) == 0xF000;
  EXPECT_GT(outline, 10);
}

TEST_F(GlyphRasteriserTest, GlyphsLargerThanTheirCellStayInside) {
  GlyphCache::Glyph* glyph = Render(u'W', 60, 700, 16, true);  // a cell far too small
  EXPECT_TRUE(UntouchedOutside(glyph->cellX, glyph->cellY, 16));
}

// The game's overlay font: file names with underscores, descenders and bars
// each leave ink in their cells.
TEST_F(GlyphRasteriserTest, DescendersReachTheTexture) {
  ASSERT_TRUE(rasteriser_.Create("times new roman", 6, 12, 500, 0));
  cache_.Build(21, 6, 12);
  for (char16_t code : std::u16string(u"_gy,|")) {
    GlyphCache::Glyph* glyph = cache_.Get(code, 0.0f);
    ASSERT_EQ(rasteriser_.Draw(&glyph, 1, 21, false), 1u);
    rasteriser_.Copy(&glyph, 1, texture_.data(), kPitch, 21, false);
    int ink = 0;
    for (int y = 0; y < glyph->height; ++y)
      for (int x = 0; x < glyph->width; ++x) ink += Texel(glyph->cellX + x, glyph->cellY + y) >> 12;
    EXPECT_GT(ink, 8) << char(code);
  }
}

TEST_F(GlyphRasteriserTest, AFullScratchBitmapEndsTheBatch) {
  GlyphRasteriser rasteriser;
  ASSERT_TRUE(rasteriser.Create("DejaVu Sans", 0, 12, 400, 1));
  GlyphCache cache;
  cache.Build(21, 0, 12);
  std::vector<GlyphCache::Glyph*> glyphs;
  for (char16_t code = 0x100; code < 0x100 + 2304; ++code) glyphs.push_back(cache.Get(code, 0.0f));
  size_t first = rasteriser.Draw(glyphs.data(), glyphs.size(), 21, false);
  EXPECT_GT(first, 1000u);
  EXPECT_LT(first, glyphs.size());
  for (size_t i = 0; i < first; ++i) EXPECT_LE(glyphs[i]->sourceY + glyphs[i]->height, kTexels);
  size_t rest = rasteriser.Draw(glyphs.data() + first, glyphs.size() - first, 21, false);
  EXPECT_EQ(first + rest, glyphs.size());
}

TEST_F(GlyphRasteriserTest, RangeTablesDecideTheFont) {
  GlyphRasteriser rasteriser;
  ASSERT_TRUE(rasteriser.Create("Daravur", 0, 12, 400, 1));
  EXPECT_FALSE(GlyphRasteriser::Covers(u'a', {}));
  // Without a font nothing is covered; with one, codes from 256 up always are.
  std::vector<unsigned char> table(sizeof(GLYPHSET));
  auto* set = reinterpret_cast<GLYPHSET*>(table.data());
  set->cRanges = 1;
  set->ranges[0] = {u'a', 3};
  EXPECT_TRUE(GlyphRasteriser::Covers(u'c', table));
  EXPECT_FALSE(GlyphRasteriser::Covers(u'd', table));
  EXPECT_FALSE(GlyphRasteriser::Covers(u'\u00FF', table));
  EXPECT_TRUE(GlyphRasteriser::Covers(u'\u0100', table));
}

}  // namespace
