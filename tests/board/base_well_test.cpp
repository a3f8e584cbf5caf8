#include <gtest/gtest.h>

#include "board_test_support.h"

namespace {

using board_testing::StubWell;

TEST(BaseWell, StartsEmptyWithTheDefaults) {
  StubWell board;
  EXPECT_EQ(board.GetWidth(), 0u);
  EXPECT_EQ(board.GetLevelIndex(), -1);
  EXPECT_EQ(board.GetBackgroundName(), "random");
  EXPECT_EQ(board.GetEffectName(), "none");
  EXPECT_TRUE(board.HasGravity());
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
}

}  // namespace
