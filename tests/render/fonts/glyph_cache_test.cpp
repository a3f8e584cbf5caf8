#include "render/fonts/glyph_cache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(GlyphCacheTest, CellsFollowTheCellSize) {
  struct Case {
    int cell;
    size_t count;
  } cases[] = {{21, 48 * 48}, {72, 14 * 14}, {1024, 1}, {0, 0}, {1025, 0}, {-5, 0}};
  GlyphCache cache;
  for (const Case& c : cases) {
    cache.Build(c.cell, 6, 12);
    EXPECT_EQ(cache.CellCount(), c.count) << c.cell;
  }
}

TEST(GlyphCacheTest, WithoutCellsNoGlyphIsHad) {
  GlyphCache cache;
  cache.Build(0, 0, 0);
  EXPECT_EQ(cache.Get(u'a', 1.0f), nullptr);
  EXPECT_EQ(cache.PendingCount(), 0);
}

TEST(GlyphCacheTest, FirstGlyphsTakeTheLastColumnBottomUp) {
  GlyphCache cache;
  cache.Build(72, 20, 40);
  GlyphCache::Glyph* a = cache.Get(u'a', 0.0f);
  GlyphCache::Glyph* b = cache.Get(u'b', 0.0f);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->cellX, 13 * 72);
  EXPECT_EQ(a->cellY, 13 * 72);
  EXPECT_EQ(b->cellX, 13 * 72);
  EXPECT_EQ(b->cellY, 12 * 72);
  EXPECT_FLOAT_EQ(a->uv.x, 13 * 72 / 1024.0f);
  EXPECT_EQ(cache.Get(u'a', 5.0f), a);
  EXPECT_FLOAT_EQ(a->time, 5.0f);
}

TEST(GlyphCacheTest, FillingPastCapacityEvictsTheYoungestOldEnoughGlyph) {
  GlyphCache cache;
  cache.Build(512, 10, 10);  // four cells
  ASSERT_EQ(cache.CellCount(), 4u);
  for (char16_t code : {u'a', u'b', u'c', u'd'}) cache.Get(code, 0.0f);
  cache.ClearPending();
  // Every cell taken within the last 0.01 s: nothing to evict.
  EXPECT_EQ(cache.Get(u'e', 0.005f), nullptr);

  cache.Get(u'e', 0.5f);  // one of a..d goes
  cache.Get(u'f', 1.0f);  // e is the youngest glyph old enough, and goes
  EXPECT_EQ(cache.Find(u'e'), nullptr);
  // f is now the youngest, but a glyph in use this frame is safe.
  cache.Get(u'f', 2.0f);
  cache.Get(u'g', 2.0f);
  EXPECT_NE(cache.Find(u'f'), nullptr);
  EXPECT_NE(cache.Find(u'g'), nullptr);
  EXPECT_EQ(cache.CachedCount(), 4u);
  // e went to f before either was drawn: one cell waits, then g's.
  EXPECT_EQ(cache.PendingCount(), 2);
  // Filling many more keeps the cache within its cells.
  for (char16_t code = u'f'; code < u'z'; ++code) cache.Get(code, 2.0f + code);
  EXPECT_EQ(cache.CachedCount(), 4u);
}

TEST(GlyphCacheTest, PendingGlyphsComeInCodeOrderUntilCleared) {
  GlyphCache cache;
  cache.Build(21, 6, 12);
  for (char16_t code : {u'z', u'a', u'm'}) cache.Get(code, 0.0f);
  EXPECT_EQ(cache.PendingCount(), 3);
  std::vector<GlyphCache::Glyph*> pending;
  cache.CollectPending(pending);
  ASSERT_EQ(pending.size(), 3u);
  EXPECT_EQ(pending[0]->code, u'a');
  EXPECT_EQ(pending[1]->code, u'm');
  EXPECT_EQ(pending[2]->code, u'z');
  cache.ClearPending();
  cache.CollectPending(pending);
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(cache.PendingCount(), 0);
}

}  // namespace
