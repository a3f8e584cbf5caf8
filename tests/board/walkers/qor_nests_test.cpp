#include "board/walkers/qor_nests.h"

#include <gtest/gtest.h>

#include "board/walkers/qor_scorpion.h"
#include "walker_board_fixture.h"

namespace {

using walker_testing::WalkerBoardTest;

// A nest on cells (4, 4) to (5, 5) of a board covered in tokens.
class NestTest : public WalkerBoardTest {
 protected:
  QORNest* MakeNest(const std::string& type) {
    well::Block* block = Put(type, 4, 4, 2);
    EXPECT_NE(block, nullptr);
    FillTokens();
    return static_cast<QORNest*>(block);
  }
  size_t Walkers() const { return board_->GetWalkers().size(); }
  // The first check after the respawn count: 8.125 s of the count, then
  // 0.875 s of the check timer.
  static constexpr float kFirstSpawn = 9.0f;
  bool RemoveWalkerAt(int32_t x, int32_t y) {
    return board_->DeleteWalkers(board_->CellToScreen(x, y) + board_->GetCellSize() * 0.5f);
  }
};

TEST_F(NestTest, ItTakesTheFloorFromUnderItsFourCells) {
  MakeNest("qor_scorpionnest");
  for (int32_t x = 3; x <= 6; ++x) {
    for (int32_t y = 3; y <= 6; ++y) {
      const bool under = x >= 4 && x <= 5 && y >= 4 && y <= 5;
      EXPECT_EQ(board_->GetTile(x, y)->type, under ? kTileVoid : kTileMetal) << x << "," << y;
    }
  }
}

TEST_F(NestTest, ItReleasesOnlyWhenTheExplorerComesWithinFiveCells) {
  const struct {
    well::Cell explorer;
    size_t walkers;
  } cases[] = {{{9, 4}, 1}, {{4, 9}, 1}, {{2, 1}, 1}, {{10, 4}, 0}, {{4, 10}, 0}, {{1, 1}, 0}};
  for (const auto& c : cases) {
    SetUp();
    QORNest* nest = MakeNest("qor_scorpionnest");
    board_->explorer = c.explorer;
    Run(*nest, kFirstSpawn);
    EXPECT_EQ(Walkers(), c.walkers) << c.explorer.x << "," << c.explorer.y;
    TearDown();
  }
}

TEST_F(NestTest, NothingComesOutInTheFirstEightSecondsNorWithoutAnExplorer) {
  QORNest* nest = MakeNest("qor_spidernest");
  Run(*nest, 20.0f);
  EXPECT_EQ(Walkers(), 0u);
  TearDown();
  SetUp();
  nest = MakeNest("qor_spidernest");
  board_->explorer = well::Cell{4, 7};
  Run(*nest, 8.0f);
  EXPECT_EQ(Walkers(), 0u);
  Run(*nest, 1.0f);
  ASSERT_EQ(Walkers(), 1u);
  // The spider stands above the nest's top-left cell and belongs to it.
  const QORWalker* spider = board_->GetWalkers()[0];
  EXPECT_EQ(spider->GetType(), QORWalker::kSpider);
  EXPECT_EQ(spider->GetCell(), (well::Cell{4, 3}));
  EXPECT_EQ(spider->GetNest(), nest);
}

TEST_F(NestTest, ANewScorpionComesEightSecondsAfterTheLastDiedAndNeverWhileItLives) {
  QORNest* nest = MakeNest("qor_scorpionnest");
  board_->explorer = well::Cell{9, 4};
  Run(*nest, kFirstSpawn);
  ASSERT_EQ(Walkers(), 1u);
  Run(*nest, 30.0f);
  EXPECT_EQ(Walkers(), 1u);
  ASSERT_TRUE(RemoveWalkerAt(4, 3));
  Run(*nest, 8.0f);
  EXPECT_EQ(Walkers(), 0u);
  Run(*nest, 1.0f);
  EXPECT_EQ(Walkers(), 1u);
}

TEST_F(NestTest, TheMummyNestHoldsItsCountWhileAMummyWalks) {
  QORNest* nest = MakeNest("qor_mummynest");
  board_->explorer = well::Cell{4, 7};
  board_->SetMummyStandIn(true);
  Run(*nest, 20.0f);
  EXPECT_FLOAT_EQ(nest->GetRespawnTimer().remaining, QORNest::kRespawnSeconds);
  board_->SetMummyStandIn(false);
  Run(*nest, 4.0f);
  EXPECT_FLOAT_EQ(nest->GetRespawnTimer().remaining, 4.0f);
}

TEST_F(NestTest, CobrasAndSwarmsComeOutOnceALevel) {
  const struct {
    const char* nest;
    size_t walkers;
    int32_t kind;
  } cases[] = {{"qor_cobranest", 1, QORWalker::kCobra},
               {"qor_scarabnest", 4, QORWalker::kScarab},
               {"qor_locustnest", 4, QORWalker::kLocust}};
  for (const auto& c : cases) {
    SetUp();
    QORNest* nest = MakeNest(c.nest);
    board_->explorer = well::Cell{4, 8};
    Run(*nest, kFirstSpawn);
    ASSERT_EQ(Walkers(), c.walkers) << c.nest;
    for (const QORWalker* walker : board_->GetWalkers()) {
      EXPECT_EQ(walker->GetType(), c.kind);
      // On the nest's own floorless cells, and kept there.
      EXPECT_EQ(board_->GetTile(walker->GetCell().x, walker->GetCell().y)->type, kTileVoid);
    }
    board_->ClearWalkers();
    Run(*nest, 40.0f);
    EXPECT_EQ(Walkers(), 0u) << c.nest;
    TearDown();
  }
}

TEST_F(NestTest, AScorpionRefusedOnATakenCellSilencesItsNest) {
  auto* nest = static_cast<QORSingleNest*>(MakeNest("qor_scorpionnest"));
  QORScorpion* squatter = Add<QORScorpion>(4, 3, nullptr);
  ASSERT_NE(squatter, nullptr);
  board_->explorer = well::Cell{9, 4};
  Run(*nest, kFirstSpawn);
  EXPECT_EQ(Walkers(), 1u);
  EXPECT_TRUE(nest->IsSilenced());
  ASSERT_TRUE(RemoveWalkerAt(4, 3));
  Run(*nest, 40.0f);
  EXPECT_EQ(Walkers(), 0u);
}

TEST_F(NestTest, ANestThatGoesFirstLeavesItsCrittersWithoutIt) {
  for (const char* type : {"qor_scorpionnest", "qor_scarabnest"}) {
    SetUp();
    QORNest* nest = MakeNest(type);
    board_->explorer = well::Cell{4, 8};
    Run(*nest, kFirstSpawn);
    ASSERT_FALSE(board_->GetWalkers().empty()) << type;
    board_->ClearWell();
    for (const QORWalker* walker : board_->GetWalkers()) EXPECT_EQ(walker->GetNest(), nullptr) << type;
    // Removing them now tells nobody.
    board_->ClearWalkers();
    TearDown();
  }
}

TEST_F(NestTest, TheBoardTicksItsNestsAndCritters) {
  MakeNest("qor_scorpionnest");
  board_->explorer = well::Cell{9, 4};
  Run(*board_, kFirstSpawn);
  ASSERT_EQ(Walkers(), 1u);
  EXPECT_EQ(board_->GetWalkers()[0]->GetType(), QORWalker::kScorpion);
}

}  // namespace
