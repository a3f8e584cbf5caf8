#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "board/walkers/qor_cobra.h"
#include "board/walkers/qor_flyer.h"
#include "board/walkers/qor_scorpion.h"
#include "board/walkers/qor_spider.h"
#include "walker_board_fixture.h"

namespace {

using walker_testing::WalkerBoardTest;

class CritterTest : public WalkerBoardTest {
 protected:
  int CountTiles(int32_t type) const {
    int count = 0;
    for (int32_t x = 0; x < kSide; ++x)
      for (int32_t y = 0; y < kSide; ++y) count += board_->GetTile(x, y)->type == type ? 1 : 0;
    return count;
  }
};

TEST_F(CritterTest, TheCobraStrikesInsideTheSquareAroundItsNestFacingTheExplorer) {
  QORCobra* cobra = Add<QORCobra>(4, 4);
  ASSERT_NE(cobra, nullptr);
  const struct {
    well::Cell explorer;
    const char* image;  // null: no strike
  } cases[] = {{{3, 3}, "cobra_strike_left"},  {{6, 6}, "cobra_strike_right"}, {{5, 3}, "cobra_strike_right"},
               {{3, 5}, "cobra_strike_left"},  {{4, 3}, "cobra_strike_left"},  {{6, 4}, "cobra_strike_right"},
               {{2, 4}, nullptr},              {{4, 7}, nullptr},              {{7, 4}, nullptr}};
  for (const auto& c : cases) {
    board_->explorer = c.explorer;
    const int before = board_->knockOuts;
    cobra->Think();
    EXPECT_EQ(board_->knockOuts - before, c.image ? 1 : 0) << c.explorer.x << "," << c.explorer.y;
    EXPECT_EQ(cobra->GetSprite().GetName(), c.image ? c.image : "cobra_idle");
    EXPECT_FLOAT_EQ(cobra->GetStepTimer().remaining, QORCobra::kPace);
  }
  EXPECT_FALSE(cobra->CanBeKilled());
}

TEST_F(CritterTest, AScorpionStingsOnlyOnceItHasLivedTwoSeconds) {
  FillTokens();
  const struct {
    well::Cell explorer;
    const char* image;
  } cases[] = {{{4, 5}, "scorpion_attack_left"},
               {{6, 5}, "scorpion_attack_right"},
               {{5, 4}, "scorpion_attack_up"},
               {{5, 6}, "scorpion_attack_down"}};
  for (const auto& c : cases) {
    QORScorpion scorpion(board_.get(), nullptr);
    scorpion.PlaceAt(5, 5);
    board_->explorer = c.explorer;
    board_->knockOuts = 0;
    Run(scorpion, 1.5f);
    EXPECT_FALSE(scorpion.TryAttack());
    Run(scorpion, 0.5f);
    EXPECT_TRUE(scorpion.TryAttack());
    EXPECT_EQ(scorpion.GetSprite().GetName(), c.image);
    EXPECT_EQ(board_->knockOuts, 1);
    // The clock is not reset: it stings again whenever asked.
    EXPECT_TRUE(scorpion.TryAttack());
  }
  // Not beside it: no sting.
  QORScorpion scorpion(board_.get(), nullptr);
  scorpion.PlaceAt(5, 5);
  board_->explorer = well::Cell{6, 6};
  Run(scorpion, 1.875f);
  scorpion.Tick(0.125f);
  EXPECT_FALSE(scorpion.TryAttack());
}

TEST_F(CritterTest, AScorpionNeverStepsWhereItMayNot) {
  // Around (5, 5): no token, no floor, bare floor, where the explorer steps
  // to (from (5, 7), too far to be stung), another walker.
  FillTokens({{4, 5}});
  SetTile(6, 5, kTileVoid);
  SetTile(5, 4, kTileBare);
  board_->explorer = well::Cell{5, 7};
  board_->explorerTarget = well::Cell{5, 6};
  ASSERT_NE(Add<QORCobra>(6, 6), nullptr);
  QORScorpion* scorpion = Add<QORScorpion>(5, 5, nullptr);
  ASSERT_NE(scorpion, nullptr);
  const well::Cell forbidden[] = {{4, 5}, {6, 5}, {5, 4}, {5, 6}, {5, 7}, {6, 6}};
  for (const well::Cell& cell : forbidden) EXPECT_FALSE(scorpion->CanEnter(cell.x, cell.y)) << cell.x << "," << cell.y;
  EXPECT_TRUE(scorpion->CanEnter(4, 6));
  // Boxed in, it stays and draws a new walk every 2 s.
  for (int step = 0; step < 200; ++step) {
    scorpion->Tick(0.125f);
    ASSERT_EQ(scorpion->GetTargetCell(), (well::Cell{5, 5}));
  }
  EXPECT_FLOAT_EQ(scorpion->GetStepTimer().period, QORScorpion::kPace);

  // Let out, it wanders over tokens only, never onto the cells that stay shut.
  SetTile(5, 4, kTileMetal);
  bool moved = false;
  for (int step = 0; step < 4000; ++step) {
    scorpion->Tick(0.125f);
    moved = moved || scorpion->GetCell() != well::Cell{5, 5};
    for (const well::Cell& cell : forbidden) {
      if (cell != well::Cell{5, 4}) {
        ASSERT_NE(scorpion->GetTargetCell(), cell) << step;
      }
    }
  }
  EXPECT_TRUE(moved);
}

TEST_F(CritterTest, ASpiderWebsGoldFiveTimesInFifteenAndOtherFloorOnce) {
  FillTokens();
  const struct {
    int32_t tile;
    int low, high;  // webs of 1500 tries
  } cases[] = {{kTileGold, 440, 560}, {kTileSand, 70, 130}, {kTileMetal, 70, 130}};
  for (const auto& c : cases) {
    int webs = 0;
    for (int trial = 0; trial < 1500; ++trial) {
      SetTile(5, 5, c.tile);
      QORSpider spider(board_.get(), nullptr);
      spider.PlaceAt(5, 5);
      spider.Think();
      webs += spider.IsWebPending() ? 1 : 0;
    }
    EXPECT_GE(webs, c.low) << c.tile;
    EXPECT_LE(webs, c.high) << c.tile;
  }
  // The web lands at the next step; gold under it cracks.
  SetTile(5, 5, kTileGold);
  QORSpider spider(board_.get(), nullptr);
  spider.PlaceAt(5, 5);
  while (!spider.IsWebPending()) spider.Think();
  EXPECT_FLOAT_EQ(spider.GetStepTimer().remaining, QORSpider::kSpinSeconds);
  const well::Cell webbed = spider.GetCell();
  Run(spider, 3.125f);
  EXPECT_FALSE(spider.IsWebPending());
  EXPECT_TRUE(board_->GetTile(webbed.x, webbed.y)->webbed);
  if (webbed == well::Cell{5, 5}) {
    EXPECT_EQ(board_->GetTile(5, 5)->type, kTileCracked);
  }
}

TEST_F(CritterTest, ASpiderWebsTheExplorerOnceAndHoldsHim) {
  FillTokens();
  SetFloor(kTileGold);
  QORSpider* spider = Add<QORSpider>(5, 5, nullptr);
  ASSERT_NE(spider, nullptr);
  board_->explorer = well::Cell{6, 5};
  EXPECT_TRUE(spider->TryAttack());
  EXPECT_EQ(board_->idles, 1);
  EXPECT_TRUE(spider->IsWebPending());
  EXPECT_FLOAT_EQ(spider->GetStepTimer().remaining, QORSpider::kAttackSeconds);
  Run(*spider, 0.25f);
  const QORTile* tile = board_->GetTile(6, 5);
  EXPECT_TRUE(tile->webbed);
  EXPECT_EQ(tile->type, kTileCracked);
  // Once in its life.
  board_->explorer = well::Cell{5, 4};
  EXPECT_FALSE(spider->TryAttack());
  EXPECT_EQ(board_->idles, 1);
}

TEST_F(CritterTest, AScarabGildsSixTilesAndLeaves) {
  FillTokens();
  SetFloor(kTileSand);
  QORScarab* scarab = Add<QORScarab>(5, 5, nullptr);
  ASSERT_NE(scarab, nullptr);
  EXPECT_FALSE(scarab->CanBeKilled());
  for (int frame = 0; frame < 2000 && !board_->GetWalkers().empty(); ++frame) board_->TickWalkers(0.125f);
  EXPECT_TRUE(board_->GetWalkers().empty());
  EXPECT_EQ(CountTiles(kTileGold), 6);
}

TEST_F(CritterTest, AFlyerWithNowhereToGoWaitsASecond) {
  FillTokens();
  SetFloor(kTileGold);
  QORScarab scarab(board_.get(), nullptr);
  scarab.PlaceAt(5, 5);
  scarab.PickTarget();
  EXPECT_EQ(scarab.GetTargetCell(), (well::Cell{5, 5}));
  EXPECT_FLOAT_EQ(scarab.GetStepTimer().period, 1.0f);
  EXPECT_FLOAT_EQ(scarab.GetStepTimer().remaining, 1.0f);
  // With sand about, it flies 0.2 s a cell to a token no more than 3 cells away.
  SetFloor(kTileSand);
  scarab.PickTarget();
  const well::Cell target = scarab.GetTargetCell();
  ASSERT_NE(target, (well::Cell{5, 5}));
  EXPECT_LE(std::abs(target.x - 5), 3);
  EXPECT_LE(std::abs(target.y - 5), 3);
  const float cells = std::hypot(static_cast<float>(target.x - 5), static_cast<float>(target.y - 5));
  EXPECT_FLOAT_EQ(scarab.GetStepTimer().period, cells * 0.2f);
}

TEST_F(CritterTest, ALocustWearsTheTileItLandsOnAndFliesOnOverMetal) {
  FillTokens();
  const struct {
    int32_t before, after;
    bool strikes;
  } cases[] = {{kTileGold, kTileCracked, true},
               {kTileCracked, kTileSand, true},
               {kTileSand, kTileMetal, true},
               {kTileMetal, kTileMetal, false},
               {kTileVoid, kTileVoid, false}};
  for (const auto& c : cases) {
    SetFloor(kTileSand);
    SetTile(5, 5, c.before);
    QORLocust locust(board_.get(), nullptr);
    locust.PlaceAt(5, 5);
    locust.Think();
    EXPECT_EQ(board_->GetTile(5, 5)->type, c.after) << c.before;
    EXPECT_EQ(locust.GetStrikes(), c.strikes ? 1 : 0);
    // Flying on: a new target at once.
    EXPECT_EQ(locust.GetTargetCell() != (well::Cell{5, 5}), !c.strikes) << c.before;
  }
  QORLocust locust(board_.get(), nullptr);
  EXPECT_TRUE(locust.CanBeKilled());
}

// A scarab sent on a flight of the test's choosing.
class AimedScarab : public QORScarab {
 public:
  using QORScarab::QORScarab;
  void Aim(int32_t x, int32_t y) {
    target_ = well::Cell{x, y};
    SetPace(1.0f);
    stepTimer_.remaining = 0.5f;
  }
};

TEST_F(CritterTest, AFlyerHopsOnlyWhenItChangesColumn) {
  AimedScarab scarab(board_.get(), nullptr);
  scarab.PlaceAt(5, 5);
  scarab.Aim(5, 8);
  EXPECT_FLOAT_EQ(scarab.GetDrawOffset().y, 0.0f);
  scarab.Aim(7, 5);
  EXPECT_FLOAT_EQ(scarab.GetDrawOffset().y, -std::sin(0.5f * 3.141f) * 0.016666668f);
}

TEST_F(CritterTest, FlyersTrailRibbonsAsTheyDraw) {
  FillTokens();
  SetFloor(kTileSand);
  QORScarab* scarab = Add<QORScarab>(5, 5, nullptr);
  ASSERT_NE(scarab, nullptr);
  for (int frame = 0; frame < 300; ++frame) {
    board_->TickWalkers(1.0f / 60.0f);
    board_->DrawWalkers();
  }
  EXPECT_GT(scarab->GetTrail().GetLiveCount(), 1);
  EXPECT_LE(scarab->GetTrail().GetLiveCount(), scarab->GetTrail().GetCapacity());
}

}  // namespace
