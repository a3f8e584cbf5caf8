#include "core/ramp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float Entry(const math::Ramp& ramp, int i) { return ramp.GetValue((i + 0.5f) / 256); }

TEST(Ramp, SinglePairFillsTheTable) {
  math::Ramp ramp;
  ramp.AddValue(0.5f, 0.25f);
  EXPECT_EQ(Entry(ramp, 0), 0) << "unchanged until Recalc";
  ramp.Recalc();
  for (int i : {0, 63, 64, 255}) EXPECT_EQ(Entry(ramp, i), 0.5f) << i;
}

TEST(Ramp, PairsRiseToTheNext) {
  math::Ramp ramp;
  ramp.AddValue(1, 0.5f);
  ramp.AddValue(0, 0.5f);  // sorted by value
  ramp.Recalc();
  for (int i : {0, 1, 64, 127}) EXPECT_FLOAT_EQ(Entry(ramp, i), i / 128.0f) << i;
  for (int i : {128, 200, 255}) EXPECT_EQ(Entry(ramp, i), 1) << i;
  EXPECT_EQ(ramp.GetValue(-1), Entry(ramp, 0));
  EXPECT_EQ(ramp.GetValue(2), Entry(ramp, 255));
  EXPECT_EQ(ramp.GetValue(NAN), Entry(ramp, 0));
}

TEST(Ramp, ZeroLengthPairIsOnlyATarget) {
  math::Ramp ramp;
  ramp.AddValue(0, 0.5f);
  ramp.AddValue(1, -3);  // clamped to 0
  ramp.AddValue(2, 7);   // clamped to 1, runs past the end
  ramp.Recalc();
  EXPECT_FLOAT_EQ(Entry(ramp, 64), 0.5f);
  EXPECT_EQ(Entry(ramp, 128), 2);
  EXPECT_EQ(Entry(ramp, 255), 2);
}

TEST(Ramp, ShortPairsLeaveTheLargestValue) {
  math::Ramp ramp;
  ramp.AddValue(4, 0.25f);
  ramp.AddValue(8, 0.25f);
  ramp.Recalc();
  EXPECT_EQ(Entry(ramp, 0), 4);
  EXPECT_FLOAT_EQ(Entry(ramp, 32), 6);
  EXPECT_EQ(Entry(ramp, 64), 8);
  EXPECT_EQ(Entry(ramp, 255), 8);
}

TEST(Ramp, EmptyRampIsZero) {
  math::Ramp ramp;
  ramp.AddValue(5, 1);
  ramp.Recalc();
  EXPECT_EQ(Entry(ramp, 10), 5);
  math::Ramp empty;
  empty.Recalc();
  EXPECT_EQ(Entry(empty, 10), 0);
}

}  // namespace
