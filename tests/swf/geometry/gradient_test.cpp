// Gradient ramp images byte for byte, and the strip builder's joins.
#include <gtest/gtest.h>

#include <vector>

#include "swf/geometry/fill_style.h"
#include "swf/geometry/strip_builder.h"
#include "swf/geometry/trapezoid_tessellator.h"
#include "swf/recording_backend.h"

namespace {
using namespace swf_test;

swf::fill_style Gradient(int type, std::vector<swf::gradient_stop> stops) {
  swf::fill_style style;
  style.type = type;
  for (const swf::gradient_stop& stop : stops) style.stops.push_back(stop);
  return style;
}

std::vector<uint8_t> Pixel(const RecordedBitmap& image, int x, int y) {
  const auto at = image.rgba.begin() + 4 * (y * image.width + x);
  return std::vector<uint8_t>(at, at + 4);
}

const swf::rgba_color kRed(255, 0, 0, 255), kBlue(0, 0, 255, 255), kBlack(0, 0, 0, 255);

TEST(Gradients, LinearRampsSampleTheirStops) {
  RecordingBackend backend;
  struct Case {
    const char* name;
    std::vector<swf::gradient_stop> stops;
    int x;
    std::vector<uint8_t> expected;
  };
  const std::vector<Case> cases = {
      {"a single stop, before it", {{128, kRed}}, 0, {255, 0, 0, 255}},
      {"a single stop, after it", {{128, kRed}}, 255, {255, 0, 0, 255}},
      {"equal ratios, at them", {{100, kRed}, {100, kBlue}}, 100, {255, 0, 0, 255}},
      {"equal ratios, above them", {{100, kRed}, {100, kBlue}}, 101, {0, 0, 255, 255}},
      {"between two stops", {{0, kBlack}, {200, {200, 100, 0, 55}}}, 50, {50, 25, 0, 205}},
      {"no stops: the fill colour", {}, 7, {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    swf::fill_style style = Gradient(swf::fill_style::kLinearGradient, c.stops);
    style.make_gradient_bitmap();
    const RecordedBitmap* image = backend.Find(style.gradient_bitmap.get());
    ASSERT_TRUE(image) << c.name;
    ASSERT_EQ(image->width, 256) << c.name;
    ASSERT_EQ(image->height, 1) << c.name;
    EXPECT_EQ(Pixel(*image, c.x, 0), c.expected) << c.name;
  }
}

TEST(Gradients, RadialImagesRunFromTheCentreToCappedCorners) {
  RecordingBackend backend;
  swf::fill_style style = Gradient(swf::fill_style::kRadialGradient, {{0, kBlack}, {255, {255, 255, 255, 255}}});
  style.make_gradient_bitmap();
  const RecordedBitmap* image = backend.Find(style.gradient_bitmap.get());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 64);
  ASSERT_EQ(image->height, 64);
  // The four pixels nearest the centre sample ratio 5.
  for (int x : {31, 32})
    for (int y : {31, 32}) EXPECT_EQ(Pixel(*image, x, y), (std::vector<uint8_t>{5, 5, 5, 255})) << x << "," << y;
  for (int x : {0, 63})
    for (int y : {0, 63}) EXPECT_EQ(Pixel(*image, x, y), (std::vector<uint8_t>{255, 255, 255, 255})) << x << "," << y;
  EXPECT_EQ(Pixel(*image, 0, 31), (std::vector<uint8_t>{255, 255, 255, 255}));
}

TEST(StripBuilder, TrapezoidsContinueStripsOnlyFromATopEdge) {
  swf::strip_builder builder;
  builder.add_trapezoid({0, 10, 0, 0, 10, 10});     // strip 0
  builder.add_trapezoid({10, 20, 0, 5, 10, 5});     // continues strip 0, down to a point
  builder.add_trapezoid({20, 30, 5, 0, 5, 10});     // a single top point: a new strip
  builder.add_trapezoid({0, 10, 20, 20, 30, 30});   // no strip ends in its top edge
  ASSERT_EQ(builder.strips().size(), 3);
  EXPECT_EQ(builder.strips()[0].size(), 6);
  // Joined: strip 1 begins with the last two points of strip 0 (5,20 twice)
  // and follows without a bridge; strip 2 is bridged by two repeated points.
  const swf::dyn_array<int16_t> joined = builder.join();
  const std::vector<int16_t> expected = {0,  0, 10, 0, 0,  10, 10, 10, 5,  20, 5,  20, 0, 30,
                                         10, 30, 10, 30, 20, 0,  20, 0, 30, 0, 20, 10, 30, 10};
  EXPECT_EQ(std::vector<int16_t>(joined.begin(), joined.end()), expected);

  // A strip that begins with the last two points reversed repeats one.
  swf::strip_builder reversed;
  reversed.add_trapezoid({0, 10, 0, 0, 10, 10});
  reversed.add_trapezoid({10, 20, 10, 10, 0, 0});  // top edge 10,10 then 0,10
  const swf::dyn_array<int16_t> turned = reversed.join();
  EXPECT_EQ(std::vector<int16_t>(turned.begin(), turned.end()),
            (std::vector<int16_t>{0, 0, 10, 0, 0, 10, 10, 10, 0, 10, 10, 20, 0, 20}));
}

}  // namespace
