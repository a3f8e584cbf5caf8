#include "core/math/ramp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

float Entry(const math::Ramp& ramp, int i) { return ramp.GetValue((i + 0.5f) / 256); }

TEST(Ramp, TableFromPairs) {
  struct Case {
    const char* name;
    std::vector<std::pair<float, float>> pairs;     // (value, length)
    std::vector<std::pair<int, float>> entries;     // (index, value)
  } cases[] = {
      {"no pairs", {}, {{0, 0}, {255, 0}}},
      {"one pair fills all", {{0.5f, 0.25f}}, {{0, 0.5f}, {63, 0.5f}, {64, 0.5f}, {255, 0.5f}}},
      {"rising to the next, sorted by value",
       {{1, 0.5f}, {0, 0.5f}},
       {{0, 0}, {1, 1 / 128.0f}, {64, 0.5f}, {127, 127 / 128.0f}, {128, 1}, {255, 1}}},
      {"a zero length only serves as the next value; lengths clamp",
       {{0, 0.5f}, {1, -3}, {2, 7}},
       {{64, 0.5f}, {128, 2}, {255, 2}}},
      {"short pairs leave the largest value", {{4, 0.25f}, {8, 0.25f}}, {{0, 4}, {32, 6}, {64, 8}, {255, 8}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    math::Ramp ramp;
    for (const auto& pair : c.pairs) ramp.AddValue(pair.first, pair.second);
    EXPECT_EQ(Entry(ramp, 0), 0) << "unchanged until Recalc";
    ramp.Recalc();
    for (const auto& entry : c.entries) EXPECT_FLOAT_EQ(Entry(ramp, entry.first), entry.second) << entry.first;
  }
}

TEST(Ramp, LookupClampsToTheTable) {
  math::Ramp ramp;
  ramp.AddValue(1, 0.5f);
  ramp.AddValue(0, 0.5f);
  ramp.Recalc();
  EXPECT_EQ(ramp.GetValue(-1), Entry(ramp, 0));
  EXPECT_EQ(ramp.GetValue(2), Entry(ramp, 255));
  EXPECT_EQ(ramp.GetValue(NAN), Entry(ramp, 0));
  EXPECT_EQ(ramp.GetValue(1e30f), 1);
}

}  // namespace
