// Sound cues, first-time hints and the idle hint of the game board.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "board/game_variables.h"
#include "moves_fixture.h"

namespace {

using moves_testing::StubWalker;
using Cells = std::vector<well::Cell>;

// A board with a current profile, whose game variables hold the hint flags.
class CuesTest : public moves_testing::MovesTest {
 protected:
  void SetUp() override {
    MovesTest::SetUp();
    app_ = std::make_unique<BareGameApp>("cues_test");
    SetApp(app_.get());
    app_->InitSystems();
    app_->GetRecordStore()->Reset();
    ASSERT_TRUE(app_->GetRecordStore()->AddProfile("Ann", "english", "home"));
  }
  void TearDown() override {
    SetApp(nullptr);
    app_.reset();
    std::remove((GetUserDataPath() + "cues_test.rms").c_str());
    MovesTest::TearDown();
  }

  // A board of filler tokens, W x H, with the extra rows' characters laid
  // over it (a space keeps the filler).
  void LayFiller(int32_t width, int32_t height, std::vector<std::string> extra = {}) {
    std::vector<std::string> rows(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '-'));
    for (size_t y = 0; y < extra.size(); ++y) {
      for (size_t x = 0; x < extra[y].size(); ++x) {
        if (extra[y][x] != ' ') rows[y][x] = extra[y][x];
      }
    }
    Lay(rows);
  }
  std::vector<int32_t> HintIds() const {
    std::vector<int32_t> ids;
    for (const auto& hint : board_->hints) ids.push_back(hint.id);
    return ids;
  }
  // Each cell once, in order.
  static Cells Sorted(Cells cells) {
    std::sort(cells.begin(), cells.end(), [](const well::Cell& a, const well::Cell& b) {
      return a.x != b.x ? a.x < b.x : a.y < b.y;
    });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
  }

  std::unique_ptr<BareGameApp> app_;
};

TEST_F(CuesTest, EachRaisedCuePlaysOnceAtTheStepsEndInTheTablesOrder) {
  LayFiller(4, 4);
  board_->RaiseSoundCue(QORWell::kCueBaseClear3 + 2);
  board_->RaiseSoundCue(QORWell::kCueBlockFall1);
  board_->RaiseSoundCue(QORWell::kCueBlockFall1);
  board_->RaiseSoundCue(QORWell::kCueBlockSwitch);
  board_->PlaySoundCues();
  EXPECT_EQ(Heard(), (std::vector<std::string>{"block_switch", "block_fall_1", "base_clear_5"}));
  board_->PlaySoundCues();
  EXPECT_TRUE(Heard().empty()) << "lowered once played";
}

TEST_F(CuesTest, AHintShowsOncePerProfileAndIsSpentEvenWhenDeclined) {
  LayFiller(4, 4);
  const math::Vec2 corner(0.1f, 0.2f);
  EXPECT_TRUE(board_->TriggerHint(kHintClick1, corner, corner));
  EXPECT_FALSE(board_->TriggerHint(kHintClick1, corner, corner)) << "shown before";
  EXPECT_TRUE(board_->TriggerHint(kHintRightClick2, corner, corner));
  EXPECT_TRUE(board_->TriggerHint(kHintFirstTreasure, corner, corner));
  ASSERT_EQ(board_->hints.size(), 3u);
  EXPECT_EQ(board_->hints[0].image, "left_mouse");
  EXPECT_EQ(board_->hints[1].image, "right_mouse");
  EXPECT_EQ(board_->hints[2].image, "xxxx");
  EXPECT_EQ(GetInt(kHintClick1), 1);

  // Met while hints are off: the hint is lost for good.
  board_->hintsOn = false;
  EXPECT_FALSE(board_->TriggerHint(kHintFirstWeb, corner, corner));
  EXPECT_EQ(GetInt(kHintFirstWeb), 1);
  board_->hintsOn = true;
  EXPECT_FALSE(board_->TriggerHint(kHintFirstWeb, corner, corner));
  EXPECT_EQ(board_->hints.size(), 3u);
}

TEST_F(CuesTest, FirstMeetingsShowWalkersAnywhereButBlocksAndTilesWellInsideTheView) {
  // 30 x 20 cells: the view's inner window is columns and rows 3 to 15 and 3 to 9.
  // Nests take 2 x 2 cells: a block is met on its own, top-left cell.
  std::vector<std::string> extra(20);
  extra[4] = "    o";
  extra[5] = " ....";
  extra[6] = " ....";
  extra[9] = "               ..";
  extra[10] = "    ..         ..";
  extra[11] = "    ..";
  LayFiller(30, 20, extra);
  for (int32_t x = 0; x < 30; ++x)
    for (int32_t y = 0; y < 20; ++y) board_->GetTile(x, y)->type = kTileGold;
  board_->GetTile(6, 6)->type = kTileSand;
  board_->GetTile(16, 6)->type = kTileMetal;
  board_->GetTile(7, 8)->webbed = 1;
  const struct {
    const char* type;
    int32_t x, y;
  } nests[] = {{"qor_scorpionnest", 1, 5}, {"qor_cobranest", 3, 5}, {"qor_scarabnest", 15, 9},
               {"qor_locustnest", 4, 10}};
  for (const auto& nest : nests) {
    QORBlock* block = Put(nest.type, well::kColorNone, nest.x, nest.y);
    ASSERT_NE(block, nullptr) << nest.type;
    block->GetSprite().LoadImage("Token_Rock");
  }
  StubWalker spider{0, 0, 0, true};
  board_->AddStubWalker(spider);
  SetInt(22, 11);

  board_->SetElapsed(0.9f);
  board_->CheckFirstHints();
  EXPECT_TRUE(board_->hints.empty()) << "not in the board's first second";
  board_->SetElapsed(1.0f);
  board_->help = false;
  board_->CheckFirstHints();
  EXPECT_TRUE(board_->hints.empty()) << "not without the help";
  board_->help = true;
  board_->CheckFirstHints();
  EXPECT_EQ(HintIds(), (std::vector<int32_t>{kHintSpecialUse, kHintFirstSpider, kHintFirstCobra,
                                             kHintFirstRock, kHintFirst2ClickTile, kHintFirstWeb,
                                             kHintFirstScarab}));
  EXPECT_EQ(board_->hints[1].topLeft.x, board_->CellToScreen(0, 0).x) << "the spider where it stands";
  EXPECT_EQ(board_->hints[2].topLeft.x, board_->CellToScreen(3, 5).x);
  EXPECT_EQ(GetInt(kHintFirstScorpion), 0);
  EXPECT_EQ(GetInt(kHintFirstLocust), 0);
  EXPECT_EQ(GetInt(kHintFirst3ClickTile), 0);

  board_->hints.clear();
  board_->CheckFirstHints();
  EXPECT_TRUE(board_->hints.empty()) << "each once";

  board_->race = true;
  board_->CheckFirstHints();
  EXPECT_EQ(HintIds(), std::vector<int32_t>{kHintFirstScarabTips}) << "the race shows its tips only";
}

TEST_F(CuesTest, TheIdleHintSwirlsOverTheNearestMoveWithinItsRanges) {
  // A ring-1 pair with its third below right of it.
  LayFiller(20, 20, {"", "", "", "", "", "", "", "       rr", "         r"});
  board_->explorer = well::Cell{8, 8};
  EXPECT_TRUE(board_->ShowPossibleMove());
  EXPECT_EQ(Sorted(Swirls()), (Cells{{7, 7}, {8, 7}, {9, 8}}));

  // Three of four in a row.
  LayFiller(20, 20, {"", "", "", "", "", "", "", "", "        rr r"});
  board_->explorer = well::Cell{8, 8};
  EXPECT_TRUE(board_->ShowPossibleMove());
  EXPECT_EQ(Sorted(Swirls()), (Cells{{8, 8}, {9, 8}, {11, 8}}));

  // Only ring 3's lower-right corner holds a move: the ranges stop short of it.
  LayFiller(20, 20, {"", "", "", "", "", "", "", "", "", "", "", "          rr", "            r"});
  board_->explorer = well::Cell{8, 8};
  EXPECT_FALSE(board_->ShowPossibleMove());
  EXPECT_TRUE(Swirls().empty());

  LayFiller(20, 20);
  board_->explorer = well::Cell{8, 8};
  EXPECT_FALSE(board_->ShowPossibleMove());
  EXPECT_TRUE(Swirls().empty());
  board_->explorer.reset();
  EXPECT_FALSE(board_->ShowPossibleMove());

  // The third stands on a web: the pair stays marked, nothing answers.
  LayFiller(20, 20, {"", "", "", "", "", "", "", "       rr", "         r"});
  board_->GetTile(9, 8)->webbed = 1;
  board_->explorer = well::Cell{8, 8};
  EXPECT_FALSE(board_->ShowPossibleMove());
  EXPECT_EQ(Sorted(Swirls()), (Cells{{7, 7}, {8, 7}}));
}

// The board's own frames: ten seconds without a run bring the idle hint.
TEST_F(CuesTest, TenSecondsOfPlayWithoutARunBringTheIdleHint) {
  // Swirls that outlast the frame they start in.
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("swirl", "swirl_360x45.png", 8, 1.0f / 12.0f, 0, 0, false, false, 0, 0));
  LayFiller(20, 20, {"", "", "", "", "", "", "", "       rr", "         r"});
  board_->explorer = well::Cell{8, 8};
  Run(9.9f);
  EXPECT_TRUE(Swirls().empty());
  Run(0.2f);
  EXPECT_EQ(Sorted(Swirls()), (Cells{{7, 7}, {8, 7}, {9, 8}}));
}

}  // namespace
