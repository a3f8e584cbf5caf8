#include "well/game_scroll_well.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "board_test_support.h"
#include "log_capture.h"
#include "render/recording_graphics.h"
#include "well/decoration.h"
#include "well/effects/well_sfx.h"
#include "well/game_end.h"

namespace {

using board_testing::FrameClock;
using board_testing::StubBlock;
using board_testing::StubWell;

TEST(GameScrollWell, CellsOffTheGridHoldNothing) {
  StubWell board;
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);  // no grid before Create
  board.CreateCells(3, 2);
  for (int32_t x = 0; x < 3; ++x) {
    for (int32_t y = 0; y < 2; ++y) board.Put("b", x, y);
  }
  const well::Cell outside[] = {{-1, 0}, {3, 0}, {0, 2}, {0, -1}, {-1, -1}, {3, 2}};
  for (const well::Cell& cell : outside) EXPECT_EQ(board.GetBlock(cell.x, cell.y), nullptr) << cell.x << "," << cell.y;
  EXPECT_NE(board.GetBlockByIndex(5), nullptr);
  EXPECT_EQ(board.GetBlockByIndex(6), nullptr);
  EXPECT_EQ(board.GetBlockIndex(board.GetBlock(2, 1)), 5);
}

TEST(GameScrollWell, ScrollingStaysWithinTheBoard) {
  const struct {
    uint32_t width;
    math::Vec2 asked, got;
  } cases[] = {
      {20, {-0.3f, -1.0f}, {0.0f, 0.0f}},
      {20, {0.5f, 0.4f}, {0.5f, 0.4f}},
      {20, {5.0f, 5.0f}, {1.0f, 0.5f}},  // 2.0 - 1.0 across, 1.5 - 1.0 down
      {5, {0.3f, 0.2f}, {0.0f, 0.2f}},   // narrower than its view: x stays 0
  };
  for (const auto& c : cases) {
    StubWell board;
    board.CreateCells(c.width, 15, 10, 10);
    board.SetScroll(c.asked);
    EXPECT_NEAR(board.GetScroll().x, c.got.x, 1e-6f) << c.width << " " << c.asked.x;
    EXPECT_NEAR(board.GetScroll().y, c.got.y, 1e-6f) << c.width << " " << c.asked.y;
  }
}

TEST(GameScrollWell, TheVisibleRangeHoldsThePartlyVisibleColumnAndRow) {
  StubWell board;
  board.CreateCells(8, 6, 3, 2);
  board.SetScroll({0.15f, 0.15f});
  const well::CellRange range = board.GetVisibleRange();
  EXPECT_EQ(range.x0, 1);
  EXPECT_EQ(range.y0, 1);
  EXPECT_EQ(range.x1, 5);
  EXPECT_EQ(range.y1, 4);
  board.SetScroll({10.0f, 10.0f});  // the far corner: cut at the board's edges
  const well::CellRange end = board.GetVisibleRange();
  EXPECT_EQ(end.x1, 8);
  EXPECT_EQ(end.y1, 6);
}

TEST(GameScrollWell, BatchedDrawingVisitsTheWindowAndLargerBlocksReachingIntoIt) {
  RecordingGraphics graphics;
  StubWell board;
  board.image = "block_32x32.png";
  board.CreateCells(8, 6, 3, 2);
  std::vector<StubBlock*> blocks;
  for (int32_t x = 1; x < 8; ++x) {
    for (int32_t y = 1; y < 6; ++y) {
      if (x == 2 && y == 2) continue;
      blocks.push_back(board.Put("b", x, y));
    }
  }
  StubBlock* imageless = board.Put("imageless", 2, 2);
  imageless->GetSprite().Invalidate();
  blocks.push_back(board.Put("corner 2x2", 0, 0, 2, 2));
  blocks.push_back(board.Put("tall above", 3, 0, 1, 2));
  blocks.push_back(board.Put("small above", 5, 0));
  blocks.push_back(board.Put("wide left", 0, 3, 2, 1));
  blocks.push_back(board.Put("small left", 0, 5));
  board.SetScroll({0.15f, 0.15f});  // 1.5 cells each way

  board.DrawBlocksBatched();
  std::vector<std::pair<int32_t, int32_t>> visited;
  for (StubBlock* block : blocks) {
    for (const well::Cell& cell : block->batched) visited.emplace_back(cell.x, cell.y);
  }
  std::sort(visited.begin(), visited.end());
  std::vector<std::pair<int32_t, int32_t>> expected = {{0, 0}, {0, 3}, {3, 0}};
  for (int32_t x = 1; x < 5; ++x) {
    for (int32_t y = 1; y < 4; ++y) {
      if (x != 2 || y != 2) expected.emplace_back(x, y);
    }
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(visited, expected);  // each once
  EXPECT_TRUE(imageless->batched.empty());
  EXPECT_EQ(board.GetBlockBatch().GetCount(), 0u);  // flushed
}

// A board that, like the game's, answers a larger block on every cell it covers.
class CoveringWell : public StubWell {
 public:
  well::Block* GetBlock(int32_t x, int32_t y) override {
    for (int32_t ox = 0; ox <= std::min(x, 1); ++ox) {
      for (int32_t oy = 0; oy <= std::min(y, 1); ++oy) {
        well::Block* block = StubWell::GetBlock(x - ox, y - oy);
        if (block && block->GetWidth() > ox && block->GetHeight() > oy) return block;
      }
    }
    return nullptr;
  }
};

TEST(GameScrollWell, BatchedDrawingAddsALargeBlockOnceWhateverGetBlockAnswersOnItsOtherCells) {
  RecordingGraphics graphics;
  CoveringWell board;
  board.image = "block_32x32.png";
  board.CreateCells(8, 6, 3, 2);
  StubBlock* inside = board.Put("tomb", 2, 2, 2, 2);
  StubBlock* reaching = board.Put("tomb above left", 0, 0, 2, 2);
  board.SetScroll({0.15f, 0.15f});
  ASSERT_EQ(board.GetBlock(3, 3), inside);
  board.DrawBlocksBatched();
  EXPECT_EQ(inside->batched.size(), 1u);
  EXPECT_EQ(reaching->batched.size(), 1u);
}

TEST(GameScrollWell, SwappedNeighboursTakeEachOthersCellsAndThenArrive) {
  StubWell board;
  board.CreateCells(3, 3);
  StubBlock* a = board.Put("a", 1, 1);
  StubBlock* b = board.Put("b", 2, 1);
  board.Put("floor", 1, 2);
  board.Put("floor", 2, 2);
  board.events.clear();
  board.SwapBlocks(a, b);
  EXPECT_EQ(board.GetBlock(1, 1), b);
  EXPECT_EQ(board.GetBlock(2, 1), a);
  EXPECT_EQ(a->GetOccupiedCell(), (well::Cell{2, 1}));
  EXPECT_EQ(b->GetOccupiedCell(), (well::Cell{1, 1}));
  EXPECT_EQ(board.events, (std::vector<std::string>{"a arrived", "b arrived"}));
  EXPECT_TRUE(board.GetGraveyard().empty());

  // Swapped down over an empty cell, the upper block falls on at once.
  StubWell column;
  column.CreateCells(1, 3);
  StubBlock* top = column.Put("top", 0, 0);
  StubBlock* middle = column.Put("middle", 0, 1);
  column.SwapBlocks(top, middle);
  EXPECT_EQ(column.GetBlock(0, 0), middle);
  EXPECT_EQ(column.GetBlock(0, 1), top);
  EXPECT_TRUE(top->IsSliding());
  EXPECT_EQ(top->GetCell(), (well::Cell{0, 2}));
  EXPECT_FALSE(middle->IsSliding());

  column.SwapBlocks(top, nullptr);
  column.SwapBlocks(nullptr, middle);
  EXPECT_EQ(column.GetBlock(0, 1), top);
}

TEST(GameScrollWell, ClearingTheBoardKeepsQueuedPlacements) {
  FrameClock clock(2.0f);
  StubWell board;
  board.CreateCells(2, 1);
  board.Put("old", 0, 0);
  board.AddDecoration("", 0, 0, 0, 0, {0.0f, 0.0f}, 3, 0);
  StubBlock* queued = new StubBlock(&board, "queued");
  board.PlaceBlock(queued, 1, 0, 0.5f);
  const int live = StubBlock::Live();
  EXPECT_TRUE(board.ClearWell());
  EXPECT_EQ(StubBlock::Live(), live - 1);
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
  EXPECT_TRUE(board.GetDecorations().empty());
  clock.Set(3.0f);
  board.Tick(0.06f);
  EXPECT_EQ(board.GetBlock(1, 0), queued);
}

// The grid is written only inside the board and only onto a free cell; any
// other block goes to the graveyard with a warning.
TEST(GameScrollWell, BlocksThatCannotBeStoredGoToTheGraveyard) {
  FrameClock clock(1.0f);
  const struct {
    const char* what;
    void (*act)(StubWell& board, StubBlock* block);
    const char* warning;
  } cases[] = {
      {"put off the grid", [](StubWell& board, StubBlock* block) { board.PutBlock(block, -1, 0); }, "lies off"},
      {"put below the grid", [](StubWell& board, StubBlock* block) { board.PutBlock(block, 0, 2); }, "lies off"},
      {"put on a taken cell", [](StubWell& board, StubBlock* block) { board.PutBlock(block, 0, 0); }, "is taken"},
      {"queued onto a cell taken since",
       [](StubWell& board, StubBlock* block) {
         board.PlaceBlock(block, 1, 0, 0.1f);
         board.ClearWell();
         board.Put("refilled", 1, 0);
         GetFrameTimer().totalTime = 2.0f;
         board.PlaceDueBlocks();
       },
       "is taken"},
      {"moved off the grid",
       [](StubWell& board, StubBlock* block) {
         board.PutBlock(block, 1, 1);
         block->SetCell(-1, 1);
       },
       "lies off"},
      {"moved onto a taken cell",
       [](StubWell& board, StubBlock* block) {
         board.PutBlock(block, 1, 1);
         block->SetCell(0, 0);
       },
       "is taken"},
  };
  for (const auto& c : cases) {
    clock.Set(1.0f);
    LogCapture log;
    const int live = StubBlock::Live();
    {
      StubWell board;
      board.CreateCells(2, 2);
      StubBlock* first = board.Put("first", 0, 0);
      StubBlock* block = new StubBlock(&board, "block", &board.events);
      c.act(board, block);
      ASSERT_FALSE(board.GetGraveyard().empty()) << c.what;
      EXPECT_EQ(board.GetGraveyard().back(), block) << c.what;
      for (uint32_t i = 0; i < 4; ++i) EXPECT_NE(board.GetBlockByIndex(i), block) << c.what;
      if (board.GetBlock(0, 0)) {
        EXPECT_EQ(board.GetBlock(0, 0), first) << c.what;
      }
      EXPECT_EQ(log.At(MSG_WARNING).size(), 1u) << c.what;
      EXPECT_TRUE(log.Has(c.warning)) << c.what;
    }
    EXPECT_EQ(StubBlock::Live(), live) << c.what;
  }
}

TEST(GameScrollWell, ARecordedLayoutIsRebuiltInPlaceOfTheGrid) {
  StubWell board;
  board.CreateCells(3, 2);
  board.Put("normal", 0, 1)->SetColor(well::kColorBlue);
  board.Put("big", 1, 0, 2, 2)->SetColor(well::kColorUnnamed);
  board.RecordLayout();
  ASSERT_EQ(board.GetRestoreRecords().size(), 2u);
  EXPECT_EQ(board.GetRestoreRecords()[0].typeName, "big");
  EXPECT_EQ(board.GetRestoreRecords()[0].width, 2);

  board.ClearWell();
  board.Put("stranger", 2, 0);
  const int live = StubBlock::Live();
  board.TriggerRestore();
  EXPECT_EQ(board.created, (std::vector<std::string>{"big none", "normal blue"}));
  EXPECT_EQ(StubBlock::Live(), live + 1);  // the stranger went, two came
  EXPECT_EQ(board.GetBlock(2, 0), nullptr);
  ASSERT_NE(board.GetBlock(1, 0), nullptr);
  EXPECT_EQ(board.GetBlock(1, 0)->GetTypeName(), "big");
  EXPECT_EQ(board.GetBlock(1, 0)->GetWidth(), 2);
  EXPECT_EQ(board.GetBlock(1, 0)->GetColor(), well::kColorUnnamed);
  EXPECT_EQ(board.GetBlock(0, 1)->GetColor(), well::kColorBlue);
}

TEST(GameScrollWell, BlocksOfAColourAreCollectedWithoutTheWildcard) {
  StubWell board;
  board.CreateCells(3, 1);
  StubBlock* red = board.Put("red", 0, 0);
  board.Put("any", 1, 0)->SetColor(well::kColorAny);
  StubBlock* red2 = board.Put("red", 2, 0);
  std::vector<well::Block*> found;
  board.CollectBlocksOfColor(well::kColorRed, found);
  EXPECT_EQ(found, (std::vector<well::Block*>{red, red2}));
}

// Every object the board owns is deleted once, wherever it ended up.
TEST(GameScrollWell, TheBoardDeletesEverythingItOwnsOnce) {
  struct CountedEffects : well::WellSFX {
    explicit CountedEffects(int* deleted) : WellSFX(nullptr, nullptr), deleted_(deleted) {}
    ~CountedEffects() override { ++*deleted_; }
    int* deleted_;
  };
  struct CountedEnd : well::GameEnd {
    explicit CountedEnd(int* deleted) : GameEnd(nullptr, ""), deleted_(deleted) {}
    ~CountedEnd() override { ++*deleted_; }
    int* deleted_;
  };
  struct CountedDecoration : well::Decoration {
    CountedDecoration(well::BaseWell* board, int* deleted) : Decoration(board), deleted_(deleted) {}
    ~CountedDecoration() override { ++*deleted_; }
    int* deleted_;
  };
  FrameClock clock(1.0f);
  const int live = StubBlock::Live();
  int effects = 0, ends = 0, decorations = 0;
  {
    LogCapture log;
    StubWell board;
    board.CreateCells(3, 3);
    board.Put("on the grid", 0, 0);
    board.Put("dead", 1, 0)->SetErased();
    board.Tick(0.06f);  // into the graveyard
    StubBlock* twice = new StubBlock(&board, "refused twice");
    board.PutBlock(twice, -1, 0);
    board.PutBlock(twice, 5, 5);
    StubBlock* both = board.Put("queued again", 2, 2);
    board.PlaceBlock(both, 2, 1, 5.0f);
    board.PlaceBlock(new StubBlock(&board, "never due"), 1, 1, 100.0f);
    board.RecordLayout();
    board.SetEffects(new CountedEffects(&effects));
    board.SetEffects(new CountedEffects(&effects));  // the first goes now
    board.SetGameEnd(new CountedEnd(&ends));
    board.InsertDecoration(new CountedDecoration(&board, &decorations));
    board.InsertDecoration(new CountedDecoration(&board, &decorations));
    EXPECT_EQ(effects, 1);
    EXPECT_EQ(StubBlock::Live(), live + 5);
  }
  EXPECT_EQ(StubBlock::Live(), live);
  EXPECT_EQ(effects, 2);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(decorations, 2);
}

}  // namespace
