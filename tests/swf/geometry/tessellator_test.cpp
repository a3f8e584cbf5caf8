// The trapezoid tessellator, watched through a sink that records what it is
// handed.
#include <gtest/gtest.h>

#include <vector>

#include "swf/geometry/trapezoid_tessellator.h"

namespace {
namespace tess = swf::trapezoid_tessellator;

struct Trapezoid {
  int style;
  float y0, y1, left_x0, left_x1, right_x0, right_x1;
  bool operator==(const Trapezoid& o) const {
    return style == o.style && y0 == o.y0 && y1 == o.y1 && left_x0 == o.left_x0 && left_x1 == o.left_x1 &&
           right_x0 == o.right_x0 && right_x1 == o.right_x1;
  }
};

std::ostream& operator<<(std::ostream& out, const Trapezoid& t) {
  return out << "{" << t.style << ": y " << t.y0 << ".." << t.y1 << " left " << t.left_x0 << ".." << t.left_x1
             << " right " << t.right_x0 << ".." << t.right_x1 << "}";
}

struct Outline {
  int style;
  std::vector<float> points;
};

class RecordingSink : public swf::trapezoid_sink {
 public:
  void take_trapezoid(int style, const swf::trapezoid& t) override {
    trapezoids.push_back({style, t.y0, t.y1, t.left_x0, t.left_x1, t.right_x0, t.right_x1});
  }
  void take_outline(int style, const float* points, int count) override {
    outlines.push_back({style, std::vector<float>(points, points + 2 * count)});
  }
  std::vector<Trapezoid> trapezoids;
  std::vector<Outline> outlines;
};

// A closed polygon as one path of straight edges.
void Polygon(int left, int right, int line, const std::vector<std::pair<float, float>>& corners) {
  tess::start_path(left, right, line, corners[0].first, corners[0].second);
  for (size_t i = 1; i <= corners.size(); ++i) {
    const auto& p = corners[i % corners.size()];
    tess::line_to(p.first, p.second);
  }
  tess::finish_path();
}

TEST(TrapezoidTessellator, ToleranceOfZeroOrBelowIsOneTwip) {
  std::vector<std::vector<float>> seen;
  for (float tolerance : {0.0f, -3.0f, 1.0f}) {
    RecordingSink sink;
    tess::start_shape(&sink, tolerance);
    tess::start_path(-1, -1, 0, 0, 0);
    // A straight edge: the first test measures a quarter of its length, and
    // a halved curve's first half ends three quarters along.
    tess::curve_to(8, 0, 8, 0);
    tess::finish_path();
    tess::finish_shape();
    ASSERT_EQ(sink.outlines.size(), 1u);
    seen.push_back(sink.outlines[0].points);
  }
  EXPECT_EQ(seen[0], (std::vector<float>{0, 0, 6, 0, 8, 0}));
  EXPECT_EQ(seen[1], seen[0]);
  EXPECT_EQ(seen[2], seen[0]);
}

TEST(TrapezoidTessellator, ExactTrapezoidsOfSimpleShapes) {
  struct Case {
    const char* name;
    int left, right;
    std::vector<std::pair<float, float>> corners;
    std::vector<Trapezoid> expected;
  };
  const std::vector<Case> cases = {
      // The left edge, walked upwards, has only a right style: the slab is
      // filled from the right styles.
      {"square, fill on the left", 0, -1, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{0, 0, 100, 0, 0, 100, 100}}},
      {"square, fill on the right", -1, 2, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}, {{2, 0, 100, 0, 0, 100, 100}}},
      {"triangle", 0, -1, {{0, 0}, {100, 100}, {0, 100}}, {{0, 0, 100, 0, 0, 0, 100}}},
      // A vertex halfway down cuts the slab there.
      {"diamond", 1, -1, {{50, 0}, {100, 50}, {50, 100}, {0, 50}},
       {{1, 0, 50, 50, 0, 50, 100}, {1, 50, 100, 0, 50, 100, 50}}},
      // Crossing segments are not split where they cross: one slab, whose
      // filled span has sides that cross.
      {"bow tie", 0, -1, {{0, 0}, {100, 100}, {100, 0}, {0, 100}}, {{0, 0, 100, 0, 0, 0, 100}}},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    tess::start_shape(&sink, 1000);
    Polygon(c.left, c.right, -1, c.corners);
    tess::finish_shape();
    EXPECT_EQ(sink.trapezoids, c.expected) << c.name;
    EXPECT_TRUE(sink.outlines.empty()) << c.name;
  }
}

TEST(TrapezoidTessellator, PathsWithoutFillsGiveOutlinesOnly) {
  RecordingSink sink;
  tess::start_shape(&sink, 1000);
  Polygon(-1, -1, 3, {{0, 0}, {100, 0}, {100, 100}});
  tess::finish_shape();
  EXPECT_TRUE(sink.trapezoids.empty());
  ASSERT_EQ(sink.outlines.size(), 1u);
  EXPECT_EQ(sink.outlines[0].style, 3);
  EXPECT_EQ(sink.outlines[0].points, (std::vector<float>{0, 0, 100, 0, 100, 100, 0, 0}));
}

TEST(TrapezoidTessellator, HorizontalSegmentsAndSinglePointsGiveNothing) {
  RecordingSink sink;
  tess::start_shape(&sink, 1000);
  tess::start_path(0, 0, -1, 0, 10);
  tess::line_to(100, 10);
  tess::line_to(0, 10);
  tess::finish_path();
  tess::start_path(-1, -1, 0, 5, 5);  // a move without edges
  tess::finish_path();
  tess::finish_shape();
  EXPECT_TRUE(sink.trapezoids.empty());
  EXPECT_TRUE(sink.outlines.empty());
}

TEST(TrapezoidTessellator, CurvesAreFlattenedToTheToleranceWithinABound) {
  {
    // The curve's midpoint lies 0.25 twips off its chord's: one segment.
    RecordingSink sink;
    tess::start_shape(&sink, 1);
    tess::start_path(-1, -1, 0, 0, 0);
    tess::curve_to(1, 1, 2, 0);
    tess::finish_path();
    tess::finish_shape();
    ASSERT_EQ(sink.outlines.size(), 1u);
    EXPECT_EQ(sink.outlines[0].points, (std::vector<float>{0, 0, 2, 0}));
  }
  {
    // 2 twips off: halved once, each half then within the tolerance.
    RecordingSink sink;
    tess::start_shape(&sink, 1);
    tess::start_path(-1, -1, 0, 0, 0);
    tess::curve_to(4, 8, 8, 0);
    tess::finish_path();
    tess::finish_shape();
    ASSERT_EQ(sink.outlines.size(), 1u);
    EXPECT_EQ(sink.outlines[0].points.size(), 2u * 5);
  }
  {
    // A tolerance far below any visible need stops at the subdivision cap.
    RecordingSink sink;
    tess::start_shape(&sink, 1e-9f);
    tess::start_path(0, -1, 0, 0, 0);
    tess::curve_to(30000, 30000, 0, 30000);
    tess::line_to(0, 0);
    tess::finish_path();
    tess::finish_shape();
    ASSERT_EQ(sink.outlines.size(), 1u);
    EXPECT_EQ(sink.outlines[0].points.size(), 2u * ((1 << tess::kMaxSubdivisionDepth) + 2));
    EXPECT_FALSE(sink.trapezoids.empty());
  }
}

}  // namespace
