#include "well/block.h"

#include <gtest/gtest.h>

#include "board_test_support.h"

namespace {

using board_testing::StubBlock;
using board_testing::StubWell;

// A one-column board: cells 0.125 high, blocks slide at 1.0 a second.
class BlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    board_.SetViewCells(1, 4);
    board_.Create(1, 4, {0.0f, 0.0f}, {0.125f, 0.5f}, {0.125f, 0.125f});
  }
  // Ticks until the block stops sliding; the tick it arrived in, or 0.
  int TicksToArrive(StubBlock* block, float dt, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
      if (!block->Tick(dt)) return tick;
    }
    return 0;
  }
  StubWell board_;
};

TEST_F(BlockTest, ASlideArrivesInTheTickWhoseStepPassesTheDistanceLeft) {
  const struct {
    float dt;
    int arrival;  // 0: never
  } cases[] = {
      {0.05f, 3},    // 0.05, 0.10, then 0.025 is left
      {0.0625f, 3},  // the second step equals the distance left: not past it
      {0.2f, 1},
      {0.125f, 2},
      {0.0f, 0},  // a step of 0 is never past a distance of 0 or more
  };
  for (const auto& c : cases) {
    // Across the bottom row, where nothing falls after the slide.
    StubWell board;
    board.Create(2, 1, {0.0f, 0.0f}, {0.25f, 0.125f}, {0.125f, 0.125f});
    StubBlock* block = board.Put("b", 0, 0);
    block->MoveTo(1, 0);
    ASSERT_TRUE(block->IsSliding());
    EXPECT_EQ(TicksToArrive(block, c.dt, 8), c.arrival) << c.dt;
    if (c.arrival) {
      EXPECT_EQ(block->GetOccupiedCell(), (well::Cell{1, 0})) << c.dt;
      EXPECT_EQ(board.GetBlock(1, 0), block);
      EXPECT_EQ(board.GetBlock(0, 0), nullptr);
      EXPECT_FLOAT_EQ(block->GetSlideOffset().x, 0.0f);
      EXPECT_EQ(block->GetScreenPosition().x, 0.125f);
    } else {
      EXPECT_EQ(board.GetBlock(0, 0), block);
    }
  }
}

TEST_F(BlockTest, AFallingBlockFallsOnWhileTheRowBelowIsFreeAndStrikesWhatItLandsOn) {
  StubBlock* ground = board_.Put("ground", 0, 3);
  StubBlock* block = board_.Put("b", 0, 0);
  block->FallTest();
  EXPECT_EQ(block->GetCell(), (well::Cell{0, 1}));
  EXPECT_EQ(block->GetOccupiedCell(), (well::Cell{0, 0}));
  // Arriving on row 1 starts the next row at once; on row 2 it lands.
  EXPECT_EQ(TicksToArrive(block, 0.2f, 5), 2);
  EXPECT_EQ(block->GetOccupiedCell(), (well::Cell{0, 2}));
  EXPECT_EQ(ground->struck, 1);
  EXPECT_EQ(board_.GetBlock(0, 2), block);

  // A block on the bottom row never starts falling.
  ground->FallTest();
  EXPECT_FALSE(ground->IsSliding());

  // A block of no height (a board file may say so) strikes nothing, not
  // itself, and not a block above that would strike it back.
  StubWell flat;
  flat.CreateCells(1, 3);
  StubBlock* above = flat.Put("above", 0, 0);
  StubBlock* none = flat.Put("flat", 0, 1, 1, 0);
  StubBlock* upward = flat.Put("upward", 0, 2, 1, -1);
  none->OnStruck();
  upward->OnStruck();
  EXPECT_EQ(none->struck, 1);
  EXPECT_EQ(upward->struck, 1);
  EXPECT_EQ(above->struck, 0);
}

TEST_F(BlockTest, FallTestsStartOnlyWhereEveryCellBelowIsFree) {
  const struct {
    const char* what;
    int32_t x, y, width;
    std::vector<well::Cell> below;  // blocks in the way
    bool falls;
  } cases[] = {
      {"1 wide, free below", 1, 0, 1, {}, true},
      {"2 wide, both free", 1, 0, 2, {}, true},
      {"2 wide, left taken", 1, 0, 2, {{1, 1}}, false},
      {"2 wide, right taken", 1, 0, 2, {{2, 1}}, false},
      {"2 wide, a block beside", 1, 0, 2, {{0, 1}, {3, 1}}, true},
      {"on the bottom row", 1, 3, 1, {}, false},
      {"past the right edge", 3, 0, 2, {}, false},
  };
  for (const auto& c : cases) {
    StubWell board;
    board.CreateCells(4, 4);
    StubBlock* block = board.Put("b", c.x, c.y, c.width, 1);
    for (const well::Cell& cell : c.below) board.Put("in the way", cell.x, cell.y);
    block->FallTest();
    EXPECT_EQ(block->IsSliding(), c.falls) << c.what;
  }

  // A block never placed (cell x -1) does not fall.
  StubWell board;
  board.CreateCells(2, 2);
  StubBlock loose(&board, "loose");
  loose.FallTest();
  EXPECT_FALSE(loose.IsSliding());
}

TEST_F(BlockTest, MovingOntoAnotherBlockChangesNothingAndAnswersThatBlock) {
  StubBlock* upper = board_.Put("upper", 0, 1);
  StubBlock* lower = board_.Put("lower", 0, 2);
  EXPECT_EQ(upper->MoveTo(0, 2), lower);
  EXPECT_FALSE(upper->IsSliding());
  EXPECT_EQ(upper->GetCell(), (well::Cell{0, 1}));
  EXPECT_EQ(upper->MoveTo(0, 1), upper);  // its own cell: no slide
  EXPECT_FALSE(upper->IsSliding());
  EXPECT_EQ(upper->MoveTo(0, 0), nullptr);
  EXPECT_TRUE(upper->IsSliding());
}

TEST_F(BlockTest, OnlyABlockThatHadACellReportsItsMoves) {
  StubBlock* block = board_.Put("b", 0, 1);
  EXPECT_TRUE(board_.moves.empty());
  block->SetCell(0, 0);
  ASSERT_EQ(board_.moves.size(), 1u);
  EXPECT_EQ(board_.moves[0].oldY, 1);
  EXPECT_EQ(board_.moves[0].newY, 0);
  EXPECT_EQ(board_.GetBlock(0, 0), block);
  EXPECT_EQ(board_.GetBlock(0, 1), nullptr);
}

TEST_F(BlockTest, TheRepeatingTimerRunsOnlyWithAPeriod) {
  struct TimedBlock : StubBlock {
    using StubBlock::StubBlock;
    void OnTimer() override { ++timers; }
    int timers = 0;
  };
  const struct {
    float period;
    int timers;  // after ten ticks of 0.03 s
  } cases[] = {{0.0f, 0}, {-1.0f, 0}, {0.1f, 2}, {0.02f, 10}};
  for (const auto& c : cases) {
    TimedBlock block(&board_, "timed");
    block.GetTimer().period = c.period;
    block.GetTimer().remaining = c.period;
    for (int i = 0; i < 10; ++i) block.Tick(0.03f);
    EXPECT_EQ(block.timers, c.timers) << c.period;
  }
}

TEST_F(BlockTest, ColourAnyMatchesOnEitherSide) {
  StubBlock red(&board_, "red");
  StubBlock any(&board_, "any");
  any.SetColor(well::kColorAny);
  for (int32_t color = 0; color < well::kColorCount; ++color) {
    EXPECT_EQ(red.ColorMatches(color), color == well::kColorRed || color == well::kColorAny) << color;
    EXPECT_TRUE(any.ColorMatches(color)) << color;
  }
}

TEST_F(BlockTest, StatesAndDestructionHooks) {
  std::vector<std::string> events;
  StubBlock block(&board_, "b", &events);
  EXPECT_EQ(block.GetState(), well::kStateStand);
  block.SetSelected();
  EXPECT_EQ(block.GetState(), well::kStateSelected);
  block.SetStanding();
  EXPECT_EQ(block.GetState(), well::kStateStand);
  block.SetErased();
  EXPECT_TRUE(block.IsDead());
  EXPECT_TRUE(events.empty());
  block.SetDestroyed();
  EXPECT_EQ(block.GetState(), well::kStateDestroyed);
  EXPECT_EQ(events, std::vector<std::string>{"b destroyed"});
}

}  // namespace
