// Assembled shapes: their strips and outlines as the render backend is
// handed them, the choice among cached tessellations, hit tests, the cache
// file's records, and fills that cannot be drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "swf/geometry/shape_character.h"
#include "swf/geometry/tessellation.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"

namespace {
using namespace swf_test;

class Shapes : public ::testing::Test {
 protected:
  void SetUp() override {
    movie = LoadMovie("shapes.swf");
    ASSERT_TRUE(movie);
  }
  swf::shape_character* Shape(int id) { return dynamic_cast<swf::shape_character*>(movie->find_character(id)); }
  // Draws the shape at the scale, one pixel a screen pixel, and answers the
  // backend's calls.
  std::vector<std::string> Draw(int id, float scale = 1) {
    backend.ClearCalls();
    swf::display_state state;
    state.world_matrix.m00 = state.world_matrix.m11 = scale;
    Shape(id)->display_with(state);
    return backend.Calls();
  }

  RecordingBackend backend;
  MovieFolder folder;
  PlayerLogCapture log;
  swf::counted_ptr<swf::movie_def_impl> movie;
};

TEST_F(Shapes, StripsContinueOnASharedEdgeAndBridgeApartOnes) {
  // At one twip a pixel the tolerance is 15 twips: each straight edge is cut
  // three quarters along, so the sides of a square are cut at y 25 and 75.
  EXPECT_EQ(Draw(1), (std::vector<std::string>{
                         "put_transform 1 0 0 0 1 0",
                         "put_color_transform 1 1 1 1 0 0 0 0",
                         "solid_fill 0 ff0000ff",
                         "render_triangle_strip 0,0 100,0 0,25 100,25 0,75 100,75 0,100 100,100",
                         "solid_stroke 000000ff",
                         "stroke_width 20",
                         "render_polyline 0,0 75,0 100,0 100,75 100,100 25,100 0,100 0,25 0,0",
                     }));
  // Two squares side by side: two strips, bridged by two repeated points.
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip").size(), 1u);
  Draw(2);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip"),
            (std::vector<std::string>{"render_triangle_strip 0,0 100,0 0,25 100,25 0,75 100,75 0,100 100,100 "
                                      "100,100 200,0 200,0 300,0 200,25 300,25 200,75 300,75 200,100 300,100"}));
}

TEST_F(Shapes, ASeparatorSplitsTheSweep) {
  // Swept together, the overlap would cut both squares at x 50 and 100.
  Draw(3);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip"),
            (std::vector<std::string>{"render_triangle_strip 0,0 100,0 0,25 100,25 0,75 100,75 0,100 100,100",
                                      "render_triangle_strip 50,0 150,0 50,25 150,25 50,75 150,75 50,100 150,100"}));
  EXPECT_EQ(backend.CallsNamed("solid_fill"), (std::vector<std::string>{"solid_fill 0 ff0000ff", "solid_fill 0 0000ffff"}));
}

TEST_F(Shapes, HitTestsOnStraightAndCurvedEdges) {
  struct Case {
    int id;
    float x, y;
    bool inside;
  };
  const Case cases[] = {
      {1, 50, 50, true},     {1, 150, 50, false},  {1, -1, 50, false},
      // The crossing of a straight edge counts its anchor's y, not its start's.
      {1, 50, 100, true},    {1, 50, 0, false},
      {4, 140, 50, true},    {4, 160, 50, false},  {4, 112, 5, false}, {4, 101, 50, true},
  };
  for (const Case& c : cases) EXPECT_EQ(Shape(c.id)->hit_test_local(c.x, c.y), c.inside) << c.id << " " << c.x << "," << c.y;

  // Outline bounds take path starts and anchors, not control points.
  swf::bounds_rect outline;
  Shape(4)->outline_bounds(&outline);
  EXPECT_EQ(outline.x_max, 100);
  EXPECT_EQ(outline.y_max, 100);

  swf::shape_character manual;
  manual.bounds = {0, 100, 0, 100};
  swf::shape_path path;
  path.edges.push_back({100, 0, 100, 0});
  path.edges.push_back({100, 100, 100, 100});
  path.edges.push_back({0, 0, 0, 0});
  manual.paths.push_back(path);
  EXPECT_TRUE(manual.hit_test_local(90, 50)) << "a path without a fill is tested";
  manual.paths[0].fill0 = -1;
  EXPECT_FALSE(manual.hit_test_local(90, 50)) << "a path after a style reset is not";
}

TEST_F(Shapes, CachedTessellationsServeUpToThreeTimesTheirTolerance) {
  swf::shape_character* shape = Shape(1);
  Draw(1);
  ASSERT_EQ(shape->tessellations().size(), 1u);
  EXPECT_EQ(shape->tessellations()[0]->tolerance(), 15);
  // A wanted tolerance of exactly 45 twips takes the tessellation of 15.
  const float scale = 20.0f / 45.0f;
  ASSERT_EQ(20.0f / 1.0f / scale, 45.0f);
  Draw(1, scale);
  EXPECT_EQ(shape->tessellations().size(), 1u);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip").size(), 1u);
  // A little more makes a coarser one, kept first.
  Draw(1, std::nextafter(scale, 0.0f));
  ASSERT_EQ(shape->tessellations().size(), 2u);
  EXPECT_GT(shape->tessellations()[0]->tolerance(), 33.75f);
  EXPECT_EQ(shape->tessellations()[1]->tolerance(), 15);
  // Finer than the cache holds: a third, sorted last.
  Draw(1, 4);
  ASSERT_EQ(shape->tessellations().size(), 3u);
  EXPECT_EQ(shape->tessellations()[2]->tolerance(), 3.75f);
  // A collapsed matrix draws nothing and makes nothing.
  EXPECT_TRUE(Draw(1, 0).empty());
  EXPECT_EQ(shape->tessellations().size(), 3u);
}

TEST_F(Shapes, FillsThatCannotBeDrawnLeaveTheirMeshesUndrawn) {
  // A bitmap the movie lacks, a fill of no known type and a fill index
  // beyond the array draw no mesh; of the outlines only the one whose line
  // style exists is drawn.
  const std::vector<std::string> calls = Draw(6);
  EXPECT_TRUE(backend.CallsNamed("render_triangle_strip").empty());
  EXPECT_TRUE(backend.CallsNamed("solid_fill").empty());
  EXPECT_TRUE(backend.CallsNamed("textured_fill").empty());
  EXPECT_EQ(backend.CallsNamed("render_polyline"), (std::vector<std::string>{"render_polyline 60,0 70,0"}));
}

TEST_F(Shapes, MeshCoordinatesSaturateToSixteenBits) {
  Draw(7, 1.0f / 1024);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip"),
            (std::vector<std::string>{"render_triangle_strip -32768,0 32767,0 -32768,100 32767,100"}));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float in;
    int16_t out;
  } cases[] = {{12.9f, 12}, {-12.9f, -12}, {32767.5f, 32767}, {-32768.9f, -32768}, {1e30f, 32767}, {-1e30f, -32768},
               {nan, 0}};
  for (const auto& c : cases) EXPECT_EQ(swf::to_int16_saturated(c.in), c.out) << c.in;
}

TEST_F(Shapes, StyleCountsOf255) {
  swf::shape_character* shape = Shape(8);
  EXPECT_EQ(shape->fill_styles.size(), 255);
  EXPECT_EQ(shape->line_styles.size(), 300);
  EXPECT_TRUE(log.Has("  read_line_styles: count2 = 300\n"));
  ASSERT_EQ(shape->paths.size(), 1);
  EXPECT_EQ(shape->paths[0].fill0, 255);
  EXPECT_EQ(shape->paths[0].line, 300);
}

TEST_F(Shapes, GradientFillsDrawTheirRampImage) {
  // The ramp was made while the movie loaded and the movie keeps it.
  ASSERT_EQ(movie->get_bitmap_count(), 1);
  Draw(5);
  const std::vector<std::string> fills = backend.CallsNamed("textured_fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].substr(0, std::string("textured_fill 0 #1 1 ").size()), "textured_fill 0 #1 1 ");
  const RecordedBitmap* ramp = backend.Find(movie->get_bitmap_at(0));
  ASSERT_TRUE(ramp);
  EXPECT_EQ(ramp->width, 256);
  EXPECT_EQ(std::vector<uint8_t>(ramp->rgba.begin(), ramp->rgba.begin() + 4), (std::vector<uint8_t>{255, 0, 0, 255}));
  EXPECT_EQ(std::vector<uint8_t>(ramp->rgba.end() - 4, ramp->rgba.end()), (std::vector<uint8_t>{0, 0, 255, 128}));
}

class CachedShapes : public ::testing::Test {
 protected:
  RecordingBackend backend;
  MovieFolder folder;
  PlayerLogCapture log;
};

TEST_F(CachedShapes, ATessellationFromTheCacheIsDrawnWithoutTessellating) {
  auto movie = LoadMovie("cached_shapes.swf");
  ASSERT_TRUE(movie);
  auto* shape = dynamic_cast<swf::shape_character*>(movie->find_character(1));
  ASSERT_EQ(shape->tessellations().size(), 1u);
  swf::display_state state;
  shape->display_with(state);
  EXPECT_EQ(shape->tessellations().size(), 1u);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip"), (std::vector<std::string>{"render_triangle_strip 0,0 1,1 2,2"}));
  EXPECT_EQ(backend.CallsNamed("render_polyline"), (std::vector<std::string>{"render_polyline 5,5 6,6"}));
  EXPECT_EQ(log.ErrorCount(), 0);
}

TEST_F(CachedShapes, ARecordWhoseCountsExceedTheFileStopsTheReading) {
  auto movie = LoadMovie("bad_cache.swf");
  ASSERT_TRUE(movie);
  EXPECT_TRUE(log.Has("bad tessellation record"));
  for (int id : {1, 2})
    EXPECT_TRUE(dynamic_cast<swf::shape_character*>(movie->find_character(id))->tessellations().empty()) << id;
}

}  // namespace
