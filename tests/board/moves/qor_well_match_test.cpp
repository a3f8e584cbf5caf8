// Match passes: the lines a pass finds, what it scores and raises, what it
// does to the tiles, webs, bottles, walkers and the mummy, and cascades.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/blocks/qor_fixed_blocks.h"
#include "board/effects/coin_sfx.h"
#include "moves_fixture.h"

namespace {

using moves_testing::MovesTest;
using moves_testing::StubWalker;

// The cues a pass raised, by name.
std::vector<std::string> RaisedCues(const QORWell& board) {
  std::vector<std::string> raised;
  for (int cue = 0; cue < QORWell::kSoundCueCount; ++cue) {
    if (board.IsSoundCueRaised(cue)) raised.push_back(QORWell::kSoundCueNames[cue]);
  }
  return raised;
}

TEST_F(MovesTest, ALinesLengthGivesItsCountsScoreCuesAndPower) {
  const struct {
    const char* name;
    std::vector<std::string> rows;
    bool flash;
    int fives, fours, threes, runs;
    const char* cue;
    std::vector<int32_t> awards;
  } cases[] = {
      {"three", {"--------", "---rrr--", "--------"}, false, 0, 0, 1, 1, "block_clear_3", {}},
      {"three at the edge", {"rrr-----", "--------", "--------"}, false, 0, 0, 1, 1, "block_clear_3", {}},
      {"three down", {"----", "--g-", "--g-", "--g-"}, false, 0, 0, 1, 1, "block_clear_3", {}},
      {"four", {"--------", "-rrrr---", "--------"}, false, 0, 1, 1, 2, "block_clear_6", {}},
      {"five", {"--------", "-rrrrr--", "--------"}, false, 1, 1, 1, 3, "block_clear_7", {0}},
      {"five in the start flash", {"--------", "-rrrrr--", "--------"}, true, 1, 1, 1, 3, "block_clear_7", {}},
      {"two threes", {"rrr-----", "--------", "-----bbb"}, false, 0, 0, 2, 2, "block_clear_6", {}},
      {"an L", {"rrr-----", "r-------", "r-------"}, false, 0, 0, 2, 2, "block_clear_6", {}},
      {"rocks", {"--------", "-ooo----", "--------"}, false, 0, 0, 0, 0, nullptr, {}},
  };
  for (const auto& c : cases) {
    Lay(c.rows);
    if (c.flash) board_->StartFlash();
    EXPECT_TRUE(board_->ResolveMatches()) << c.name;
    const QORWell::MatchPass& pass = board_->GetLastPass();
    EXPECT_EQ(pass.fives, c.fives) << c.name;
    EXPECT_EQ(pass.fours, c.fours) << c.name;
    EXPECT_EQ(pass.threes, c.threes) << c.name;
    EXPECT_EQ(pass.runs.size(), static_cast<size_t>(c.runs)) << c.name;
    const std::vector<std::string> cues =
        c.cue ? std::vector<std::string>{c.cue, "base_clear_3"} : std::vector<std::string>{};
    EXPECT_EQ(RaisedCues(*board_), cues) << c.name;
    EXPECT_EQ(board_->awards, c.awards) << c.name;
    EXPECT_EQ(board_->GetComboCount(), c.runs ? 1 : 0) << c.name;
  }
}

TEST_F(MovesTest, BlocksThatAreGoneOrFixedNeverCount) {
  for (int32_t state : {3, 4, 5}) {  // fixed, destroyed, erased
    Lay({"--------", "--rrr---", "--------"});
    At(3, 1)->SetState(state);
    board_->ResolveMatches();
    EXPECT_EQ(board_->GetLastPass().runs.size(), 0u) << state;
    EXPECT_EQ(At(2, 1)->GetState(), well::kStateStand) << state;
  }
  Lay({"--------", "--rrr---", "--------"});
  EXPECT_EQ(board_->CountColorInRect(0, 0, 7, 2, well::kColorNone, nullptr, 0), 0);
}

TEST_F(MovesTest, TheCornerOfAnLIsHitAndDestroyedOncePerRun) {
  Lay({"rrr-----", "r-------", "r-------"});
  for (int32_t x = 0; x < 3; ++x)
    for (int32_t y = 0; y < 3; ++y) board_->GetTile(x, y)->type = kTileCracked;
  well::Block* corner = At(0, 0);
  board_->ResolveMatches();
  int corners = 0;
  for (const QORWell::BlockRun& run : board_->GetLastPass().runs) corners += std::count(run.begin(), run.end(), corner);
  EXPECT_EQ(corners, 2);
  EXPECT_EQ(board_->GetTilesBroken(), 6) << "five cracked tiles, the corner's counted twice";
  EXPECT_EQ(corner->GetState(), well::kStateDestroyed);
  EXPECT_EQ(board_->GetTile(0, 0)->hit, 1);
  EXPECT_EQ(board_->GetTile(1, 1)->hit, 0) << "a tile under no run is left alone";
}

TEST_F(MovesTest, FiveCrackedTilesUnderALineOfFiveBreakTwelveTimesAndGoldNever) {
  Lay({"--------", "-rrrrr--", "--------"});
  for (int32_t x = 1; x <= 5; ++x) board_->GetTile(x, 1)->type = kTileCracked;
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetTilesBroken(), 12) << "runs of three, five and four";
  board_->RefreshHitTiles();
  for (int32_t x = 1; x <= 5; ++x) EXPECT_EQ(board_->GetTile(x, 1)->type, kTileGold) << x;

  Lay({"--------", "-rrr----", "--------"});
  board_->GetTile(1, 1)->type = kTileGold;
  board_->GetTile(2, 1)->type = kTileVoid;
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetTilesBroken(), 0);
  EXPECT_EQ(At(2, 1)->GetState(), well::kStateStand) << "a block over no floor is skipped";
  EXPECT_EQ(At(1, 1)->GetState(), well::kStateDestroyed);
}

TEST_F(MovesTest, ARunTearsTheWebsOnAndBesideItsBlocks) {
  Lay({"------", "-rrr--", "------", "------"});
  for (int32_t x = 0; x < 6; ++x)
    for (int32_t y = 0; y < 4; ++y) board_->GetTile(x, y)->webbed = 1;
  board_->ResolveMatches();
  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 4; ++y) {
      const bool torn = (y == 1 && x >= 0 && x <= 4) || ((y == 0 || y == 2) && x >= 1 && x <= 3);
      EXPECT_EQ(board_->GetTile(x, y)->webbed, torn ? 0 : 1) << x << "," << y;
    }
  }
}

TEST_F(MovesTest, CombosRaiseRisingCuesAndARealCascadeChains) {
  const char* const expected[] = {"base_clear_3", "base_clear_4", "base_clear_5",
                                  "base_clear_6", "base_clear_7", "base_clear_7"};
  for (int k = 1; k <= 6; ++k) {
    Lay({"------", "-rrr--", "------"});
    board_->SetComboCount(k - 1);
    board_->ResolveMatches();
    EXPECT_EQ(RaisedCues(*board_), (std::vector<std::string>{"block_clear_3", expected[k - 1]})) << k;
  }

  // The greens clear, the red above them falls into a line of three.
  Lay({
      "-r--",
      "-g--",
      "-g--",
      "rgr-",
  });
  well::Block* fallen = At(1, 0);
  board_->ResolveMatches();
  Run(2.0f);
  EXPECT_EQ(fallen->GetState(), well::kStateDestroyed);
  EXPECT_EQ(board_->GetComboCount(), 2);
  const std::vector<std::string> heard = Heard();
  const auto first = std::find(heard.begin(), heard.end(), "base_clear_3");
  const auto second = std::find(heard.begin(), heard.end(), "base_clear_4");
  EXPECT_NE(first, heard.end());
  EXPECT_NE(second, heard.end());
  EXPECT_LT(first, second);
}

TEST_F(MovesTest, AClearedBlockKillsOneWalkerBesideItAndStunsTheRival) {
  Lay({"--------", "---rrr--", "--------", "--------"});
  StubWalker first{2, 1, 3, true};
  StubWalker second{3, 0, 0, true};
  StubWalker rival{4, 2, 1, false};
  StubWalker far{0, 3, 0, true};
  board_->AddStubWalker(rival);
  board_->AddStubWalker(first);
  board_->AddStubWalker(second);
  board_->AddStubWalker(far);
  board_->ResolveMatches();
  EXPECT_TRUE(first.removed);
  EXPECT_FALSE(second.removed) << "one walker dies by a cleared block";
  EXPECT_FALSE(rival.removed);
  EXPECT_FLOAT_EQ(rival.stunned, 2.5f);
  EXPECT_FALSE(far.removed);
  EXPECT_EQ(board_->GetWalkers().size(), 3u);
  EXPECT_EQ(board_->GetCrittersKilled(), 1);
}

TEST_F(MovesTest, TheMummyTakesOneHitPerRunThatComesNear) {
  Lay({"--------", "-rrrr---", "--------", "--------", "--------", "--------"});
  board_->mummy = well::Cell{6, 3};
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetCrittersKilled(), 1) << "the four-window reaches it, the three-window does not";
  Lay({"--------", "-rrrr---", "--------", "--------", "--------", "--------"});
  board_->mummy = well::Cell{2, 3};
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetCrittersKilled(), 2);
  Lay({"--------", "-rrrr---", "--------", "--------", "--------", "--------"});
  board_->mummy = well::Cell{2, 3};
  board_->editing = true;
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetCrittersKilled(), 0) << "not while editing";
}

TEST_F(MovesTest, RedsClearedNearTheExplorerFillARedBottle) {
  Lay({"--------", "-rrr....", "--------"});
  auto* bottle = static_cast<QORBottleneckBlock*>(Put("qor_bottleneck", well::kColorRed, 6, 1));
  ASSERT_NE(bottle, nullptr);
  board_->explorer = well::Cell{0, 0};
  board_->ResolveMatches();
  EXPECT_EQ(bottle->GetFill(), 3);
  EXPECT_EQ(board_->GetGameEffects()->GetSparkleCoins()->GetFlyingCount(), 3u);

  Lay({"--------", "-rrr....", "--------"});
  bottle = static_cast<QORBottleneckBlock*>(Put("qor_bottleneck", well::kColorRed, 6, 1));
  board_->explorer.reset();
  board_->ResolveMatches();
  EXPECT_EQ(bottle->GetFill(), 0) << "no explorer, no feeding";
}

TEST_F(MovesTest, APassWithoutARunChangesNothingAndTheRaceNeverResolves) {
  Lay({"--------", "-rr-r---", "--------"});
  Click(1, 1);
  board_->OnMouseMove(Centre(4, 1));
  board_->SetComboCount(2);
  well::Block* hovered = board_->GetHovered();
  ASSERT_NE(hovered, nullptr);
  EXPECT_TRUE(board_->ResolveMatches());
  EXPECT_EQ(board_->GetSelectedA(), At(1, 1));
  EXPECT_EQ(board_->GetHovered(), hovered);
  EXPECT_EQ(board_->GetComboCount(), 2);
  EXPECT_FALSE(board_->IsMoving());
  EXPECT_TRUE(RaisedCues(*board_).empty());

  Lay({"--------", "-rrr----", "--------"});
  board_->race = true;
  EXPECT_FALSE(board_->ResolveMatches());
  EXPECT_EQ(At(1, 1)->GetState(), well::kStateStand);
  EXPECT_TRUE(RaisedCues(*board_).empty());
}

TEST_F(MovesTest, APassLetsGoOfTheSelectionAndTheHover) {
  Lay({"--------", "-rrr----", "--------"});
  Click(5, 2);
  board_->OnMouseMove(Centre(1, 1));
  At(5, 2)->SetTint(QORWell::kTintFaint);
  well::Block* selected = At(5, 2);
  board_->ResolveMatches();
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  EXPECT_EQ(board_->GetHovered(), nullptr);
  EXPECT_EQ(selected->GetTint(), QORWell::kTintOpaque);
  EXPECT_TRUE(board_->IsMoving());
}

}  // namespace
