// Morph shapes: reading both ends, blending at a ratio, and tessellating
// only when the ratio changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/geometry/morph_shape.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"

namespace {
using namespace swf_test;

class Morphs : public ::testing::Test {
 protected:
  void SetUp() override {
    movie = LoadMovie("morphs.swf");
    ASSERT_TRUE(movie);
  }
  swf::morph_shape* Morph(int id) { return dynamic_cast<swf::morph_shape*>(movie->find_character(id)); }
  std::vector<std::string> Draw(int id, float ratio) {
    backend.ClearCalls();
    swf::display_state state;
    state.ratio = ratio;
    Morph(id)->display_with(state);
    return backend.Calls();
  }

  RecordingBackend backend;
  MovieFolder folder;
  PlayerLogCapture log;
  swf::counted_ptr<swf::movie_def_impl> movie;
};

TEST_F(Morphs, BlendsStylesAndEdgesAtTheRatio) {
  swf::morph_shape* morph = Morph(1);
  ASSERT_TRUE(morph);
  EXPECT_EQ(morph->start_shape().paths.size(), 1);
  EXPECT_EQ(morph->end_shape().paths.size(), 1);
  // Solid morph colours are RGBA although the tag is not DefineShape3.
  EXPECT_EQ(morph->end_shape().line_styles[0].color.a, 0x80);
  const std::vector<std::string> calls = Draw(1, 0.5f);
  // The path has no fill of its own: it takes fill style 1.
  EXPECT_EQ(morph->paths[0].fill0, 1);
  EXPECT_EQ(backend.CallsNamed("solid_fill"), (std::vector<std::string>{"solid_fill 0 800080ff"}));
  EXPECT_EQ(backend.CallsNamed("stroke_width"), (std::vector<std::string>{"stroke_width 30"}));
  EXPECT_EQ(backend.CallsNamed("solid_stroke"), (std::vector<std::string>{"solid_stroke 808080c0"}));
  EXPECT_EQ(morph->bounds.x_max, 150);
  EXPECT_EQ(morph->paths[0].edges[1].anchor_x, 150);
  EXPECT_EQ(morph->paths[0].edges[1].anchor_y, 150);
}

TEST_F(Morphs, TessellatesAndMakesGradientsOnlyWhenTheRatioChanges) {
  for (int id : {1, 2}) {
    Draw(id, 0.25f);
    const swf::tessellation* first = Morph(id)->current_tessellation();
    const size_t bitmaps = backend.BitmapCount();
    const std::vector<std::string> strips = backend.CallsNamed("render_triangle_strip");
    ASSERT_EQ(strips.size(), 1u) << id;
    Draw(id, 0.25f);
    EXPECT_EQ(Morph(id)->current_tessellation(), first) << id;
    EXPECT_EQ(backend.BitmapCount(), bitmaps) << id;
    EXPECT_EQ(backend.CallsNamed("render_triangle_strip"), strips) << id;
    Draw(id, 0.75f);
    if (id == 1) {
      EXPECT_NE(backend.CallsNamed("render_triangle_strip"), strips);
    } else {
      EXPECT_EQ(backend.BitmapCount(), bitmaps + 1);
    }
  }
  // The gradient's ramp is made again at the new ratio: its first stop
  // blends from red to blue.
  const std::vector<std::string> fills = backend.CallsNamed("textured_fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(Morph(2)->fill_styles[0].stops[1].ratio, 160);  // 255 + (128 - 255) x 0.75 + 0.5
  EXPECT_EQ(Morph(2)->fill_styles[0].color.b, 191);
}

TEST_F(Morphs, AnEndShapeShortOfEdgesBlendsWithTheStartsOwn) {
  swf::morph_shape* morph = Morph(3);
  Draw(3, 1.0f);
  ASSERT_EQ(morph->paths.size(), 1);
  ASSERT_EQ(morph->paths[0].edges.size(), 4);
  EXPECT_EQ(morph->paths[0].start_x, 10);
  EXPECT_EQ(morph->paths[0].edges[0].anchor_x, 110);
  EXPECT_EQ(morph->paths[0].edges[0].anchor_y, 10);
  // The end shape has no second edge: the start's stands for it.
  EXPECT_EQ(morph->paths[0].edges[1].anchor_x, 100);
  EXPECT_EQ(morph->paths[0].edges[1].anchor_y, 100);
}

}  // namespace
