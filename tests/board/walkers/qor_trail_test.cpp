#include "board/walkers/qor_trail.h"

#include <gtest/gtest.h>

#include "render/recording_graphics.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// A trail as the flyers keep it: sampled every 0.1 s over 1.3 s.
class TrailTest : public ::testing::Test {
 protected:
  void SetUp() override { trail_.Init(0.1f, 1.3f); }
  // A frame of its owner: the timers, then the point it passes.
  void Frame(const math::Vec2& position, float dt = kFrame) {
    trail_.Tick(dt);
    trail_.AddPoint(position);
  }

  RecordingGraphics graphics_;
  QORTrail trail_;
};

TEST_F(TrailTest, HoldsTwiceThePointsOfItsDuration) {
  EXPECT_EQ(trail_.GetCapacity(), 25);
  // Truncated (0.05 s over 0.5 s is 19.99...), never more than the shared
  // vertex array draws, nothing for bad timings.
  const struct {
    float interval, duration;
    int32_t capacity;
  } cases[] = {{0.1f, 1.3f, 25}, {0.05f, 0.5f, 19}, {0.01f, 10.0f, 51}, {0.0f, 1.0f, 51},
               {0.0f, 0.0f, 0},  {-0.1f, 1.0f, 0},  {0.1f, -1.0f, 0}};
  for (const auto& c : cases) {
    QORTrail trail;
    trail.Init(c.interval, c.duration);
    EXPECT_EQ(trail.GetCapacity(), c.capacity) << c.interval << " " << c.duration;
  }
}

TEST_F(TrailTest, SamplesAtMostTenPointsASecondAtSixtyFrames) {
  for (int frame = 0; frame < 60; ++frame) Frame(math::Vec2(frame * 0.01f, 0.0f));
  // A sample waits for the frame after its interval has run out.
  EXPECT_GE(trail_.GetLiveCount(), 8);
  EXPECT_LE(trail_.GetLiveCount(), 10);
  // Oldest first.
  EXPECT_LT(trail_.GetPoint(0).x, trail_.GetPoint(1).x);
}

TEST_F(TrailTest, WithoutATextureItSamplesButNeverDraws) {
  for (int frame = 0; frame < 30; ++frame) Frame(math::Vec2(frame * 0.01f, 0.0f));
  trail_.Render(math::Vec2(0.0f, 0.0f));
  EXPECT_GT(trail_.GetLiveCount(), 1);
  EXPECT_TRUE(graphics_.calls.empty());
  EXPECT_TRUE(graphics_.renderStates.empty());
}

TEST_F(TrailTest, DrawsASegmentForEachPairOfPointsAndPutsTheBlendBack) {
  trail_.LoadTexture("img/scarab_trail.png");
  ASSERT_TRUE(trail_.HasTexture());
  Frame(math::Vec2(0.1f, 0.1f), 0.2f);
  trail_.Render(math::Vec2(0.0f, 0.0f));
  // One point: no segment, nothing bound or drawn.
  EXPECT_TRUE(graphics_.calls.empty());
  Frame(math::Vec2(0.2f, 0.1f), 0.2f);
  Frame(math::Vec2(0.3f, 0.1f), 0.2f);
  graphics_.renderStates.clear();
  trail_.Render(math::Vec2(0.0f, 0.0f));
  ASSERT_EQ(graphics_.calls.size(), 2u);
  EXPECT_EQ(graphics_.calls[1], RecordingGraphics::Draw(24));
  const std::vector<std::pair<uint32_t, uint32_t>> states = {
      {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha}, {Graphics::kDestBlend, Graphics::kBlendOne},
      {Graphics::kAlphaTest, 0},
      {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha}, {Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha},
      {Graphics::kAlphaTest, 1}};
  EXPECT_EQ(graphics_.renderStates, states);
  // Without the additive flag the blend is left alone.
  trail_.SetAdditive(false);
  graphics_.renderStates.clear();
  trail_.Render(math::Vec2(0.0f, 0.0f));
  EXPECT_TRUE(graphics_.renderStates.empty());
}

TEST_F(TrailTest, StaysInsideItsArrayWhateverItsOwnerDrops) {
  // An owner that samples every frame and never lets a point go.
  trail_.Init(0.1f, 1000.0f);
  for (int frame = 0; frame < 500; ++frame) Frame(math::Vec2(static_cast<float>(frame), 0.0f), 0.2f);
  EXPECT_EQ(trail_.GetLiveCount(), trail_.GetCapacity());
  EXPECT_FLOAT_EQ(trail_.GetPoint(trail_.GetLiveCount() - 1).x, 499.0f);
  // One that drops faster than it samples runs out of points and stays empty.
  trail_.Init(0.1f, 0.05f);
  for (int frame = 0; frame < 200; ++frame) {
    trail_.Tick(0.2f);
    trail_.Tick(0.2f);
    if (frame % 3 == 0) trail_.AddPoint(math::Vec2(0.0f, 0.0f));
    ASSERT_GE(trail_.GetLiveCount(), 0);
    ASSERT_LE(trail_.GetLiveCount(), trail_.GetCapacity());
  }
  // And one whose capacity is a single point keeps the newest.
  trail_.Init(1.0f, 0.5f);
  for (int frame = 0; frame < 5; ++frame) Frame(math::Vec2(static_cast<float>(frame), 0.0f), 2.0f);
  EXPECT_EQ(trail_.GetCapacity(), 1);
  EXPECT_LE(trail_.GetLiveCount(), 1);
}

TEST_F(TrailTest, ForgetsOnePointAnIntervalOnceItsDurationHasPassed) {
  for (int frame = 0; frame < 13; ++frame) Frame(math::Vec2(static_cast<float>(frame), 0.0f), 0.1f);
  const int32_t before = trail_.GetLiveCount();
  // 1.3 s passed: from now on each tick of an interval drops one.
  trail_.Tick(0.1f);
  trail_.Tick(0.1f);
  EXPECT_EQ(trail_.GetLiveCount(), before - 1);
  trail_.Tick(0.11f);
  EXPECT_EQ(trail_.GetLiveCount(), before - 2);
}

}  // namespace
