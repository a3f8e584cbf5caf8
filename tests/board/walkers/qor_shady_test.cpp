#include "board/walkers/qor_shady.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board/effects/qor_well_sfx.h"
#include "board/walkers/qor_cobra.h"
#include "board/walkers/qor_flyer.h"
#include "board/walkers/qor_scorpion.h"
#include "board/walkers/qor_spider.h"
#include "render/particles/part2d.h"
#include "render/particles/part_group.h"
#include "walker_board_fixture.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

using walker_testing::WalkerBoardTest;

// Records the hints the board asks its help to show.
class HintWell : public walker_testing::WalkerWell {
 public:
  bool ShowHelpHint(int32_t id, const math::Vec2&, const math::Vec2&, const char*) override {
    hints.push_back(id);
    return true;
  }
  std::vector<int32_t> hints;
};

// A board of metal floor with the exit tomb on (10, 2) to (11, 3): the
// rival's goal is (10, 3).
class ShadyTest : public WalkerBoardTest {
 protected:
  std::unique_ptr<walker_testing::WalkerWell> NewBoard() override { return std::make_unique<HintWell>(); }
  HintWell& Board() { return static_cast<HintWell&>(*board_); }
  void SetUp() override {
    WalkerBoardTest::SetUp();
    ASSERT_NE(Put("qor_exit", 10, 2, 2), nullptr);
    board_->FindEntranceAndExit();
    ASSERT_NE(board_->GetExit(), nullptr);
  }
  QORShady* Spawn(int32_t x, int32_t y) {
    board_->SetShadyStart(x, y);
    board_->SpawnShady();
    return static_cast<QORShady*>(board_->GetShady());
  }
};

TEST_F(ShadyTest, HeStandsStillForHisFirstFiveSeconds) {
  board_->explorer = well::Cell{0, 0};
  QORShady* shady = Spawn(2, 3);
  ASSERT_NE(shady, nullptr);
  EXPECT_EQ(shady->GetSprite().GetName(), "Shady_Idle");
  Run(*shady, 5.0f);
  EXPECT_EQ(shady->GetCell(), (well::Cell{2, 3}));
  EXPECT_EQ(shady->GetTargetCell(), (well::Cell{2, 3}));
  Run(*shady, 0.5f);
  EXPECT_EQ(shady->GetTargetCell(), (well::Cell{3, 3}));
  EXPECT_EQ(shady->GetSprite().GetName(), "Shady_Walk_Right");
}

TEST_F(ShadyTest, HisPaceFollowsHowFarAheadOfTheExplorerHeIs) {
  // Distances to the exit's top-left cell (10, 2).
  const struct {
    well::Cell shady, explorer;
    float seconds;
  } cases[] = {
      {{6, 2}, {0, 2}, 4.0f},   // 4 against 10: 40 %
      {{3, 2}, {0, 2}, 3.0f},   // 7 against 10: 70 %
      {{0, 0}, {0, 2}, 2.0f},   // 12 against 10: 120 %
      {{0, 7}, {0, 2}, 1.0f},   // 15 against 10: 150 %
      {{0, 7}, {10, 2}, 1.0f},  // the explorer at the exit: no division by zero
  };
  QORShady* shady = Spawn(5, 5);
  ASSERT_NE(shady, nullptr);
  for (const auto& c : cases) {
    shady->PlaceAt(c.shady.x, c.shady.y);
    board_->explorer = c.explorer;
    shady->Think();
    EXPECT_FLOAT_EQ(shady->GetStepTimer().period, c.seconds) << c.shady.x << "," << c.shady.y;
    EXPECT_FLOAT_EQ(shady->GetStepTimer().remaining, c.seconds);
  }
}

TEST_F(ShadyTest, AStunHoldsHimTwoAndAHalfSeconds) {
  board_->explorer = well::Cell{0, 0};
  QORShady* shady = Spawn(2, 3);
  ASSERT_NE(shady, nullptr);
  Run(*shady, 6.0f);
  EXPECT_FALSE(shady->IsStunned());
  shady->Stun();
  shady->Think();
  EXPECT_EQ(shady->GetTargetCell(), shady->GetCell());
  EXPECT_EQ(shady->GetSprite().GetName(), "Shady_Idle");
  Run(*shady, 2.5f);
  EXPECT_TRUE(shady->IsStunned());
  Run(*shady, 0.125f);
  EXPECT_FALSE(shady->IsStunned());
}

// Each walker stands beside the first token of a line of three of its own:
// the match kills the critters that may die and stuns the rival.
TEST_F(ShadyTest, AMatchKillsTheCrittersItMayAndStunsOnlyTheRival) {
  board_->explorer = well::Cell{0, 0};
  QORShady* shady = Spawn(1, 0);
  ASSERT_NE(shady, nullptr);
  Run(*shady, 6.0f);
  ASSERT_FALSE(shady->IsStunned());
  shady->PlaceAt(1, 0);
  const struct {
    QORWalker* walker;
    bool killed;
  } cases[] = {{shady, false},
               {Add<QORScorpion>(1, 2, nullptr), true},
               {Add<QORSpider>(1, 4, nullptr), true},
               {Add<QORLocust>(1, 6, nullptr), true},
               {Add<QORCobra>(1, 8), false},
               {Add<QORScarab>(1, 10, nullptr), false}};
  std::vector<QORWalker*> survivors;
  for (const auto& c : cases) {
    ASSERT_NE(c.walker, nullptr);
    if (!c.killed) survivors.push_back(c.walker);
    const int32_t row = c.walker->GetCell().y;
    for (int32_t x = 2; x <= 4; ++x) ASSERT_NE(Put("qor_block", x, row), nullptr);
  }
  ASSERT_TRUE(board_->ResolveMatches());
  ASSERT_EQ(board_->GetLastPass().threes, 6);
  EXPECT_EQ(board_->GetWalkers(), survivors);
  EXPECT_EQ(board_->GetCrittersKilled(), 3);
  EXPECT_TRUE(shady->IsStunned());
  Run(*shady, 2.5f);
  EXPECT_TRUE(shady->IsStunned());
  Run(*shady, 0.125f);
  EXPECT_FALSE(shady->IsStunned());
}

TEST_F(ShadyTest, OnlyTheExitsLowerLeftCellLosesTheLevel) {
  board_->explorer = well::Cell{0, 0};
  QORShady* shady = Spawn(2, 3);
  ASSERT_NE(shady, nullptr);
  const struct {
    well::Cell cell;
    int losses;
  } cases[] = {{{10, 2}, 0}, {{11, 2}, 0}, {{11, 3}, 0}, {{10, 3}, 1}};
  for (const auto& c : cases) {
    board_->losses = 0;
    shady->PlaceAt(c.cell.x, c.cell.y);
    shady->Think();
    EXPECT_EQ(board_->losses, c.losses) << c.cell.x << "," << c.cell.y;
  }
}

TEST_F(ShadyTest, HeRacesToTheExitOverAnyFloor) {
  FillTokens();
  board_->explorer = well::Cell{0, 11};
  QORShady* shady = Spawn(2, 3);
  ASSERT_NE(shady, nullptr);
  for (int frame = 0; frame < 800 && board_->losses == 0; ++frame) board_->TickWalkers(0.125f);
  EXPECT_EQ(board_->losses, 1);
  EXPECT_EQ(shady->GetCell(), (well::Cell{10, 3}));
}

TEST_F(ShadyTest, TheExplorerWalkingIntoHimTurnsGoldBackWithABurnAndHisHint) {
  well::Part2DSFXSet* burn = board_->GetGameEffects()->GetParticleSet(QORWellSFX::kBurn);
  ASSERT_TRUE(burn->Load(VANTOR_SOURCE_DIR "/data/effects/burn.p2d"));
  SetFloor(kTileGold);
  board_->explorer = well::Cell{0, 0};
  QORShady* shady = Spawn(2, 3);
  ASSERT_NE(shady, nullptr);
  Board().hints.clear();
  EXPECT_FALSE(shady->TryAttack());
  EXPECT_TRUE(Board().hints.empty());
  board_->explorer = well::Cell{2, 3};
  board_->NotifyWalkersNearExplorer();
  int gold = 0;
  for (int32_t x = 0; x < kSide; ++x)
    for (int32_t y = 0; y < kSide; ++y) gold += board_->GetTile(x, y)->type == kTileGold ? 1 : 0;
  EXPECT_LT(gold, kSide * kSide);
  EXPECT_GT(gold, 0);
  // A burst of a hundred burning particles, and the first-time hint over him.
  part2d::Part2D* burning = burn->GetSystem();
  ASSERT_GT(burning->GroupC(), 0);
  EXPECT_EQ(burning->GetGroup(0)->GetLiveCount(), 100);
  EXPECT_EQ(Board().hints, std::vector<int32_t>{73});
  // He is not stopped.
  EXPECT_EQ(board_->idles + board_->knockOuts, 0);
}

TEST_F(ShadyTest, NoReferenceToHimOutlivesHisRemoval) {
  board_->explorer = well::Cell{0, 0};
  // By the editor.
  ASSERT_NE(Spawn(2, 3), nullptr);
  ASSERT_TRUE(board_->DeleteWalkers(board_->CellToScreen(2, 3) + board_->GetCellSize() * 0.5f));
  EXPECT_EQ(board_->GetShady(), nullptr);
  EXPECT_TRUE(board_->GetWalkers().empty());
  // A second rival is refused wherever he stands.
  ASSERT_NE(Spawn(2, 3), nullptr);
  auto* second = new QORShady(board_.get());
  second->PlaceAt(7, 7);
  EXPECT_FALSE(board_->AddWalker(second));
  // By a reload, and with the board.
  board_->ClearWalkers();
  EXPECT_EQ(board_->GetShady(), nullptr);
  ASSERT_NE(Spawn(2, 3), nullptr);
}

using ShadyWithoutExitTest = WalkerBoardTest;

TEST_F(ShadyWithoutExitTest, WarnsOnceAndNeverMoves) {
  board_->explorer = well::Cell{0, 0};
  board_->SetShadyStart(2, 3);
  board_->SpawnShady();
  QORWalker* shady = board_->GetShady();
  ASSERT_NE(shady, nullptr);
  Run(*shady, 30.0f);
  EXPECT_EQ(shady->GetCell(), (well::Cell{2, 3}));
  int warnings = 0;
  for (const std::string& line : LogCapture::At(MSG_WARNING))
    warnings += line.find("Unable to find the exit point!") != std::string::npos ? 1 : 0;
  EXPECT_EQ(warnings, 1);
}

}  // namespace
