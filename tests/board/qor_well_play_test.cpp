// The board as the game drives it: clicks through the tutorial, the armed
// power, the goal map and the blocks, and a frame's tick while a hint is open.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board/blocks/block_board_fixture.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "board/help/qor_wait_step.h"
#include "board/hud/qor_well_ui.h"
#include "board/walkers/qor_walker.h"
#include "hud_test_support.h"
#include "well/help/hand_hold.h"

namespace {

constexpr int32_t kCount1 = game_var::kFirstPowerCount;

// A walker that counts its thoughts and stands where it is.
class CountingWalker : public QORWalker {
 public:
  explicit CountingWalker(QORWell* board) : QORWalker(board, nullptr) {}
  void Think() override { ++thinks; }
  int thinks = 0;
};

// A level of 30 x 20 metal cells with a red token on (3, 3) and the exit on
// (10, 2) to (11, 3), started as a level starts, with the board's own HUD,
// help and goal map: the explorer stands on (1, 1) and aims at the exit.
class PlayTest : public hud_testing::HelpTest, protected block_testing::BlockBoard {
 protected:
  static constexpr int32_t kWidth = 30;
  static constexpr int32_t kHeight = 20;

  void SetUp() override {
    HelpTest::SetUp();
    for (const char* file : {"ui/game_screen.ui", "ui/treasurefound.ui", "img/popup_number.lua"}) {
      std::filesystem::create_directories(std::filesystem::path(file).parent_path());
      std::filesystem::copy_file(std::string(VANTOR_SOURCE_DIR) + "/data/" + file, file);
    }
    uint8_t colours[QORWell::kColorCount] = {};
    colours[well::kColorRed] = 1;
    board_->Setup(kWidth, kHeight, colours);
    for (int32_t x = 0; x < kWidth; ++x)
      for (int32_t y = 0; y < kHeight; ++y) board_->GetTile(x, y)->type = kTileMetal;
    board_->InitUI();
    ASSERT_NE(Put("qor_block", "red", 3, 3), nullptr);
    ASSERT_NE(Put("qor_exit", "none", 10, 2, 2, 2), nullptr);
    board_->OnLevelStart();
    map_ = board_->GetGoalMap();
    ASSERT_NE(map_, nullptr);
    ASSERT_NE(board_->GetHud(), nullptr);
    ASSERT_EQ(Target(), (well::Cell{10, 2}));
    // Lays the map out; the frame lets the board come to rest.
    map_->Draw();
    board_->Tick(0.0f);
    ASSERT_FALSE(board_->IsMoving());
  }
  void TearDown() override {
    board_.reset();
    HelpTest::TearDown();
  }

  well::Cell Target() const { return well::Cell{map_->GetTargetX(), map_->GetTargetY()}; }
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += 0.05f) board_->Tick(0.05f);
  }

  QORGoalMap* map_ = nullptr;
};

TEST_F(PlayTest, AClickTheTutorialsStepRefusesReachesNothing) {
  auto* hold = new well::HandHold(board_.get());
  hold->AddStep(new QORWaitStep(hold, 5.0f));
  board_->SetHandHold(hold);
  board_->OnLeftClick(CellCentre(3, 3));
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  board_->OnRightClick(CellCentre(3, 3));
  EXPECT_EQ(Target(), (well::Cell{10, 2}));

  // Without the tutorial the same clicks select the token and aim at it.
  delete hold;
  board_->SetHandHold(nullptr);
  board_->OnLeftClick(CellCentre(3, 3));
  EXPECT_EQ(board_->GetSelectedA(), board_->GetBlock(3, 3));
  board_->OnRightClick(CellCentre(3, 3));
  EXPECT_EQ(Target(), (well::Cell{3, 3}));
}

TEST_F(PlayTest, AnArmedPowerIsUsedByALeftClickAndPutAwayByARightClick) {
  QORWellUI* hud = board_->GetHud();
  SetInt(kCount1, 1);
  hud->SelectPower(0);
  ASSERT_NE(hud->GetArmedPower(), nullptr);
  board_->OnLeftClick(CellCentre(3, 3));
  EXPECT_EQ(board_->GetTile(3, 3)->type, kTileGold);
  EXPECT_EQ(GetInt(kCount1), 0);
  EXPECT_EQ(hud->GetArmedPower(), nullptr);
  EXPECT_EQ(board_->GetSelectedA(), nullptr) << "the click went to the power alone";

  board_->GetTile(3, 3)->type = kTileMetal;
  SetInt(kCount1, 1);
  hud->SelectPower(0);
  ASSERT_NE(hud->GetArmedPower(), nullptr);
  board_->OnRightClick(CellCentre(3, 3));
  EXPECT_EQ(hud->GetArmedPower(), nullptr);
  EXPECT_EQ(GetInt(kCount1), 1);
  EXPECT_EQ(board_->GetTile(3, 3)->type, kTileMetal);
  EXPECT_EQ(Target(), (well::Cell{10, 2})) << "the right click went to the power alone";
}

TEST_F(PlayTest, TheGoalMapTakesAClickOnItAndAClickOnTheExitAimsAtIt) {
  board_->OnRightClick(CellCentre(3, 3));
  ASSERT_EQ(Target(), (well::Cell{3, 3}));
  board_->SetComboCount(2);
  const QORGoal& tomb = map_->GetGoals().back();
  board_->OnLeftClick(tomb.sprite.position + tomb.sprite.size * 0.5f);
  EXPECT_EQ(Target(), (well::Cell{10, 2}));
  EXPECT_EQ(map_->GetClicks(), 1);
  EXPECT_EQ(board_->GetComboCount(), 2) << "the map kept the click to itself";

  board_->OnRightClick(CellCentre(3, 3));
  ASSERT_EQ(Target(), (well::Cell{3, 3}));
  board_->OnLeftClick(CellCentre(11, 3));
  EXPECT_EQ(Target(), (well::Cell{10, 2}));
  EXPECT_EQ(board_->GetExplorer()->GetGoal(), (well::Cell{10, 3}));
  EXPECT_EQ(map_->GetClicks(), 1);
}

TEST_F(PlayTest, AnOpenHintHoldsTheViewTheWalkersAndTheExplorer) {
  QORExplorer* explorer = board_->GetExplorer();
  explorer->PlaceAt(20, 15);
  for (int32_t x = 20; x <= 25; ++x) board_->GetTile(x, 15)->type = kTileGold;
  explorer->SetGoal(25, 15);
  ASSERT_EQ(explorer->GetTargetCell(), (well::Cell{21, 15}));
  auto* walker = new CountingWalker(board_.get());
  walker->PlaceAt(5, 8);
  ASSERT_TRUE(board_->AddWalker(walker));

  // Played, the view follows him and both step on.
  board_->SetScroll({0.0f, 0.0f});
  Run(0.5f);
  EXPECT_GT(board_->GetScroll().x, 0.0f);
  EXPECT_LT(explorer->GetStepTimer().remaining, 0.6f);
  EXPECT_LT(walker->GetStepTimer().remaining, 0.6f);

  ASSERT_TRUE(board_->TriggerHint(kHintExit, {0.2f, 0.2f}, {0.3f, 0.3f}));
  ASSERT_TRUE(board_->GetHelp()->IsHintOpen());
  board_->SetScroll({0.1f, 0.1f});
  const float explorerLeft = explorer->GetStepTimer().remaining;
  const float walkerLeft = walker->GetStepTimer().remaining;
  const int thinks = walker->thinks;
  Run(2.0f);
  ASSERT_TRUE(board_->GetHelp()->IsHintOpen());
  EXPECT_FLOAT_EQ(board_->GetScroll().x, 0.1f);
  EXPECT_FLOAT_EQ(board_->GetScroll().y, 0.1f);
  EXPECT_FLOAT_EQ(explorer->GetStepTimer().remaining, explorerLeft);
  EXPECT_EQ(explorer->GetCell(), (well::Cell{20, 15}));
  EXPECT_FLOAT_EQ(walker->GetStepTimer().remaining, walkerLeft);
  EXPECT_EQ(walker->thinks, thinks);
}

}  // namespace
