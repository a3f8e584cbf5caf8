#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/blocks/block_board_fixture.h"
#include "board/blocks/qor_fixed_blocks.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_pathfind.h"
#include "board/walkers/qor_scorpion.h"
#include "board/walkers/qor_shady.h"
#include "board/walkers/qor_spider.h"
#include "well/game_end.h"

namespace {

using Piece = QORPathFind::Piece;

// An explorer on the blocks' board of 8 x 8 metal cells, started as a level
// starts: his route sized to the board, the goal map made.
class ExplorerTest : public block_testing::BlockBoardTest {
 protected:
  void SetUp() override {
    board_->OnLevelStart();
    explorer_ = board_->GetExplorer();
    ASSERT_NE(explorer_, nullptr);
    ASSERT_NE(explorer_->GetRoute(), nullptr);
  }

  void Gild(const std::vector<well::Cell>& cells) {
    for (const well::Cell& cell : cells) board_->GetTile(cell.x, cell.y)->type = kTileGold;
  }
  // The cells of a route's display, far end first, with their pieces.
  static std::string DisplayOf(const QORPathFind* route) {
    std::string text;
    const int32_t width = route->GetWidth();
    for (const QORPathFind::DisplayEntry& entry : route->GetDisplay()) {
      if (!text.empty()) text += " ";
      text += std::to_string(entry.cell % width) + "," + std::to_string(entry.cell / width) + ":" +
              QORPathFind::kPieceNames[entry.piece];
    }
    return text;
  }
  void TickFor(float seconds) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += 0.05f) explorer_->Tick(0.05f);
  }
  // Lets the block fall as far as it goes.
  static void Land(QORBlock* block) {
    block->FallTest();
    while (block->IsSliding()) block->Tick(0.05f);
  }

  QORExplorer* explorer_ = nullptr;
};

TEST_F(ExplorerTest, CellCostsFollowTheRowsInTheirOrder) {
  struct Case {
    const char* what;
    int32_t tile;
    const char* block;  // made on the cell, or null
    int32_t main, leg;
  } cases[] = {
      {"no floor, even under a start block", kTileVoid, "qor_startblock", 0, 0},
      {"a rock on gold", kTileGold, "qor_rock", 1, 2},
      {"a milestone on metal", kTileMetal, "qor_milestone[1]", 4, 2},
      {"a start block on gold", kTileGold, "qor_startblock", 4, 1},
      {"a nest on sand", kTileSand, "qor_mummynest", 4, 1},
      {"gold", kTileGold, nullptr, 2, 2},
      {"bare floor", kTileBare, nullptr, 2, 2},
      {"metal", kTileMetal, nullptr, 1, 2},
      {"cracked sand", kTileCracked, nullptr, 1, 2},
      {"a tile kept only for the editor", kTileEditOnly, nullptr, 1, 1},
  };
  QORPathFind main(explorer_);
  QORPathFindLeg leg(explorer_);
  for (const Case& c : cases) {
    board_->ClearWell();
    if (c.block) {
      ASSERT_NE(Put(c.block, "none", 4, 2), nullptr) << c.what;
    }
    // After the block: a nest takes the floor from under itself.
    board_->GetTile(4, 2)->type = c.tile;
    EXPECT_EQ(main.GetCellCost(4, 2), c.main) << c.what;
    EXPECT_EQ(leg.GetCellCost(4, 2), c.leg) << c.what;
  }
  // His own cell comes first, floor or not; off the board is closed.
  board_->GetTile(1, 1)->type = kTileVoid;
  EXPECT_EQ(main.GetCellCost(1, 1), 2);
  EXPECT_EQ(leg.GetCellCost(1, 1), 2);
  EXPECT_EQ(main.GetCellCost(-1, 0), 0);
  EXPECT_EQ(leg.GetCellCost(8, 0), 0);
}

TEST_F(ExplorerTest, WithoutGoldBesideHimHeStandsAndTheLegShowsTheWayAtHalfAlpha) {
  explorer_->SetGoal(5, 1);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{1, 1}));
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{1, 1}));
  EXPECT_EQ(explorer_->GetGoal(), (well::Cell{5, 1}));
  QORPathFind* route = explorer_->GetRoute();
  EXPECT_TRUE(route->IsEmpty());
  QORPathFind* leg = route->GetLeg();
  ASSERT_NE(leg, nullptr);
  EXPECT_FLOAT_EQ(leg->GetAlpha(), 0.5f);
  EXPECT_EQ(DisplayOf(leg), "5,1:arrow_right 4,1:Path_Vertical 3,1:Path_Vertical 2,1:Path_Vertical");
  // Standing, he looks again once a step period.
  TickFor(3.0f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{1, 1}));
}

TEST_F(ExplorerTest, ATileGildedAheadLetsHimWalkOnWithoutANewGoal) {
  explorer_->SetGoal(3, 1);
  ASSERT_TRUE(explorer_->GetRoute()->IsEmpty());
  Gild({{2, 1}, {3, 1}});
  board_->RebuildExplorerPath();
  // He stands out the step period he began, then sets off.
  TickFor(1.05f);
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{2, 1}));
  TickFor(1.0f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{3, 1}));
}

// Standing without a route he plans again once a step period; over an
// unchanged board that finds what it found before without searching.
TEST_F(ExplorerTest, HisRouteIsSearchedAgainOnlyWhenWhatItDependsOnChanged) {
  explorer_->SetGoal(5, 1);
  const QORPathFind* route = explorer_->GetRoute();
  ASSERT_TRUE(route->IsEmpty());
  uint64_t searches = route->GetSearchCount();
  TickFor(3.0f);
  EXPECT_EQ(route->GetSearchCount(), searches) << "nothing changed";

  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"a tile", [this] { Gild({{3, 1}}); }},
      {"a block", [this] { ASSERT_NE(Put("qor_rock", "none", 3, 1), nullptr); }},
      {"his cell and target", [this] { explorer_->PlaceAt(1, 2); }},
      {"his goal", [this] { explorer_->SetGoal(5, 2); }},
  };
  for (const auto& c : changes) {
    c.change();
    board_->RebuildExplorerPath();
    EXPECT_GT(route->GetSearchCount(), searches) << c.what;
    searches = route->GetSearchCount();
    board_->RebuildExplorerPath();
    EXPECT_EQ(route->GetSearchCount(), searches) << c.what << ", then nothing";
  }
}

// Walking, each step comes off the route he has: no step searches again.
TEST_F(ExplorerTest, StepsAlongAnUnchangedRouteRunNoNewSearch) {
  Gild({{2, 1}, {3, 1}, {4, 1}, {5, 1}});
  explorer_->SetGoal(5, 1);
  const QORPathFind* route = explorer_->GetRoute();
  // He set off at once: the first step is taken.
  ASSERT_EQ(route->GetSteps().size(), 3u);
  const uint64_t searches = route->GetSearchCount();
  TickFor(2.05f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{3, 1}));
  EXPECT_EQ(route->GetSteps().size(), 1u);
  EXPECT_EQ(route->GetSearchCount(), searches);
}

TEST_F(ExplorerTest, TheRouteIsDrawnInOneCallForEachRunOfOnePiece) {
  Gild({{2, 1}, {3, 1}, {4, 1}, {5, 1}});
  explorer_->SetGoal(5, 1);
  ASSERT_EQ(DisplayOf(explorer_->GetRoute()),
            "5,1:arrow_right 4,1:Path_Vertical 3,1:Path_Vertical 2,1:Path_Vertical");
  graphics_.calls.clear();
  graphics_.drawn.clear();
  explorer_->GetRoute()->DrawPath();
  std::vector<uint32_t> draws;
  for (const RecordingGraphics::Call& call : graphics_.calls) {
    if (call.kind == RecordingGraphics::Call::kDraw) draws.push_back(call.count);
  }
  EXPECT_EQ(draws, (std::vector<uint32_t>{6, 18}));
  // The straight pieces on their cells, left of the arrow.
  ASSERT_EQ(graphics_.drawn.size(), 2u);
  EXPECT_NEAR(graphics_.drawn[1][0].x, graphics_.drawn[0][0].x - 45.0f, 0.5f);
}

TEST_F(ExplorerTest, ARockOnHisNextCellMakesHimStopAndPlanAgain) {
  Gild({{2, 1}, {3, 1}, {4, 1}});
  explorer_->SetGoal(4, 1);
  ASSERT_EQ(explorer_->GetTargetCell(), (well::Cell{2, 1}));
  ASSERT_NE(Put("qor_rock", "none", 3, 1), nullptr);
  TickFor(1.0f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{2, 1}));
  EXPECT_TRUE(explorer_->GetRoute()->IsEmpty());
}

// A rock falls onto (3, 1), held there by the token on (3, 2).
TEST_F(ExplorerTest, ARockCrackingGoldOnHisRouteMakesHimPlanAroundIt) {
  Gild({{2, 1}, {3, 1}, {4, 1}, {5, 1}, {2, 2}, {3, 2}, {4, 2}});
  ASSERT_NE(Put("qor_block", "red", 3, 2), nullptr);
  explorer_->SetGoal(5, 1);
  ASSERT_EQ(DisplayOf(explorer_->GetRoute()), "5,1:arrow_right 4,1:Path_Vertical 3,1:Path_Vertical 2,1:Path_Vertical");
  QORBlock* rock = Put("qor_rock", "none", 3, 0);
  Land(rock);
  ASSERT_EQ(rock->GetCell(), (well::Cell{3, 1}));
  EXPECT_EQ(rock->GetState(), well::kStateStand);
  EXPECT_EQ(board_->GetTile(3, 1)->type, kTileCracked);
  // At once, before he reaches the rock: round it, over the gold below.
  EXPECT_EQ(DisplayOf(explorer_->GetRoute()).find("3,1:"), std::string::npos) << DisplayOf(explorer_->GetRoute());
  EXPECT_NE(DisplayOf(explorer_->GetRoute()).find("3,2:"), std::string::npos) << DisplayOf(explorer_->GetRoute());
}

// Falling onto the cell he is stepping to, a rock breaks; the gold stays.
TEST_F(ExplorerTest, ARockLandingOnTheCellHeStepsToBreaks) {
  Gild({{2, 7}, {3, 7}});
  explorer_->PlaceAt(2, 7);
  explorer_->StepTowards(3, 7);
  ASSERT_EQ(explorer_->GetTargetCell(), (well::Cell{3, 7}));
  QORBlock* rock = Put("qor_rock", "none", 3, 5);
  Land(rock);
  EXPECT_EQ(rock->GetCell(), (well::Cell{3, 7}));
  EXPECT_EQ(rock->GetState(), well::kStateDestroyed);
  EXPECT_EQ(board_->GetTile(3, 7)->type, kTileGold);
}

TEST_F(ExplorerTest, ARockFoundOnHisCellOnArrivalIsDestroyed) {
  Gild({{2, 1}});
  QORBlock* rock = Put("qor_rock", "none", 2, 1);
  explorer_->StepTowards(2, 1);
  TickFor(1.0f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
  EXPECT_EQ(rock->GetState(), well::kStateDestroyed);
}

TEST_F(ExplorerTest, AWebHoldsHimUntilItIsTorn) {
  Gild({{2, 1}, {3, 1}});
  board_->GetTile(2, 1)->webbed = 1;
  explorer_->SetGoal(3, 1);
  TickFor(1.0f);
  ASSERT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
  TickFor(2.0f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{2, 1}));
  board_->GetTile(2, 1)->webbed = 0;
  TickFor(1.0f);
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{3, 1}));
}

TEST_F(ExplorerTest, AKnockOutReturnsHimBesideTheEntranceAfterASecond) {
  ASSERT_NE(Put("qor_entrance", "none", 0, 5, 2, 2), nullptr);
  board_->OnLevelStart();
  ASSERT_EQ(explorer_->GetCell(), (well::Cell{1, 6}));
  Gild({{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}});
  explorer_->SetGoal(5, 6);
  TickFor(2.0f);
  ASSERT_EQ(explorer_->GetCell(), (well::Cell{3, 6}));
  explorer_->KnockOut();
  EXPECT_TRUE(explorer_->IsKnockedOut());
  EXPECT_EQ(explorer_->GetTargetCell(), (well::Cell{3, 6}));
  TickFor(0.9f);
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{3, 6}));
  TickFor(0.2f);
  EXPECT_FALSE(explorer_->IsKnockedOut());
  EXPECT_EQ(explorer_->GetCell(), (well::Cell{0, 6}));
  // He plans again towards his last goal, over gold that may have turned back.
  EXPECT_EQ(explorer_->GetGoal(), (well::Cell{5, 6}));
  EXPECT_EQ(explorer_->GetRoute()->GetGoalX(), 5);
  EXPECT_EQ(explorer_->GetRoute()->GetGoalY(), 6);
}

TEST_F(ExplorerTest, AnyCellOfTheExitWinsTheLevel) {
  for (const well::Cell cell : {well::Cell{5, 5}, well::Cell{6, 5}, well::Cell{5, 6}, well::Cell{6, 6}}) {
    board_->SetGameEnd(nullptr);
    board_->ClearWell();
    QORExitBlock* exit = Put<QORExitBlock>("qor_exit", "none", 5, 5, 2, 2);
    board_->OnLevelStart();
    explorer_ = board_->GetExplorer();
    explorer_->PlaceAt(cell.x, cell.y);
    explorer_->OnArrive();
    EXPECT_NE(board_->GetGameEnd(), nullptr) << cell.x << "," << cell.y;
    EXPECT_TRUE(board_->HasWon());
    EXPECT_TRUE(exit->IsOpened());
  }
}

// A board whose mummy the test raises where it likes.
class MummyBoard : public block_testing::TestWell {
 public:
  using QORWell::CreateMummy;
};

TEST_F(ExplorerTest, ACritterThatStopsHimAsHeArrivesEndsHisWalkThereTheRivalDoesNot) {
  enum Attacker { kSpider, kScorpion, kMummy, kRival };
  const struct {
    const char* what;
    Attacker attacker;
    well::Cell target;  // his target once he has arrived on (2, 1)
  } cases[] = {
      {"a spider below webs him", kSpider, {2, 1}},
      {"a scorpion below stings him", kScorpion, {2, 1}},
      {"the mummy below casts", kMummy, {2, 1}},
      {"he walks into the rival", kRival, {3, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::srand(3);
    auto board = std::make_unique<MummyBoard>();
    uint8_t colours[QORWell::kColorCount] = {};
    board->Setup(kWidth, kHeight, colours);
    MummyBoard* mummyBoard = board.get();
    board_ = std::move(board);
    SetFloor(kTileMetal);
    board_->OnLevelStart();
    explorer_ = board_->GetExplorer();
    ASSERT_EQ(explorer_->GetCell(), (well::Cell{1, 1}));
    switch (c.attacker) {
      case kSpider: {
        auto* spider = new QORSpider(board_.get(), nullptr);
        spider->PlaceAt(2, 2);
        ASSERT_TRUE(board_->AddWalker(spider));
        break;
      }
      case kScorpion: {
        auto* scorpion = new QORScorpion(board_.get(), nullptr);
        scorpion->PlaceAt(2, 2);
        // Two seconds old, it stings; with no token about, it stays put.
        for (int i = 0; i < 16; ++i) scorpion->Tick(0.125f);
        ASSERT_TRUE(board_->AddWalker(scorpion));
        break;
      }
      case kMummy:
        mummyBoard->CreateMummy(2, 2);
        break;
      case kRival: {
        auto* rival = new QORShady(board_.get());
        rival->PlaceAt(2, 1);
        ASSERT_TRUE(board_->AddWalker(rival));
        break;
      }
    }
    Gild({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}});
    explorer_->SetGoal(5, 1);
    ASSERT_EQ(explorer_->GetTargetCell(), (well::Cell{2, 1}));
    TickFor(1.0f);
    EXPECT_EQ(explorer_->GetCell(), (well::Cell{2, 1}));
    EXPECT_EQ(explorer_->GetTargetCell(), c.target);
  }
}

TEST_F(ExplorerTest, AStepDownTakesHalfASecondAndAStepRightOne) {
  struct Case {
    well::Cell to;
    float seconds;
  } cases[] = {{{1, 2}, 0.5f}, {{1, 0}, 0.5f}, {{2, 1}, 1.0f}, {{0, 1}, 1.0f}, {{1, 1}, 1.0f}};
  for (const Case& c : cases) {
    explorer_->PlaceAt(1, 1);
    explorer_->StepTowards(c.to.x, c.to.y);
    EXPECT_EQ(explorer_->GetTargetCell(), c.to);
    EXPECT_FLOAT_EQ(explorer_->GetStepTimer().period, c.seconds);
  }
  // Halfway through a step down he is drawn halfway between the cells.
  explorer_->PlaceAt(1, 1);
  explorer_->StepTowards(1, 2);
  explorer_->Tick(0.25f);
  const math::Vec2 from = board_->CellToScreen(1, 1), to = board_->CellToScreen(1, 2);
  EXPECT_NEAR(explorer_->GetScreenPosition().y, (from.y + to.y) * 0.5f, 1e-5f);
  EXPECT_NEAR(explorer_->GetBoardPosition().y, (from.y + to.y) * 0.5f + board_->GetScroll().y, 1e-5f);
}

TEST_F(ExplorerTest, TheRouteShowsStraightsCornersAndAnArrowAtItsEnd) {
  Gild({{2, 1}, {3, 1}, {3, 2}, {3, 3}});
  explorer_->SetGoal(3, 3);
  EXPECT_EQ(DisplayOf(explorer_->GetRoute()),
            "3,3:arrow_down 3,2:Path_Horizontal 3,1:Path_Bottom_Left 2,1:Path_Vertical");
  // The main route ends short of the goal: the leg goes on, and the main
  // route's end joins it without an arrow.
  board_->GetTile(3, 3)->type = kTileMetal;
  board_->GetTile(4, 3)->type = kTileMetal;
  explorer_->PlaceAt(1, 1);
  explorer_->SetGoal(4, 3);
  EXPECT_EQ(DisplayOf(explorer_->GetRoute()), "3,2:Path_Top_Right 3,1:Path_Bottom_Left 2,1:Path_Vertical");
  EXPECT_EQ(DisplayOf(explorer_->GetRoute()->GetLeg()), "4,3:arrow_down 4,2:Path_Bottom_Left");
}

}  // namespace
