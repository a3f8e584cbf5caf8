// The glyph texture cache: glyphs rendered, packed into 256 x 256 alpha
// textures and drawn as quads, and the font block of ".gsc" files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "swf/base/file_object.h"
#include "swf/movie/tag_loaders.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"
#include "swf/render/backend_bitmap.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"
#include "temp_folder.h"

namespace {
using namespace swf_test;
namespace fs = std::filesystem;

constexpr int kSide = 256;

// The movie as read, without the glyph textures a load would build.
swf::counted_ptr<swf::movie_def_impl> ReadMovie(const std::string& name) {
  swf::register_standard_tag_loaders();
  std::unique_ptr<swf::file_object> file(swf::file_object::open(FixturePath(name).c_str(), "rb"));
  swf::counted_ptr<swf::movie_def_impl> movie(new swf::movie_def_impl(false, false));
  movie->read(file.get());
  return movie;
}

// The coverage bytes of a recorded alpha texture.
std::vector<uint8_t> Coverage(const RecordedBitmap& bitmap) {
  std::vector<uint8_t> bytes;
  for (size_t i = 3; i < bitmap.rgba.size(); i += 4) bytes.push_back(bitmap.rgba[i]);
  return bytes;
}

class GlyphCache : public ::testing::Test {
 protected:
  void Build(int font_id) {
    swf::dyn_array<swf::font*> fonts;
    fonts.push_back(movie->find_font(font_id));
    swf::fontlib::build_glyph_textures(fonts, movie.get());
  }
  RecordingBackend backend;
  PlayerLogCapture log;
  swf::counted_ptr<swf::movie_def_impl> movie = ReadMovie("glyph_cache.swf");
};

TEST_F(GlyphCache, TextureHoldsEachImageInsideItsBorder) {
  Build(1);
  ASSERT_EQ(backend.BitmapCount(), 1u);
  swf::font* f = movie->find_font(1);
  const swf::cached_glyph& square = f->get_cached_glyph(0);
  ASSERT_TRUE(square.bitmap);
  EXPECT_EQ(movie->get_bitmap_count(), 1) << "the movie keeps the texture";
  const RecordedBitmap* texture = backend.Find(square.bitmap.get());
  ASSERT_NE(texture, nullptr);
  ASSERT_EQ(texture->width, kSide);
  ASSERT_EQ(texture->height, kSide);

  // The 32 x 40 square in a 38 x 46 cell at the corner; the one-render-pixel
  // glyph (coverage 255 / 16) in a 7 x 7 cell below it.
  std::vector<uint8_t> expected(kSide * kSide, 0);
  for (int y = 3; y < 43; ++y)
    for (int x = 3; x < 35; ++x) expected[y * kSide + x] = 255;
  expected[49 * kSide + 3] = 15;
  EXPECT_TRUE(Coverage(*texture) == expected);

  EXPECT_FLOAT_EQ(square.bounds.x_min, 0.0f);
  EXPECT_FLOAT_EQ(square.bounds.x_max, 38.0f / kSide);
  EXPECT_FLOAT_EQ(square.bounds.y_max, 46.0f / kSide);
  EXPECT_FLOAT_EQ(square.origin_x, 0.0f);
  EXPECT_FLOAT_EQ(square.origin_y, 40.0f / kSide) << "the baseline at the image's bottom";

  const swf::cached_glyph& shifted = f->get_cached_glyph(1);
  EXPECT_EQ(shifted.bitmap, square.bitmap) << "identical images share a cell";
  EXPECT_FLOAT_EQ(shifted.bounds.x_min, square.bounds.x_min);
  EXPECT_FLOAT_EQ(shifted.bounds.y_max, square.bounds.y_max);
  EXPECT_FLOAT_EQ(shifted.origin_x, -1.0f / kSide) << "its own origin, a pixel left of its image";
  EXPECT_FLOAT_EQ(shifted.origin_y, square.origin_y);

  const swf::cached_glyph& dot = f->get_cached_glyph(2);
  EXPECT_FLOAT_EQ(dot.bounds.y_min, 46.0f / kSide);
  EXPECT_FLOAT_EQ(dot.origin_y, (46.0f + 1.0f) / kSide);
  EXPECT_FALSE(f->get_cached_glyph(3).bitmap) << "an empty glyph gets no cached image";
  EXPECT_EQ(f->nominal_glyph_size(), 96);
}

TEST_F(GlyphCache, CellsSlideLeftAndMayTouchTheTexturesEdge) {
  Build(2);
  ASSERT_EQ(backend.BitmapCount(), 1u);
  swf::font* f = movie->find_font(2);
  struct Cell {
    float x, y;
  };
  const Cell expected[] = {{0, 0}, {0, 102}, {102, 0}, {102, 100}, {204, 0}};
  for (int i = 0; i < 5; ++i) {
    const swf::cached_glyph& g = f->get_cached_glyph(i);
    ASSERT_TRUE(g.bitmap) << i;
    EXPECT_FLOAT_EQ(g.bounds.x_min * kSide, expected[i].x) << i;
    EXPECT_FLOAT_EQ(g.bounds.y_min * kSide, expected[i].y) << i;
  }
  EXPECT_FLOAT_EQ(f->get_cached_glyph(4).bounds.x_max, 1.0f);
  const std::vector<uint8_t> coverage = Coverage(*backend.Find(f->get_cached_glyph(4).bitmap.get()));
  EXPECT_EQ(coverage[3 * kSide + 204 + 3], 255);
  EXPECT_EQ(coverage[3 * kSide + 204 + 3 + 45], 255) << "the box's last column";
  EXPECT_EQ(coverage[3 * kSide + 255], 0) << "the border";
}

TEST_F(GlyphCache, GlyphsThatDoNotFitStartAnotherTexture) {
  Build(2);
  Build(1);
  EXPECT_EQ(backend.BitmapCount(), 2u) << "a build fills its own texture";
  swf::dyn_array<swf::font*> both;
  both.push_back(movie->find_font(1));
  both.push_back(movie->find_font(2));
  movie->find_font(1)->wipe_cached_glyphs();
  movie->find_font(2)->wipe_cached_glyphs();
  swf::fontlib::build_glyph_textures(both, movie.get());
  // The squares of font 1 fill the gaps that font 2's big cells leave.
  EXPECT_EQ(backend.BitmapCount(), 3u);
  EXPECT_EQ(movie->find_font(1)->get_cached_glyph(0).bitmap, movie->find_font(2)->get_cached_glyph(0).bitmap);
}

TEST_F(GlyphCache, DrawnQuadCoversTheOutline) {
  Build(1);
  swf::font* f = movie->find_font(1);
  backend.ClearCalls();
  swf::matrix2x3 m;
  swf::fontlib::draw_cached_glyph(m, f->get_cached_glyph(0), swf::rgba_color(1, 2, 3, 4), f->nominal_glyph_size());
  ASSERT_EQ(backend.CallsNamed("render_bitmap").size(), 1u);
  // 16 glyph units a pixel: the cell's border lies 48 units around the
  // square's 0..512 x -640..0.
  EXPECT_EQ(backend.Calls()[0], "render_bitmap 1 0 0 0 1 0 #1 -48 560 -688 48 0 0.148438 0 0.179688 01020304")
      << backend.Calls()[0];
  swf::fontlib::draw_cached_glyph(m, f->get_cached_glyph(0), swf::rgba_color(), 48);
  EXPECT_NE(backend.Calls()[1].find(" -96 1120 -1376 96 "), std::string::npos)
      << "the scale follows each call's nominal size: " << backend.Calls()[1];
  swf::fontlib::draw_cached_glyph(m, f->get_cached_glyph(3), swf::rgba_color(), 96);
  EXPECT_EQ(backend.Calls().size(), 2u) << "a glyph without image draws nothing";
  EXPECT_FLOAT_EQ(swf::fontlib::cached_glyph_em_size(*f), 64.0f);
}

// The font block of a ".gsc" file beside a copy of a movie.
class FontBlock : public ::testing::Test {
 protected:
  void Load(const std::string& movie_name, const std::string& block) {
    fs::copy_file(FixturePath(movie_name), temp.Path() / "movie.swf", fs::copy_options::overwrite_existing);
    std::ofstream(temp.Path() / "movie.swf.gsc", std::ios::binary) << "gsc\x04" + block + "\xff\xff";
    log.Lines().clear();
    movie = LoadMovie("movie.swf");
    ASSERT_TRUE(movie);
  }
  static std::string U16(int v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
  static std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
  static std::string F32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return U32(bits);
  }
  static std::string Glyph(int index, int texture, float x0, float y0, float x1, float y1, float ox, float oy) {
    return U32(static_cast<uint32_t>(index)) + U16(texture) + F32(x0) + F32(y0) + F32(x1) + F32(y1) + F32(ox) +
           F32(oy);
  }
  RecordingBackend backend;
  TempFolder temp;
  MovieFolder folder{temp.Path().string()};
  PlayerLogCapture log;
  swf::counted_ptr<swf::movie_def_impl> movie;
};

TEST_F(FontBlock, AssembledBlockFillsTheCachedGlyphs) {
  fs::copy_file(FixturePath("cached_fonts.swf.gsc"), temp.Path() / "cached_fonts.swf.gsc");
  fs::copy_file(FixturePath("cached_fonts.swf"), temp.Path() / "cached_fonts.swf");
  movie = LoadMovie("cached_fonts.swf");
  ASSERT_TRUE(movie);
  swf::font* f = movie->find_font(3);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->nominal_glyph_size(), 48);
  const swf::cached_glyph& g = f->get_cached_glyph(0);
  ASSERT_TRUE(g.bitmap);
  EXPECT_EQ(g.bitmap.get(), movie->get_bitmap_at(0));
  EXPECT_FLOAT_EQ(g.bounds.x_min, 0.25f);
  EXPECT_FLOAT_EQ(g.bounds.x_max, 0.75f);
  EXPECT_FLOAT_EQ(g.bounds.y_max, 0.5f);
  EXPECT_FLOAT_EQ(g.origin_x, 0.5f);
  EXPECT_FLOAT_EQ(g.origin_y, 0.25f);
  const RecordedBitmap* texture = backend.Find(g.bitmap.get());
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(Coverage(*texture), (std::vector<uint8_t>{0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}));
  EXPECT_FALSE(f->get_cached_glyph(1).bitmap) << "the cache, not a build, gave the glyphs";
  EXPECT_TRUE(log.Has("error: invalid glyph index 5 in cached font data, limit is 2, font is '<null>'\n"))
      << log.Text();
}

TEST_F(FontBlock, BuiltGlyphsRoundTripThroughTheBlock) {
  // Build the textures of a movie, write them as a font block, load it.
  movie = ReadMovie("glyph_cache.swf");
  swf::dyn_array<swf::font*> fonts;
  movie->collect_own_fonts(&fonts);
  swf::fontlib::build_glyph_textures(fonts, movie.get());
  std::string block = U16(movie->get_bitmap_count());
  for (int i = 0; i < movie->get_bitmap_count(); ++i) {
    const RecordedBitmap* texture = backend.Find(movie->get_bitmap_at(i));
    const std::vector<uint8_t> coverage = Coverage(*texture);
    block += U16(texture->width) + U16(texture->height) + std::string(coverage.begin(), coverage.end());
  }
  block += U16(fonts.size());
  for (swf::font* f : fonts) {
    std::string glyphs;
    int count = 0;
    for (int i = 0; i < f->glyph_count(); ++i) {
      const swf::cached_glyph& g = f->get_cached_glyph(i);
      if (!g.bitmap) continue;
      ++count;
      glyphs += Glyph(i, g.bitmap->texture_index - 1, g.bounds.x_min, g.bounds.y_min, g.bounds.x_max,
                      g.bounds.y_max, g.origin_x, g.origin_y);
    }
    block += U16(f->nominal_glyph_size()) + U32(count) + glyphs;
  }
  swf::counted_ptr<swf::movie_def_impl> built = movie;
  const size_t textures_before = backend.BitmapCount();
  Load("glyph_cache.swf", block);
  EXPECT_EQ(log.ErrorCount(), 0) << log.Text();
  EXPECT_EQ(backend.BitmapCount(), 2 * textures_before) << "loaded, not built again";
  for (int id : {1, 2}) {
    for (int i = 0; i < built->find_font(id)->glyph_count(); ++i) {
      const swf::cached_glyph& a = built->find_font(id)->get_cached_glyph(i);
      const swf::cached_glyph& b = movie->find_font(id)->get_cached_glyph(i);
      ASSERT_EQ(bool(a.bitmap), bool(b.bitmap)) << id << "/" << i;
      if (!a.bitmap) continue;
      EXPECT_EQ(Coverage(*backend.Find(a.bitmap.get())), Coverage(*backend.Find(b.bitmap.get())));
      EXPECT_EQ(std::memcmp(&a.bounds, &b.bounds, sizeof a.bounds), 0) << id << "/" << i;
      EXPECT_EQ(a.origin_x, b.origin_x);
      EXPECT_EQ(a.origin_y, b.origin_y);
    }
  }
}

TEST_F(FontBlock, ErrorsAbandonTheBlock) {
  const std::string one_texture = U16(1) + U16(2) + U16(1) + std::string("\x01\x02", 2);
  const std::string font_header = U16(96) + U32(1);
  struct Case {
    std::string block;
    const char* message;
  };
  const Case cases[] = {
      {one_texture + U16(1), "error: mismatched font count (read 1, expected 2) in cached font data\n"},
      {one_texture + U16(2) + font_header + Glyph(0, 1, 0, 0, 1, 1, 0, 0),
       "error: invalid bitmap index 1 in cached font data\n"},
      {one_texture + U16(2) + font_header + Glyph(4, 0, 0, 0, 1, 1, 0, 0),
       "error: invalid glyph index 4 in cached font data, limit is 4, font is 'Cells'\n"},
      {U16(1) + U16(4000) + U16(4000), "error: cached font texture of 4000 x 4000 pixels runs past"},
      {one_texture + U16(2) + U16(96) + U32(100000), "error: 100000 cached glyphs run past the end of the cache file"},
  };
  for (const Case& c : cases) {
    Load("glyph_cache.swf", c.block);
    EXPECT_TRUE(log.Has(c.message)) << c.message << "\n" << log.Text();
    EXPECT_NE(movie->find_font(1), nullptr);
  }
}

TEST_F(FontBlock, EndOfFileWithinTheFonts) {
  fs::copy_file(FixturePath("glyph_cache.swf"), temp.Path() / "movie.swf");
  std::ofstream(temp.Path() / "movie.swf.gsc", std::ios::binary) << "gsc\x04" + U16(0) + U16(2).substr(0, 1);
  // A short count reads as 2 and leaves the file at its end.
  movie = LoadMovie("movie.swf");
  ASSERT_TRUE(movie);
  EXPECT_TRUE(log.Has("unexpected eof reading cache file (fonts); skipping\n")) << log.Text();
  EXPECT_FALSE(movie->find_font(1)->get_cached_glyph(0).bitmap) << "a cache found builds nothing";
}

}  // namespace

namespace {

TEST(GlyphCacheWithoutBackend, MovieLoadsWithEmptyTexturesThatKeepIndexZero) {
  MovieFolder folder;
  PlayerLogCapture log;
  auto movie = LoadMovie("glyph_cache.swf");
  ASSERT_TRUE(movie);
  const swf::cached_glyph& glyph = movie->find_font(1)->get_cached_glyph(0);
  ASSERT_TRUE(glyph.bitmap) << "built at load, with no cache file";
  EXPECT_EQ(glyph.bitmap->texture_index, 0);
  EXPECT_EQ(glyph.bitmap->width, 0);
  swf::fontlib::draw_cached_glyph(swf::matrix2x3(), glyph, swf::rgba_color(), 96);
  RecordingBackend backend;
  EXPECT_EQ(glyph.bitmap->texture_index, 0) << "a backend installed later changes nothing";
  EXPECT_EQ(log.ErrorCount(), 0) << log.Text();
}

}  // namespace
