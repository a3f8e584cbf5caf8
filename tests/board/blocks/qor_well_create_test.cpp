// The game board's block creation, spawn cells, refill and modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "block_board_fixture.h"
#include "board/blocks/qor_well_mode.h"
#include "core/math/random.h"
#include "core/script/script_helper.h"

namespace {

using block_testing::BlockBoardTest;
using Cells = std::vector<std::pair<int32_t, int32_t>>;

class QORWellCreateTest : public BlockBoardTest {
 protected:
  void EnableOnly(int32_t colour) {
    uint8_t flags[QORWell::kColorCount] = {};
    flags[colour] = 1;
    board_->SetColors(flags);
  }
  int CountBlocks(int32_t type) {
    int count = 0;
    for (int32_t x = 0; x < static_cast<int32_t>(kWidth); ++x)
      for (int32_t y = 0; y < static_cast<int32_t>(kHeight); ++y)
        if (board_->GetBlockByIndex(board_->GetCellIndex(x, y)) &&
            board_->GetBlockType(board_->GetBlockByIndex(board_->GetCellIndex(x, y))) == type)
          ++count;
    return count;
  }
};

TEST_F(QORWellCreateTest, ALargeBlockNeedsItsWholeAreaFreeWhateverSizeItIsGiven) {
  Put("qor_block", "red", 3, 2);
  const struct { int32_t width, height; } sizes[] = {{2, 2}, {1, 1}, {0, 0}};
  for (const auto& size : sizes) {
    EXPECT_EQ(board_->CreateBlock("qor_entrance", "red", 2, 2, size.width, size.height), nullptr)
        << size.width << " x " << size.height;
  }
  EXPECT_EQ(board_->CreateBlock("qor_block", "red", 3, 2, 1, 1), nullptr);
  well::Block* tomb = board_->CreateBlock("qor_exit", "red", 4, 4, 1, 1);
  ASSERT_NE(tomb, nullptr) << "a free area takes it";
  delete tomb;
}

TEST_F(QORWellCreateTest, TheNestFlagTellsThatTheLevelHoldsANest) {
  Put("qor_invisible", "none", 0, 0);
  EXPECT_EQ(board_->GetNestFlag(), 0) << "a blocker is no nest";
  ASSERT_NE(Put("qor_spidernest", "red", 1, 0), nullptr);
  EXPECT_EQ(board_->GetNestFlag(), 1);
  Put("qor_block", "red", 3, 0);
  board_->SpawnRandomBlock(4, 0, -1.0f);
  EXPECT_EQ(board_->GetNestFlag(), 1) << "tokens made after it leave it set";
}

TEST_F(QORWellCreateTest, WithOnlyRedEnabledEveryNewBlockIsRed) {
  EnableOnly(well::kColorRed);
  num::GetRandom().Seed(7);
  // Two reds beside the cell: thirty redraws cannot help.
  Put("qor_block", "red", 0, 7);
  Put("qor_block", "red", 1, 7);
  for (int32_t x = 2; x < static_cast<int32_t>(kWidth); ++x) {
    well::Block* block = board_->SpawnRandomBlock(x, 7, -1.0f);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->GetColor(), well::kColorRed);
    EXPECT_EQ(board_->GetBlockType(block), QORBlock::kToken);
  }
  EXPECT_EQ(board_->SpawnRandomBlock(-1, 0, -1.0f), nullptr);
  EXPECT_EQ(board_->SpawnRandomBlock(0, static_cast<int32_t>(kHeight), -1.0f), nullptr);
}

TEST_F(QORWellCreateTest, NewColoursAvoidLiningUpWithTwoOfTheirOwn) {
  num::GetRandom().Seed(11);
  // Red pairs to the left, above and right of every cell of row 2: no new
  // block there may be red while blue and green remain.
  for (int32_t x = 0; x < static_cast<int32_t>(kWidth); ++x) {
    Put("qor_block", "red", x, 0);
    Put("qor_block", "red", x, 1);
  }
  for (int trial = 0; trial < 20; ++trial) {
    well::Block* block = board_->SpawnRandomBlockAt(3, 2);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(block->GetColor(), well::kColorRed);
    delete block;
  }
}

// Red blocks about a new block's cell, and whether the new block may be red
// (else it must be blue or green).
struct RedsAbout {
  const char* name;
  std::pair<int32_t, int32_t> cell;
  Cells reds;
  bool redAllowed;
};

class NewColourTest : public ::testing::TestWithParam<RedsAbout>, protected block_testing::BlockBoard {};

TEST_P(NewColourTest, TwoOfItsOwnWithinTwoCellsInLineAreAvoided) {
  const RedsAbout& c = GetParam();
  for (const auto& [x, y] : c.reds) ASSERT_NE(Put("qor_block", "red", x, y), nullptr);
  num::GetRandom().Seed(5);
  bool red = false;
  for (int trial = 0; trial < 30; ++trial) {
    well::Block* block = board_->SpawnRandomBlockAt(c.cell.first, c.cell.second);
    ASSERT_NE(block, nullptr);
    red |= block->GetColor() == well::kColorRed;
    delete block;
  }
  EXPECT_EQ(red, c.redAllowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewColourTest,
    ::testing::Values(RedsAbout{"TwoLeft", {3, 3}, {{1, 3}, {2, 3}}, false},
                      RedsAbout{"TwoRight", {3, 3}, {{4, 3}, {5, 3}}, false},
                      RedsAbout{"TwoAbove", {3, 3}, {{3, 1}, {3, 2}}, false},
                      RedsAbout{"TwoBelow", {3, 3}, {{3, 4}, {3, 5}}, false},
                      RedsAbout{"OneEachSide", {3, 3}, {{2, 3}, {4, 3}, {3, 2}, {3, 4}}, true},
                      RedsAbout{"ThreeCellsAway", {3, 3}, {{0, 3}, {6, 3}, {3, 0}, {3, 6}}, true},
                      RedsAbout{"Diagonal", {3, 3}, {{2, 2}, {4, 4}, {1, 1}, {5, 5}}, true},
                      RedsAbout{"AtTheCorner", {0, 0}, {{1, 0}, {2, 0}}, false},
                      RedsAbout{"AtTheFarCorner", {7, 7}, {{7, 5}, {7, 6}}, false}),
    [](const ::testing::TestParamInfo<RedsAbout>& info) { return std::string(info.param.name); });

TEST_F(QORWellCreateTest, SpawnCellsAreFloorCellsWithNothingToFallIntoThem) {
  SetFloor(kTileVoid);
  // Column 0: floor from row 0. Column 1: floor under a void cell. Column 2
  // and 3: floor under a milestone. Column 5: floor under a token and under
  // an empty floor cell. Column 6: an editor-only cell is no floor.
  for (int32_t y = 0; y < 4; ++y) board_->GetTile(0, y)->type = kTileSand;
  for (int32_t y = 2; y < 4; ++y) board_->GetTile(1, y)->type = kTileMetal;
  for (int32_t x = 2; x < 4; ++x)
    for (int32_t y = 0; y < 4; ++y) board_->GetTile(x, y)->type = kTileMetal;
  for (int32_t y = 1; y < 4; ++y) board_->GetTile(5, y)->type = kTileGold;
  board_->GetTile(6, 3)->type = kTileEditOnly;
  board_->GetTile(6, 4)->type = kTileMetal;
  Put("qor_milestone[1]", "none", 2, 0, 2, 2);
  Put("qor_block", "red", 5, 2);
  board_->BuildSpawnCells();
  // The milestone's own lower cells are listed as well; the refill finds
  // them held.
  EXPECT_EQ(board_->GetSpawnCells(),
            (Cells{{0, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}, {5, 1}, {6, 4}}));
}

TEST_F(QORWellCreateTest, RefillPutsOneBlockOnEachEmptySpawnCell) {
  for (int32_t x = 0; x < static_cast<int32_t>(kWidth); ++x) board_->GetTile(x, 0)->type = kTileMetal;
  board_->BuildSpawnCells();
  Put("qor_block", "red", 2, 0);
  well::Block* kept = board_->GetBlock(2, 0);
  board_->Refill();
  for (int32_t x = 0; x < static_cast<int32_t>(kWidth); ++x) EXPECT_NE(board_->GetBlock(x, 0), nullptr) << x;
  EXPECT_EQ(board_->GetBlock(2, 0), kept);
  EXPECT_EQ(board_->GetBlock(0, 1), nullptr) << "one block per spawn cell and call";
}

TEST_F(QORWellCreateTest, CountColorInRectCountsLiveBlocksOfTheColourAndRecordsFullRuns) {
  for (int32_t x = 0; x < 4; ++x) Put("qor_block", "red", x, 5);
  Put("qor_bottleneck", "red", 4, 5);
  Put("qor_rock", "none", 5, 5);
  const struct {
    int32_t x1, y1, x2, y2, colour, minimum;
    int32_t count;
    size_t runs;
  } cases[] = {
      {0, 5, 3, 5, well::kColorRed, 4, 4, 1},   // a line of four
      {3, 5, -2, 5, well::kColorRed, 5, 4, 0},  // bounds in any order, clamped; short of five
      {2, 5, 4, 5, well::kColorRed, 3, 2, 0},   // the bottle never counts
      {0, 5, 9, 9, well::kColorNone, 0, 0, 0},  // colour "none" counts nothing
      {0, 0, 7, 4, well::kColorRed, 0, 0, 0},
  };
  for (const auto& c : cases) {
    std::vector<QORWell::BlockRun> runs;
    EXPECT_EQ(board_->CountColorInRect(c.x1, c.y1, c.x2, c.y2, c.colour, &runs, c.minimum), c.count) << c.x1;
    EXPECT_EQ(runs.size(), c.runs) << c.x1;
  }
  std::vector<QORWell::BlockRun> runs;
  board_->CountColorInRect(0, 5, 4, 5, well::kColorRed, &runs, 3);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].size(), 5u) << "a run records every block of the colour, the bottle too";
}

TEST(QORWellModeNames, ArcadeUnlessTheNameHoldsOnlyTrack) {
  const struct {
    std::string name;
    const std::type_info& mode;
  } cases[] = {{"arcade", typeid(QORArcadeMode)},
               {"ARCADE", typeid(QORArcadeMode)},
               {"PLAY_arcade", typeid(QORArcadeMode)},
               {"track arcade", typeid(QORArcadeMode)},
               {"track", typeid(QORTrackMode)},
               {"PLAY_Track", typeid(QORTrackMode)},
               {"", typeid(QORArcadeMode)},
               {"puzzle", typeid(QORArcadeMode)},
               {std::string(600, 'x') + "TRACK", typeid(QORTrackMode)}};
  for (const auto& c : cases) {
    std::unique_ptr<QORWellMode> mode = QORWellMode::GetMode(c.name, nullptr);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(typeid(*mode), c.mode) << c.name;
  }
}

using QORWellModeTest = QORWellCreateTest;

TEST_F(QORWellModeTest, ArcadeFillsEveryFreeCellButTheBlockersAndTrackNone) {
  for (int32_t y = 0; y < static_cast<int32_t>(kHeight); ++y) board_->GetTile(4, y)->type = kTileVoid;
  board_->GetTile(6, 6)->type = kTileEditOnly;
  // The level loader puts the invisible blockers.
  LuaPlus::LuaState* level = script::CreateLuaState();
  board_->LoadSpecial(level);
  LuaPlus::LuaState::Destroy(level);
  Put("qor_exit", "red", 0, 0, 2, 2);

  QORTrackMode(board_.get()).OnLevelLoaded();
  EXPECT_EQ(CountBlocks(QORBlock::kToken), 0);

  QORArcadeMode(board_.get()).OnLevelLoaded();
  EXPECT_EQ(CountBlocks(QORBlock::kInvisible), static_cast<int>(kHeight) + 1);
  EXPECT_EQ(CountBlocks(QORBlock::kExit), 1);
  EXPECT_EQ(CountBlocks(QORBlock::kToken), static_cast<int>(kWidth * kHeight - kHeight - 1 - 4));
  EXPECT_EQ(board_->GetBlock(1, 1), board_->GetBlock(0, 0)) << "the exit's cells stay its own";
}

TEST_F(QORWellModeTest, ALevelChoosesArcadeAndARaceTrack) {
  board_->LoadLevel("");
  ASSERT_NE(board_->GetMode(), nullptr);
  EXPECT_EQ(typeid(*board_->GetMode()), typeid(QORArcadeMode));
  EXPECT_EQ(CountBlocks(QORBlock::kToken), static_cast<int>(kWidth * kHeight));

  board_->ClearWell();
  board_->race = true;
  board_->LoadLevel("");
  EXPECT_EQ(typeid(*board_->GetMode()), typeid(QORTrackMode));
  EXPECT_EQ(CountBlocks(QORBlock::kToken), 0);
}

}  // namespace
