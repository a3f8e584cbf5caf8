#include "render/sprites/quad_builders.h"

#include <gtest/gtest.h>

#include <cstring>

#include "render/dx8/dx8_graphics.h"

namespace {

class QuadBuildersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dx8Graphics::Create();
    GetGraphics()->SetResolution(800, 600);
  }
  void TearDown() override { Graphics::SHUTDOWN(); }
};

void ExpectAt(const Vertex2D& v, float x, float y, float u, float tv) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.u, u);
  EXPECT_FLOAT_EQ(v.v, tv);
  EXPECT_EQ(v.z, 0.0f);
  EXPECT_EQ(v.rhw, 1.0f);
}

TEST_F(QuadBuildersTest, RectQuadSitsHalfAPixelUpAndLeftInClockwiseTriangles) {
  Vertex2D v[6];
  BuildRectQuad(v, {0.25f, 0.5f}, {0.5f, 0.25f}, {0.1f, 0.2f}, {0.9f, 0.8f}, 0xFF102030);
  ExpectAt(v[0], 199.5f, 449.5f, 0.1f, 0.8f);
  ExpectAt(v[1], 199.5f, 299.5f, 0.1f, 0.2f);
  ExpectAt(v[2], 599.5f, 449.5f, 0.9f, 0.8f);
  ExpectAt(v[3], 599.5f, 299.5f, 0.9f, 0.2f);
  ExpectAt(v[4], 599.5f, 449.5f, 0.9f, 0.8f);
  ExpectAt(v[5], 199.5f, 299.5f, 0.1f, 0.2f);
  for (const Vertex2D& vertex : v) EXPECT_EQ(vertex.diffuse, 0xFF102030u);
}

TEST_F(QuadBuildersTest, RotatedQuadAtZeroRunsTopLeftTopRightBottomRight) {
  Vertex2D v[6];
  ASSERT_EQ(BuildRotatedQuad(v, {0.5f, 0.5f}, {0.25f, 0.5f}, 0.0f, {0, 0}, {1, 1}, 0xFFFFFFFF), 6u);
  const float left = 300, right = 500, top = 150, bottom = 450;
  ExpectAt(v[0], left, top, 0, 0);
  ExpectAt(v[1], right, top, 1, 0);
  ExpectAt(v[2], right, bottom, 1, 1);
  ExpectAt(v[3], left, top, 0, 0);
  ExpectAt(v[4], right, bottom, 1, 1);
  ExpectAt(v[5], left, bottom, 0, 1);
}

TEST_F(QuadBuildersTest, OrientationAboveThreeActsAsZero) {
  Vertex2D plain[6], five[6], half[6];
  BuildOrientedQuad(plain, {0.1f, 0.1f}, {0.2f, 0.3f}, {0, 0}, {1, 1}, 0xFFFFFFFF, 0);
  BuildOrientedQuad(five, {0.1f, 0.1f}, {0.2f, 0.3f}, {0, 0}, {1, 1}, 0xFFFFFFFF, 5);
  BuildOrientedQuad(half, {0.1f, 0.1f}, {0.2f, 0.3f}, {0, 0}, {1, 1}, 0xFFFFFFFF, 2);
  EXPECT_EQ(std::memcmp(plain, five, sizeof plain), 0);
  EXPECT_FLOAT_EQ(half[1].u, 1.0f);  // the top-left corner shows the texture's bottom-right
  EXPECT_FLOAT_EQ(half[1].v, 1.0f);
}

TEST_F(QuadBuildersTest, QuarterTurnExchangesTheOnScreenSides) {
  Vertex2D v[6];
  // 0.25 of the width and 0.5 of the height: 200 x 300 pixels upright.
  BuildOrientedQuad(v, {0.0f, 0.0f}, {0.25f, 0.5f}, {0, 0}, {1, 1}, 0xFFFFFFFF, 1);
  // Corner order 1, 0, 3: bottom-left, top-left, bottom-right.
  EXPECT_FLOAT_EQ(v[0].y - v[1].y, 600 * (800.0f / 600.0f) * 0.25f);
  EXPECT_FLOAT_EQ(v[2].x - v[0].x, 800 * (600.0f / 800.0f) * 0.5f);
  EXPECT_FLOAT_EQ(v[1].u, 0.0f);  // top-left shows (umin, vmax): turned clockwise
  EXPECT_FLOAT_EQ(v[1].v, 1.0f);
}

TEST_F(QuadBuildersTest, LineOfZeroLengthCollapsesOnItsPoint) {
  Vertex2D v[12];
  ASSERT_EQ(BuildLineQuads(v, {0.5f, 0.5f}, {0.5f, 0.5f}, 0.1f, 0xFF000000, 0xFFFFFFFF, {0, 0}, {1, 1}), 12u);
  for (const Vertex2D& vertex : v) {
    EXPECT_FLOAT_EQ(vertex.x, 400.0f);
    EXPECT_FLOAT_EQ(vertex.y, 300.0f);
  }
  EXPECT_FLOAT_EQ(v[1].u, 0.5f);  // centre vertices take the middle u
}

TEST_F(QuadBuildersTest, TrailFadesInFromItsFirstPoint) {
  Vertex2D v[24];
  const math::Vec2 points[3] = {{0.1f, 0.1f}, {0.2f, 0.1f}, {0.3f, 0.1f}};
  EXPECT_EQ(BuildTrailStrip(v, {0, 0}, points, 1, 0.01f), 0u);
  ASSERT_EQ(BuildTrailStrip(v, {0, 0}, points, 2, 0.01f), 12u);
  EXPECT_EQ(v[2].diffuse, 0x00FFFFFFu);  // F at the first point: alpha 0
  EXPECT_EQ(v[1].diffuse, 0x7FFFFFFFu);  // T at the second: trunc(255 / 2)
  EXPECT_FLOAT_EQ(v[0].u, 0.95f);
  EXPECT_FLOAT_EQ(v[1].u, 0.05f);
  EXPECT_EQ(BuildTrailStrip(v, {0, 0}, points, 3, 0.01f), 24u);
}

TEST_F(QuadBuildersTest, DiscIsSixteenTrianglesAroundItsCentre) {
  Vertex2D v[48];
  ASSERT_EQ(BuildDisc(v, {0.5f, 0.5f}, 0.1f, 0xFFFFFFFF, 0x00FFFFFF), 48u);
  ExpectAt(v[0], 400.0f, 300.0f, 0.1f, 0.5f);
  EXPECT_NEAR(v[1].x, 480.0f, 1e-3);  // rim at angle 0: W x radius to the right
  EXPECT_NEAR(v[47].x, 480.0f, 1e-2);  // the last rim point closes the circle
  EXPECT_NEAR(v[47].y, 300.0f, 1e-2);
}

}  // namespace
