#include "board/walkers/qor_mummy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "board/game_variables.h"
#include "board/hud_test_support.h"
#include "board/walkers/qor_nests.h"
#include "walker_board_fixture.h"

namespace {

using walker_testing::WalkerBoardTest;
using walker_testing::WalkerWell;

// The board's mummy steps within reach, and the hints it shows.
class MummyWell : public WalkerWell {
 public:
  ~MummyWell() override { DeleteLevelObjects(); }
  bool ShowHelpHint(int32_t id, const math::Vec2& topLeft, const math::Vec2&, const char*) override {
    hints.push_back(id);
    hintAt = topLeft;
    return true;
  }
  using QORWell::CreateMummy;
  using QORWell::TickMummy;

  std::vector<int32_t> hints;
  math::Vec2 hintAt;
};

// A 12 x 12 board of metal floor, with the mummy's images as
// strips of four frames lasting a cycle of 2 s, and a profile of its own.
class MummyTest : public WalkerBoardTest {
 protected:
  static constexpr float kCycle = 2.0f;

  void SetUp() override {
    WalkerBoardTest::SetUp();
    profile_ = std::make_unique<hud_testing::TestProfile>("mummy_test");
    for (const char* prefix : {"Appear", "Idle", "Walk", "Disappear", "Magic"}) {
      for (const char* word : {"left", "Right", "Up", "Down"}) {
        const std::string name = std::string("Mummy_") + prefix + "_" + word;
        ASSERT_TRUE(
            ui::GetSpriteSet()->AddSprite(name, name + "_256x64.png", 4, kCycle / 4, 0, 0, false, false, 0, 0));
      }
    }
  }
  void TearDown() override {
    board_.reset();
    profile_.reset();
    WalkerBoardTest::TearDown();
  }

  std::unique_ptr<WalkerWell> NewBoard() override { return std::make_unique<MummyWell>(); }
  MummyWell& Board() { return static_cast<MummyWell&>(*board_); }
  // A mummy on the cell that has run its first step (it starts to appear).
  QORMummy* Raise(int32_t x, int32_t y) {
    Board().CreateMummy(x, y);
    return board_->GetMummy();
  }
  // The mummy raised on (2, 2) and stepped until it walks, the explorer on (7, 2).
  QORMummy* RaiseWalking() {
    board_->explorer = well::Cell{7, 2};
    QORMummy* mummy = Raise(2, 2);
    mummy->Think();  // idle
    mummy->Think();  // deciding: the first step
    return mummy;
  }
  // On gold floor, the walking mummy has reached the explorer on (4, 2) and
  // casts.
  QORMummy* RaiseCasting() {
    SetFloor(kTileGold);
    QORMummy* mummy = RaiseWalking();
    board_->explorer = well::Cell{4, 2};
    mummy->Think();
    return mummy;
  }
  static std::string Image(const QORMummy* mummy) { return mummy->GetSprite().GetName(); }

  std::unique_ptr<hud_testing::TestProfile> profile_;
};

TEST_F(MummyTest, ItAppearsWaitsAndWalksTowardsTheExplorer) {
  board_->explorer = well::Cell{7, 2};
  QORMummy* mummy = Raise(2, 2);
  EXPECT_TRUE(board_->IsSoundCueRaised(QORWell::kCueMummyHi));
  EXPECT_EQ(Image(mummy), "Mummy_Appear_left");
  EXPECT_EQ(mummy->GetState(), QORMummy::kIdle);
  mummy->Think();
  EXPECT_EQ(Image(mummy), "Mummy_Idle_left");
  EXPECT_EQ(mummy->GetState(), QORMummy::kDeciding);
  mummy->Think();
  EXPECT_EQ(mummy->GetState(), QORMummy::kWalking);
  EXPECT_EQ(mummy->GetTargetCell(), (well::Cell{3, 2}));
  EXPECT_EQ(Image(mummy), "Mummy_Walk_Right");
  mummy->Think();
  EXPECT_EQ(mummy->GetCell(), (well::Cell{3, 2})) << "the step taken";
  EXPECT_EQ(mummy->GetTargetCell(), (well::Cell{4, 2}));
}

TEST_F(MummyTest, ItMovesOnOnlyAtTheEndOfAnAnimationCycle) {
  QORMummy* mummy = RaiseWalking();
  for (int i = 0; i < 4; ++i) Board().TickMummy(kCycle / 4);
  EXPECT_EQ(mummy->GetCell(), (well::Cell{2, 2})) << "not before the cycle is over";
  Board().TickMummy(0.125f);
  EXPECT_EQ(mummy->GetCell(), (well::Cell{3, 2}));
}

TEST_F(MummyTest, ItsSpriteEasesOverTheStepAndStandsOnTheTargetOnceTheTimerStops) {
  QORMummy* mummy = RaiseWalking();
  const math::Vec2 cell = board_->GetCellSize();
  const math::Vec2 stand((cell.x - QORMummy::kSpriteWidth) * 0.5f, cell.y - QORMummy::kSpriteHeight);
  const math::Vec2 from = board_->CellToScreen(2, 2) + stand;
  const math::Vec2 to = board_->CellToScreen(3, 2) + stand;
  Board().TickMummy(0.75f);  // half the step
  EXPECT_NEAR(mummy->GetScreenPosition().x, (board_->CellToScreen(2, 2).x + board_->CellToScreen(3, 2).x) / 2, 1e-5f);
  EXPECT_NEAR(mummy->GetSpritePosition().x, from.x + (to.x - from.x) * 0.75f, 1e-5f) << "2t - t^2 of the way";
  EXPECT_NEAR(mummy->GetSpritePosition().y, from.y, 1e-5f);
  Board().TickMummy(0.8f);
  EXPECT_LT(mummy->GetStepTimer().remaining, 0.0f);
  EXPECT_NEAR(mummy->GetSpritePosition().x, to.x, 1e-5f);
}

TEST_F(MummyTest, ItsMagicStopsTheExplorerAndTurnsTheGoldAroundHimBackIfHeStays) {
  SetFloor(kTileGold);
  QORMummy* mummy = RaiseWalking();
  board_->explorer = well::Cell{4, 2};
  mummy->Think();  // reaches (3, 2), beside him
  EXPECT_EQ(mummy->GetState(), QORMummy::kCasting);
  EXPECT_EQ(board_->idles, 1);
  EXPECT_TRUE(board_->IsSoundCueRaised(QORWell::kCueMummyMagic));
  EXPECT_EQ(Image(mummy), "Mummy_Magic_left");
  EXPECT_EQ(board_->GetTile(3, 2)->type, kTileGold) << "nothing changes before the spell ends";

  mummy->Think();
  EXPECT_EQ(mummy->GetState(), QORMummy::kDisappearing);
  EXPECT_EQ(Image(mummy).rfind("Mummy_Disappear_", 0), 0u);
  for (int32_t x = 0; x < kSide; ++x) {
    for (int32_t y = 0; y < kSide; ++y) {
      const bool square = std::abs(x - 4) <= 2 && std::abs(y - 2) <= 2 && !(x == 4 && y == 2);
      EXPECT_EQ(board_->GetTile(x, y)->type, square ? kTileCracked : kTileGold) << x << "," << y;
    }
  }
  mummy->Think();
  EXPECT_EQ(mummy->GetState(), QORMummy::kGone);
  Board().TickMummy(0.0f);
  EXPECT_FALSE(board_->HasMummy()) << "deleted once gone";
}

// The explorer it holds tries to step on at the end of each of his step
// periods (1 s, shorter than the spell); each try finds him held by the spell
// under way, which still ends when its animation does.
TEST_F(MummyTest, TheSpellHoldsTheExplorerUntilItEndsAndHisTriesDoNotStartItOver) {
  QORMummy* mummy = RaiseCasting();
  ASSERT_EQ(mummy->GetState(), QORMummy::kCasting);
  for (int step = 0; step < 4 && mummy->GetState() == QORMummy::kCasting; ++step) {
    Board().TickMummy(1.0f);
    if (mummy->GetState() == QORMummy::kCasting) {
      EXPECT_TRUE(mummy->Magic()) << "he is held on";
    }
  }
  EXPECT_EQ(mummy->GetState(), QORMummy::kDisappearing);
  EXPECT_EQ(board_->GetTile(3, 2)->type, kTileCracked);
  EXPECT_GE(board_->idles, 2);
  EXPECT_FALSE(mummy->Magic()) << "once the spell is over he walks on";
}

TEST_F(MummyTest, IfTheExplorerMovedOnOnlyItsTargetCellTurnsBackAndTheChaseGoesOn) {
  QORMummy* mummy = RaiseCasting();
  ASSERT_EQ(mummy->GetState(), QORMummy::kCasting);
  board_->explorer = well::Cell{6, 2};
  mummy->Think();
  EXPECT_EQ(mummy->GetState(), QORMummy::kDeciding);
  EXPECT_EQ(Image(mummy), "Mummy_Idle_left");
  for (int32_t x = 0; x < kSide; ++x) {
    for (int32_t y = 0; y < kSide; ++y)
      EXPECT_EQ(board_->GetTile(x, y)->type, x == 3 && y == 2 ? kTileCracked : kTileGold) << x << "," << y;
  }
  mummy->Think();
  EXPECT_EQ(mummy->GetTargetCell(), (well::Cell{4, 2}));
}

TEST_F(MummyTest, TheMagicImageFacesTheExplorer) {
  const struct {
    well::Cell explorer;
    const char* image;
  } cases[] = {{{6, 5}, "Mummy_Magic_left"}, {{4, 5}, "Mummy_Magic_Right"}, {{5, 6}, "Mummy_Magic_Up"},
               {{5, 4}, "Mummy_Magic_Down"}};
  for (const auto& c : cases) {
    board_->explorer = c.explorer;
    QORMummy* mummy = Raise(5, 5);
    EXPECT_TRUE(mummy->Magic()) << c.image;
    EXPECT_EQ(Image(mummy), c.image);
  }
  board_->explorer = well::Cell{7, 5};
  EXPECT_FALSE(Raise(5, 5)->Magic()) << "not beside it";
  board_->explorer.reset();
  EXPECT_FALSE(Raise(5, 5)->Magic()) << "no explorer";
}

TEST_F(MummyTest, RocksNestsStartBlocksAndBareFloorBlockItsWayTokensAndMilestonesDoNot) {
  QORMummy* mummy = Raise(1, 1);
  // Each case on a cell of its own, two apart for the larger blocks.
  const struct {
    const char* block;  // null for none
    int32_t tile;
    int32_t cost;
  } cases[] = {{"qor_block", kTileMetal, 2}, {nullptr, kTileGold, 2},         {nullptr, kTileBare, 1},
               {nullptr, kTileVoid, 0},       {"qor_rock", kTileMetal, 1},    {"qor_milestone", kTileMetal, 2},
               {"qor_startblock", kTileMetal, 1}, {"qor_block", kTileBare, 1}, {"qor_invisible", kTileMetal, 1}};
  auto cellOf = [](int32_t i) { return well::Cell{(i % 5) * 2, i < 5 ? 3 : 6}; };
  for (int32_t i = 0; i < static_cast<int32_t>(std::size(cases)); ++i) {
    const auto& c = cases[i];
    const well::Cell cell = cellOf(i);
    if (c.block) {
      ASSERT_NE(Put(c.block, cell.x, cell.y), nullptr) << c.block;
    }
    SetTile(cell.x, cell.y, c.tile);
  }
  ASSERT_NE(Put("qor_mummynest", 10, 9, 2), nullptr);
  QORMummyPath path(board_.get(), *mummy);
  for (int32_t i = 0; i < static_cast<int32_t>(std::size(cases)); ++i) {
    const auto& c = cases[i];
    const well::Cell cell = cellOf(i);
    EXPECT_EQ(path.GetCellCost(cell.x, cell.y), c.cost) << (c.block ? c.block : "nothing") << " on tile " << c.tile;
  }
  EXPECT_EQ(path.GetCellCost(11, 10), 1) << "the nest";
  EXPECT_EQ(path.GetCellCost(-1, 0), 0) << "off the board";
  SetTile(1, 1, kTileBare);
  EXPECT_EQ(path.GetCellCost(1, 1), 2) << "its own cell";
}

TEST_F(MummyTest, ItWalksRoundAWallOfRocksOverTokens) {
  for (int32_t y = 0; y < 5; ++y) Put("qor_rock", 4, y);
  FillTokens();
  board_->explorer = well::Cell{6, 1};
  QORMummy* mummy = Raise(2, 1);
  mummy->Think();
  std::vector<well::Cell> steps;
  for (int i = 0; i < 16 && mummy->GetState() != QORMummy::kCasting; ++i) {
    mummy->Think();
    steps.push_back(mummy->GetTargetCell());
  }
  EXPECT_EQ(mummy->GetState(), QORMummy::kCasting);
  EXPECT_EQ(std::abs(mummy->GetCell().x - 6) + std::abs(mummy->GetCell().y - 1), 1);
  for (const well::Cell& step : steps) EXPECT_FALSE(step.x == 4 && step.y < 5) << step.x << "," << step.y;
}

TEST_F(MummyTest, TheFirstMummyHintShowsOncePerProfile) {
  board_->explorer = well::Cell{9, 9};
  QORMummy* mummy = Raise(2, 2);
  EXPECT_EQ(Board().hints, std::vector<int32_t>{kHintFirstMummy});
  EXPECT_EQ(Board().hintAt.x, mummy->GetSpritePosition().x);
  EXPECT_EQ(GetInt(kHintFirstMummy), 1);
  mummy->Think();
  Board().CreateMummy(3, 3);
  board_->GetMummy()->Think();
  EXPECT_EQ(Board().hints.size(), 1u);
}

TEST_F(MummyTest, BanishedWhileWalkingItSinksIsDeletedAndTheNestWaitsEightSeconds) {
  auto* nest = static_cast<QORNest*>(Put("qor_mummynest", 8, 8, 2));
  ASSERT_NE(nest, nullptr);
  QORMummy* mummy = RaiseWalking();
  Run(*nest, 5.0f);
  EXPECT_FLOAT_EQ(nest->GetRespawnTimer().remaining, QORNest::kRespawnSeconds) << "held while it lives";
  mummy->Banish();
  EXPECT_EQ(mummy->GetState(), QORMummy::kDisappearing);
  EXPECT_EQ(Image(mummy), "Mummy_Disappear_Right");
  EXPECT_TRUE(board_->IsSoundCueRaised(QORWell::kCueMummyBye));
  EXPECT_FALSE(mummy->Magic()) << "a banished mummy casts no more";
  Board().TickMummy(kCycle / 2);
  EXPECT_TRUE(board_->HasMummy()) << "while it sinks";
  Board().TickMummy(kCycle / 2 + 0.125f);
  EXPECT_FALSE(board_->HasMummy());
  Run(*nest, 7.875f);
  EXPECT_GT(nest->GetRespawnTimer().remaining, 0.0f);
  Run(*nest, 0.25f);
  EXPECT_LT(nest->GetRespawnTimer().remaining, 0.0f);
}

}  // namespace
