#include "core/math/angle_seek.h"

#include <gtest/gtest.h>

namespace {

TEST(AngleSeek, TurnsTheShortWay) {
  struct Case {
    float current, target, rate, dt, result;
  } cases[] = {
      {350, 10, 90, 0.1f, 359},  // up through 360
      {10, 350, 90, 0.1f, 1},    // down through 0
      {0, 90, 90, 0.1f, 9},
      {90, 0, 90, 0.1f, 81},
      {10, 15, 90, 0.1f, 15},    // closer than a step: snaps
      {355, 5, 180, 0.1f, 13},   // past the seam: wrapped once
      {5, 355, 180, 0.1f, 347},
      {40, 40, 90, 0.1f, 40},
  };
  for (const Case& c : cases) {
    math::AngleSeek seek{c.current, c.target, c.rate};
    seek.Update(c.dt);
    EXPECT_NEAR(seek.current, c.result, 1e-4f) << c.current << " -> " << c.target;
  }
}

}  // namespace
