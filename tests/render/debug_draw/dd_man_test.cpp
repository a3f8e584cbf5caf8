// The debug shapes: vertex and call counts of each kind, the frame rule of
// the queues and the guards on degenerate shapes and full pools.
#include <gtest/gtest.h>

#include <cmath>

#include "render/debug_draw/dd_man.h"
#include "render/recording_graphics.h"

namespace {

class DebugDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager_ = dd::GetManager();
    manager_->Render3D();  // empties whatever an earlier test left
    graphics_.draws3D.clear(), graphics_.drawn3D.clear();
  }
  uint32_t Drawn3D() const {
    uint32_t total = 0;
    for (const auto& draw : graphics_.draws3D) total += draw.first;
    return total;
  }
  uint32_t Drawn2D() const {
    uint32_t total = 0;
    for (const auto& call : graphics_.calls) total += call.count;
    return total;
  }

  RecordingGraphics graphics_;
  dd::Manager* manager_ = nullptr;
};

TEST_F(DebugDrawTest, BoxesAreDrawnInLineListsThatNeverOverflow) {
  for (int i = 0; i < 2000; ++i) ASSERT_TRUE(manager_->AddBox3D({0, 0, 0}, {1, 1, 1}, 0xFFFFFFFFu));
  manager_->Render3D();
  EXPECT_EQ(48000u, Drawn3D());
  EXPECT_GT(graphics_.draws3D.size(), 16u);
  for (const auto& draw : graphics_.draws3D) {
    EXPECT_LE(draw.first, 2998u);
    EXPECT_EQ(Graphics::kLineList, draw.second);
  }
}

TEST_F(DebugDrawTest, CircleHasSeventeenSegmentsAndSolidSphereRestoresCulling) {
  manager_->AddCircle2D({0.5f, 0.5f}, 0.1f, 0xFFFF0000u);
  manager_->Render2D();
  EXPECT_EQ(34u, Drawn2D());

  manager_->AddSphere3D({1, 2, 3}, 2.0f, true, 0xFFFFFFFFu);
  manager_->Render3D();
  ASSERT_EQ(1u, graphics_.draws3D.size());
  EXPECT_EQ(672u, graphics_.draws3D[0].first);
  EXPECT_EQ(Graphics::kTriangleList, graphics_.draws3D[0].second);
  for (const Vertex3D& v : graphics_.drawn3D[0]) {
    EXPECT_NEAR(2.0f, std::sqrt((v.x - 1) * (v.x - 1) + (v.y - 2) * (v.y - 2) + (v.z - 3) * (v.z - 3)), 1e-3f);
  }
  std::vector<uint32_t> culls;
  for (const auto& state : graphics_.renderStates) {
    if (state.first == Graphics::kCullMode) culls.push_back(state.second);
  }
  EXPECT_EQ((std::vector<uint32_t>{Graphics::kCullClockwise, Graphics::kCullCounterClockwise}), culls);
}

TEST_F(DebugDrawTest, EachRenderEmptiesEveryQueue) {
  manager_->AddLine2D({0, 0}, {1, 1}, 0xFFFFFFFFu);  // before the 3D pass: lost
  manager_->Render3D();
  manager_->Render2D();
  EXPECT_EQ(0u, Drawn2D());

  manager_->Render3D();
  manager_->AddLine2D({0, 0}, {1, 1}, 0xFFFFFFFFu);  // between the passes: drawn
  manager_->Render2D();
  ASSERT_EQ(2u, Drawn2D());
  EXPECT_EQ(800.0f, graphics_.drawn.back()[1].x);
  EXPECT_EQ(600.0f, graphics_.drawn.back()[1].y);
}

TEST_F(DebugDrawTest, DegenerateShapesAndFullPools) {
  math::Vec3Spline curve;
  curve.points = {{0, 0, 0}, {1, 1, 1}, {2, 0, 0}};
  struct Case {
    const char* what;
    float step;
    uint32_t lines;
  } cases[] = {{"zero step", 0.0f, 0}, {"negative step", -1.0f, 0}, {"half step", 0.5f, 5}};
  for (const Case& c : cases) {
    graphics_.draws3D.clear(), graphics_.drawn3D.clear();
    manager_->AddCurve3D(&curve, c.step, 0xFFFFFFFFu);
    manager_->Render3D();
    EXPECT_EQ(c.lines * 2, Drawn3D()) << c.what;
  }

  graphics_.draws3D.clear(), graphics_.drawn3D.clear();
  manager_->AddArrow3D({1, 1, 1}, {1, 1, 1}, true, 0xFFFFFFFFu);
  manager_->Render3D();
  EXPECT_EQ(2u, Drawn3D()) << "a zero-length arrow has no head";

  for (float direction : {1.0f, -1.0f}) {
    graphics_.draws3D.clear(), graphics_.drawn3D.clear();
    manager_->AddArrow3D({0, 0, 0}, {0, 10 * direction, 0}, true, 0xFFFFFFFFu);
    manager_->Render3D();
    ASSERT_EQ(10u, Drawn3D());
    const std::vector<Vertex3D>& v = graphics_.drawn3D[0];
    for (int head = 0; head < 4; ++head) {
      const Vertex3D& point = v[3 + head * 2];
      EXPECT_NEAR(8.0f * direction, point.y, 1e-4f);
      EXPECT_NEAR(1.0f, std::hypot(point.x, point.z), 1e-4f) << "head round the axis, direction " << direction;
    }
  }

  for (uint32_t i = 0; i < dd::Manager::kPaths; ++i) EXPECT_TRUE(manager_->AddPath2D(nullptr, 1.0f, 0));
  EXPECT_FALSE(manager_->AddPath2D(nullptr, 1.0f, 0));
  for (uint32_t i = 0; i < dd::Manager::kSpheres; ++i) EXPECT_TRUE(manager_->AddSphere3D({}, 1.0f, false, 0));
  EXPECT_FALSE(manager_->AddSphere3D({}, 1.0f, false, 0));
  manager_->Render3D();
  EXPECT_TRUE(manager_->AddSphere3D({}, 1.0f, false, 0)) << "the render freed the pool";
  manager_->Render3D();
}

TEST_F(DebugDrawTest, CapsuleIsTwoCirclesAndTwoSideLines) {
  manager_->AddCapsule2D({0.25f, 0.5f}, {0.75f, 0.5f}, 0.1f, 0xFFFFFFFFu);
  manager_->Render2D();
  ASSERT_EQ(1u, graphics_.drawn.size());
  const std::vector<Vertex2D>& v = graphics_.drawn[0];
  ASSERT_EQ(4u + 68u, v.size());
  EXPECT_NEAR(0.6f * 600.0f, v[0].y, 1e-3f);
  EXPECT_NEAR(0.4f * 600.0f, v[2].y, 1e-3f);
}

}  // namespace
