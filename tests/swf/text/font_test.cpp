// Fonts read from DefineFont, DefineFontInfo and DefineFont2 tags.
#include <gtest/gtest.h>

#include <memory>

#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"
#include "swf/text/font.h"

namespace {
using namespace swf_test;

class Fonts : public ::testing::Test {
 protected:
  void SetUp() override {
    movie = LoadMovie("fonts.swf");
    ASSERT_TRUE(movie);
  }
  MovieFolder folder;
  PlayerLogCapture log;
  swf::counted_ptr<swf::movie_def_impl> movie;
};

TEST_F(Fonts, DefineFontWithItsInfo) {
  swf::font* f = movie->find_font(1);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->owning_movie, movie.get());
  EXPECT_EQ(f->glyph_count(), 3);
  EXPECT_NE(f->get_glyph(0), nullptr);
  EXPECT_EQ(f->get_glyph(3), nullptr);
  EXPECT_EQ(f->get_glyph(-1), nullptr);
  EXPECT_STREQ(f->get_name(), "Boxes");
  EXPECT_TRUE(f->is_bold());
  EXPECT_FALSE(f->is_ansi()) << "the info's flags replace the defaults";
  EXPECT_FALSE(f->has_wide_codes());
  EXPECT_EQ(f->get_glyph_index('A'), 0);
  EXPECT_EQ(f->get_glyph_index(' '), 2);
  EXPECT_EQ(f->get_glyph_index('C'), -1);
  EXPECT_EQ(f->get_glyph_index(0x141), -1) << "narrow codes never reach past 255";
  EXPECT_EQ(f->get_advance(-1), 512.0f);
  EXPECT_EQ(f->get_advance(0), 0.0f) << "no layout";
  EXPECT_EQ(f->get_kerning_adjustment('A', 'B'), 0.0f);
}

TEST_F(Fonts, DefineFont2WithWideCodesAndLayout) {
  swf::font* f = movie->find_font(2);
  ASSERT_NE(f, nullptr);
  EXPECT_STREQ(f->get_name(), "Wide");
  EXPECT_TRUE(f->has_wide_codes());
  EXPECT_EQ(f->glyph_count(), 2);
  EXPECT_EQ(f->get_glyph_index(0x3042), 0);
  EXPECT_EQ(f->get_glyph_index(66), 1);
  EXPECT_EQ(f->ascent(), 800.0f);
  EXPECT_EQ(f->descent(), 200.0f);
  EXPECT_EQ(f->leading(), 40.0f);
  EXPECT_EQ(f->get_advance(0), 600.0f);
  EXPECT_EQ(f->get_advance(1), 700.0f);
  EXPECT_EQ(f->get_advance(2), 0.0f) << "past the table";
  EXPECT_EQ(f->get_advance(-1), 512.0f);
  EXPECT_EQ(f->get_kerning_adjustment(0x3042, 66), -50.0f);
  EXPECT_EQ(f->get_kerning_adjustment(66, 0x3042), 0.0f) << "pairs apply in their own order only";
  swf::bounds_rect bounds;
  f->get_glyph(1)->outline_bounds(&bounds);
  EXPECT_EQ(bounds.x_min, -160.0f);
  EXPECT_EQ(bounds.y_max, 320.0f);
}

TEST_F(Fonts, MisplacedCodeTableLeavesGlyphsWithoutCodesOrLayout) {
  swf::font* f = movie->find_font(3);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->glyph_count(), 1);
  EXPECT_EQ(f->get_glyph_index(65), -1);
  EXPECT_EQ(f->get_advance(0), 0.0f);
}

TEST_F(Fonts, FirstOffsetZeroMeansNoGlyphs) {
  swf::font* f = movie->find_font(4);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->glyph_count(), 0);
  EXPECT_EQ(f->get_glyph(0), nullptr);
  EXPECT_EQ(f->get_cached_glyph(-1).bitmap, nullptr) << "the shared empty cached glyph";
}

TEST_F(Fonts, OffsetTableCutShortKeepsTheWholeOffsets) {
  swf::font* f = movie->find_font(5);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->glyph_count(), 2);
  EXPECT_TRUE(log.Has("error: font offset table runs past its tag; 2 of 16 glyphs kept\n")) << log.Text();
}

TEST_F(Fonts, ExportPrefersTheFontOfAnIdToTheCharacter) {
  swf::library_item* item = movie->find_export("shared");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->as_font(), movie->find_font(1));
  EXPECT_NE(movie->find_character(1), nullptr);
}

TEST_F(Fonts, InfoForAMissingFontIsReported) {
  EXPECT_TRUE(log.Has("define_font_info_loader: can't find font w/ id 9\n")) << log.Text();
  EXPECT_TRUE(log.Has("offset[0] = 6\n")) << log.Text();
}

TEST(FontAdvances, AnEmptyTableIsReportedOncePerProcess) {
  PlayerLogCapture log;
  swf::font a(nullptr), b(nullptr);
  a.get_advance(0);
  b.get_advance(3);
  a.get_advance(1);
  int reports = 0;
  for (const PlayerLogLine& line : log.Lines()) reports += line.text.rfind("error: empty advance table", 0) == 0;
  EXPECT_LE(reports, 1) << log.Text();
}

}  // namespace
