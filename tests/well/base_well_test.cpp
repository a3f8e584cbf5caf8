#include "well/base_well.h"

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "well/effects/well_sfx.h"
#include "well/game_end.h"

namespace {

using board_testing::FrameClock;
using board_testing::StubBlock;
using board_testing::StubWell;

TEST(BaseWell, StartsEmptyWithTheDefaults) {
  StubWell board;
  EXPECT_EQ(board.GetWidth(), 0u);
  EXPECT_EQ(board.GetLevelIndex(), -1);
  EXPECT_EQ(board.GetBackgroundName(), "random");
  EXPECT_EQ(board.GetEffectName(), "none");
  EXPECT_TRUE(board.HasGravity());
  EXPECT_FALSE(board.HasWon());
  EXPECT_FALSE(board.IsGameEndFinished());
  EXPECT_EQ(board.GetEffects(), nullptr);
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
  EXPECT_FLOAT_EQ(board.GetStepTimer().remaining, 0.05f);
  board.WinGame();
  EXPECT_TRUE(board.HasWon());
  board.LooseGame();
  EXPECT_FALSE(board.HasWon());
}

TEST(BaseWell, AFrameRunsOneStepAtMostAndDropsTheOvershoot) {
  const struct {
    std::vector<float> frames;
    std::vector<int> stepsAfter;  // steps run so far, after each frame
  } cases[] = {
      {{0.1f}, {1}},
      {{0.1f, 0.1f, 0.1f}, {1, 2, 3}},
      {{0.03f, 0.03f}, {0, 1}},
      {{0.05f, 0.001f}, {0, 1}},  // at 0 the timer has not run out
      {{0.06f, 0.04f, 0.02f}, {1, 1, 2}},
      {{0.0f, 0.0f}, {0, 0}},
  };
  for (const auto& c : cases) {
    StubWell board;
    board.CreateCells(2, 2);
    for (size_t i = 0; i < c.frames.size(); ++i) {
      board.Tick(c.frames[i]);
      EXPECT_EQ(board.steps, c.stepsAfter[i]) << "frame " << i << " of case starting " << c.frames[0];
    }
  }
  StubWell board;
  board.CreateCells(2, 2);
  board.Tick(0.03f);
  board.Tick(0.03f);
  EXPECT_FLOAT_EQ(board.GetStepTimer().remaining, 0.05f);
  EXPECT_FLOAT_EQ(board.GetElapsed(), 0.06f);
}

TEST(BaseWell, QueuedBlocksArriveByTheFrameClockEarliestFirstWithTheirHooks) {
  FrameClock clock(10.0f);
  StubWell board;
  board.CreateCells(3, 1);
  const struct {
    const char* type;
    int32_t x;
    float delay;
  } queued[] = {{"late", 0, 0.3f}, {"early", 1, 0.1f}, {"middle", 2, 0.2f}};
  for (const auto& q : queued) {
    board.PlaceBlock(new StubBlock(&board, q.type, &board.events), q.x, 0, q.delay);
  }
  EXPECT_TRUE(board.IsMoving());
  EXPECT_EQ(board.GetPlacementQueue().size(), 3u);

  board.recordChanges = true;
  clock.Set(10.25f);
  board.PlaceDueBlocks();
  EXPECT_EQ(board.events, (std::vector<std::string>{"before", "before", "early placed", "changed", "before", "before",
                                                    "middle placed", "changed"}));
  EXPECT_EQ(board.GetBlock(1, 0)->GetTypeName(), "early");
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);

  // Queued placements do not keep the moving flag up.
  board.Tick(0.0f);
  EXPECT_FALSE(board.IsMoving());
  clock.Set(11.0f);
  board.PlaceDueBlocks();
  EXPECT_EQ(board.GetBlock(0, 0)->GetTypeName(), "late");
  EXPECT_TRUE(board.GetPlacementQueue().empty());
}

TEST(BaseWell, ABlockDueNowWaitsForALaterStep) {
  FrameClock clock(4.0f);
  StubWell board;
  board.CreateCells(1, 1);
  StubBlock* block = new StubBlock(&board, "b");
  board.PlaceBlock(block, 0, 0, 0.25f);
  clock.Set(4.25f);
  board.PlaceDueBlocks();
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
  clock.Set(4.2501f);
  board.PlaceDueBlocks();
  EXPECT_EQ(board.GetBlock(0, 0), block);
}

TEST(BaseWell, PlacingWithNoDelayPutsAtOnceAndLeavesTheQueueAndFlagAlone) {
  FrameClock clock(1.0f);
  for (float delay : {0.0f, -1.0f}) {
    StubWell board;
    board.CreateCells(1, 1);
    StubBlock* block = new StubBlock(&board, "b", &board.events);
    EXPECT_EQ(board.PlaceBlock(block, 0, 0, delay), block);
    EXPECT_EQ(board.GetBlock(0, 0), block) << delay;
    EXPECT_EQ(board.events, std::vector<std::string>{"b placed"});
    EXPECT_TRUE(board.GetPlacementQueue().empty());
    EXPECT_FALSE(board.IsMoving());
  }
}

// Column of three cells: A at row 1 falls to row 2, then B from row 0 follows.
TEST(BaseWell, SettlingFollowsTheFrameTheLastSlideArrivedInEvenWhenItsStepStartsNewFalls) {
  StubWell board;
  board.Create(1, 3, {0.0f, 0.0f}, {0.1f, 0.3f}, {0.1f, 0.1f});
  board.Put("B", 0, 0);
  board.Put("A", 0, 1);
  std::vector<int> settled;
  for (int frame = 0; frame < 6; ++frame) {
    board.events.clear();
    board.Tick(0.06f);
    int count = 0;
    for (const std::string& e : board.events) count += e == "settled";
    settled.push_back(count);
  }
  // 1: A starts; 2: A slides; 3: A lands and the step starts B;
  // 4: B slides; 5: B lands; 6: all rest.
  EXPECT_EQ(settled, (std::vector<int>{0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(board.GetBlock(0, 2)->GetTypeName(), "A");
  EXPECT_EQ(board.GetBlock(0, 1)->GetTypeName(), "B");
}

TEST(BaseWell, DeadBlocksLeaveTheGridInTheStepAndLiveOnInTheGraveyard) {
  const int live = StubBlock::Live();
  {
    StubWell board;
    board.CreateCells(3, 1);
    StubBlock* destroyed = board.Put("destroyed", 0, 0);
    StubBlock* erased = board.Put("erased", 1, 0);
    StubBlock* kept = board.Put("kept", 2, 0);
    destroyed->SetState(well::kStateDestroyed);
    erased->SetErased();
    board.events.clear();
    board.recordChanges = true;
    board.RemoveDeadBlocks();
    // The destroyed block hears it once; each leaving block changes the board.
    EXPECT_EQ(board.events, (std::vector<std::string>{"destroyed destroyed", "changed", "changed"}));
    EXPECT_EQ(board.GetBlock(0, 0), nullptr);
    EXPECT_EQ(board.GetBlock(1, 0), nullptr);
    EXPECT_EQ(board.GetBlock(2, 0), kept);
    EXPECT_EQ(board.GetGraveyard(), (std::vector<well::Block*>{destroyed, erased}));
    EXPECT_EQ(StubBlock::Live(), live + 3);
  }
  EXPECT_EQ(StubBlock::Live(), live);
}

TEST(BaseWell, ABlockErasedDuringAFrameLeavesTheGridAtItsEndWithNoHook) {
  StubWell board;
  board.CreateCells(2, 1);
  StubBlock* erased = board.Put("erased", 0, 0);
  StubBlock* destroyed = board.Put("destroyed", 1, 0);
  erased->SetErased();
  destroyed->SetState(well::kStateDestroyed);
  board.events.clear();
  board.recordChanges = true;
  board.Tick(0.01f);  // no step
  EXPECT_EQ(board.steps, 0);
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
  EXPECT_EQ(board.GetBlock(1, 0), nullptr);
  EXPECT_EQ(board.GetGraveyard().size(), 2u);
  EXPECT_TRUE(board.events.empty());
}

TEST(BaseWell, AreasAreFreeOnlyInsideTheBoardAndWithNoBlock) {
  StubWell board;
  board.CreateCells(4, 3);
  board.Put("b", 2, 1);
  const struct {
    uint32_t x, y, width, height;
    bool free;
  } cases[] = {
      {0, 0, 2, 3, true},           {0, 0, 4, 1, true},  {3, 2, 1, 1, true},
      {1, 0, 4, 1, false},  // one past the right edge
      {0, 1, 1, 3, false},  // one past the bottom
      {0, 1, 3, 1, false},          {2, 1, 1, 1, false}, {3, 0, 1, 3, true},
      {0xFFFFFFFFu, 0, 2, 1, false},  // wraps around without the widening
      {0, 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(board.IsAreaFree(c.x, c.y, c.width, c.height), c.free)
        << c.x << "," << c.y << " " << c.width << "x" << c.height;
  }
  board.blockLookups = 0;
  EXPECT_TRUE(board.IsAreaFree(0, 2, 3, 1));
  EXPECT_EQ(board.blockLookups, 3);
}

TEST(BaseWell, PointsAndCellsConvertThroughTheOriginAndScroll) {
  StubWell board;
  board.Create(4, 4, {0.1f, 0.2f}, {0.2f, 0.2f}, {0.1f, 0.1f});
  StubBlock* corner = board.Put("corner", 0, 0);
  const struct {
    math::Vec2 point;
    well::Cell cell;
  } cases[] = {
      {{0.1f, 0.2f}, {0, 0}},   {{0.25f, 0.35f}, {1, 1}},
      {{0.05f, 0.15f}, {0, 0}},  // left of and above the origin by less than a cell
      {{-0.05f, 0.2f}, {-1, 0}}, {{0.49f, 0.59f}, {3, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(board.ScreenToCell(c.point), c.cell) << c.point.x << "," << c.point.y;
  EXPECT_EQ(board.GetBlockAtPoint({0.05f, 0.15f}), corner);
  EXPECT_EQ(board.GetBlockAtPoint({-0.05f, 0.2f}), nullptr);
  EXPECT_EQ(board.ScreenToCell({0.1f, 0.2f}), (well::Cell{0, 0}));

  board.SetScroll({0.1f, 0.0f});
  EXPECT_FLOAT_EQ(board.CellToScreen(2, 1).x, 0.2f);
  EXPECT_FLOAT_EQ(board.CellToScreen(2, 1).y, 0.3f);
  EXPECT_EQ(board.ScreenToCell({0.25f, 0.35f}), (well::Cell{2, 1}));
  EXPECT_EQ(board.CellsToSize(2, 3).y, board.GetCellSize().y * 3);
  EXPECT_EQ(board.SizeToCells({0.25f, 0.1f}), (well::Cell{2, 1}));
  EXPECT_EQ(board.GetBlockIndex(nullptr), 0);

  // A zero cell size gives no cell rather than an undefined conversion.
  StubWell flat;
  flat.Create(1, 1, {0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
  EXPECT_EQ(flat.ScreenToCell({0.5f, 0.5f}), (well::Cell{-1, -1}));
}

// Reports a block wider than a cell on its right-hand cells too, as the game
// board does.
class CoveringWell : public StubWell {
 public:
  well::Block* GetBlock(int32_t x, int32_t y) override {
    if (well::Block* block = StubWell::GetBlock(x, y)) return block;
    well::Block* left = StubWell::GetBlock(x - 1, y);
    return left && left->GetWidth() > 1 ? left : nullptr;
  }
};

TEST(BaseWell, CollectingTakesEachBlockOnceColumnByColumn) {
  CoveringWell board;
  board.CreateCells(4, 3);
  StubBlock* wide = board.Put("wide", 0, 1, 2, 1);
  StubBlock* a = board.Put("a", 1, 0);
  StubBlock* b = board.Put("b", 2, 2);
  StubBlock* c = board.Put("c", 3, 0);
  std::vector<well::Block*> all;
  board.CollectAllBlocks(all);
  EXPECT_EQ(all, (std::vector<well::Block*>{wide, a, b, c}));

  // Starting right of the wide block's own column still takes it, once.
  std::vector<well::Block*> right;
  board.CollectBlocks(1, 0, 3, 2, right);
  EXPECT_EQ(right, (std::vector<well::Block*>{a, wide, b, c}));

  std::vector<well::Block*> none;
  board.CollectBlocks(3, 0, 2, 2, none);
  board.CollectBlocks(0, 2, 3, 1, none);
  EXPECT_TRUE(none.empty());
}

// The end screen and the effects owner are ticked every frame after the
// step, and the end screen drawn by the base; a started end screen with no
// step left is finished.
TEST(BaseWell, TheEndScreenAndTheEffectsFollowTheBoardsFrames) {
  struct Calls {
    std::vector<std::string> calls;
  } calls;
  struct RecordingEffects : well::WellSFX {
    explicit RecordingEffects(Calls* log) : WellSFX(nullptr, nullptr), log_(log) {}
    void Tick(float) override { log_->calls.push_back("effects"); }
    Calls* log_;
  };
  struct RecordingEnd : well::GameEnd {
    explicit RecordingEnd(Calls* log) : GameEnd(nullptr, ""), log_(log) {}
    void Tick(float) override { log_->calls.push_back("end"); }
    void Draw() override { log_->calls.push_back("end drawn"); }
    Calls* log_;
  };
  struct LoggingWell : StubWell {
    explicit LoggingWell(Calls* log) : log_(log) {}
    void Step() override { log_->calls.push_back("step"); }
    Calls* log_;
  };
  LoggingWell board(&calls);
  board.CreateCells(1, 1);
  board.SetEffects(new RecordingEffects(&calls));
  RecordingEnd* end = new RecordingEnd(&calls);
  board.SetGameEnd(end);
  board.Tick(0.06f);
  board.Draw();
  EXPECT_EQ(calls.calls, (std::vector<std::string>{"step", "end", "effects", "end drawn"}));
  EXPECT_FALSE(board.IsGameEndFinished());
  end->Start();
  EXPECT_TRUE(board.IsGameEndFinished());
  board.SetGameEnd(nullptr);
  EXPECT_FALSE(board.IsGameEndFinished());
}

}  // namespace
