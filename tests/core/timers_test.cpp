#include <gtest/gtest.h>

#include "core/countdown_timer.h"
#include "core/frame_timer.h"
#include "platform/timer/winmm_testing.h"

namespace {
class FrameTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::testing::SetMilliseconds(1000); }
  void TearDown() override { platform::testing::UseRealClock(); }
};

TEST_F(FrameTimerTest, DeltaIsLimitedAndTotalIsTheSumOfLimitedDeltas) {
  FrameTimer timer;
  platform::testing::SetMilliseconds(1016);
  timer.Tick();
  EXPECT_FLOAT_EQ(timer.frameDelta, 0.016f);
  platform::testing::SetMilliseconds(1266);
  timer.Tick();
  EXPECT_FLOAT_EQ(timer.frameDelta, 0.1f);
  EXPECT_FLOAT_EQ(timer.GetTotalTime(), 0.116f);
  EXPECT_EQ(timer.frameCount, 2);
}

TEST_F(FrameTimerTest, CounterWrapGivesTheTrueSmallDifference) {
  platform::testing::SetMilliseconds(0xFFFFFFF0u);
  FrameTimer timer;
  platform::testing::SetMilliseconds(0x00000010u);
  timer.Tick();
  EXPECT_FLOAT_EQ(timer.frameDelta, 0.032f);
}

TEST_F(FrameTimerTest, RateCountsLimitedTimeNotWallClock) {
  FrameTimer timer;
  uint32_t now = 1000;
  for (int i = 0; i < 9; ++i) {
    now += 400;
    platform::testing::SetMilliseconds(now);
    timer.Tick();
  }
  EXPECT_EQ(timer.framesPerSecond, 0.0f);
  now += 400;
  platform::testing::SetMilliseconds(now);
  timer.Tick();
  EXPECT_NEAR(timer.framesPerSecond, 10.0f, 0.01f);
  EXPECT_EQ(timer.framesSinceRateUpdate, 0);
}

TEST_F(FrameTimerTest, SharedTimerSetsTheTimerResolution) {
  GetFrameTimer();
  EXPECT_GE(platform::testing::TimerPeriodDepth(), 1);
}

TEST(CountdownTimerTest, ExpiresOnlyBelowZero) {
  CountdownTimer timer(2.0f, 2.0f);
  EXPECT_FLOAT_EQ(timer.GetProgress(), 0.0f);
  for (int i = 0; i < 4; ++i) timer.Tick(0.5f);
  EXPECT_FALSE(timer.IsExpired());
  EXPECT_FLOAT_EQ(timer.GetProgress(), 1.0f);
  timer.Tick(0.5f);
  EXPECT_TRUE(timer.IsExpired());
}

TEST(CountdownTimerTest, ProgressIsClampedAndDefinedForEveryPeriod) {
  struct Case {
    float period, remaining, progress;
  } cases[] = {
      {2.0f, -1.0f, 1.0f},  // stopped
      {2.0f, 3.0f, 0.0f},   // remaining beyond the period
      {2.0f, 0.5f, 0.75f},
      {0.0f, 0.0f, 1.0f},   // no period: done, never NaN
      {-1.0f, 5.0f, 1.0f},
  };
  for (const Case& c : cases) {
    CountdownTimer timer(c.period, c.remaining);
    EXPECT_FLOAT_EQ(timer.GetProgress(), c.progress) << c.period << " " << c.remaining;
  }
}
}  // namespace
