// The player's moves on the game board: selection by clicks and drags, the
// swap of neighbours and its swap back, and the blocks a move may not touch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "moves_fixture.h"

namespace {

using moves_testing::MovesTest;
using Sets = std::vector<std::string>;

// Two reds and a green, then a red: swapping the green and the last red
// lines up three reds through the red alone.
const std::vector<std::string> kRedLine = {
    "------",
    "------",
    "-rrgr-",
    "------",
    "------",
};
// The same with a rock below.
const std::vector<std::string> kRockLine = {
    "------",
    "------",
    "-rrgr-",
    "------",
    "--o---",
};

TEST_F(MovesTest, ClicksSelectReselectRefuseAndSwapWithTheirSounds) {
  Lay(kRedLine);
  well::Block* red = At(1, 2);
  Click(1, 2);
  EXPECT_EQ(board_->GetSelectedA(), red);
  EXPECT_EQ(Heard(), Sets{"select_A"});

  red->SetTint(0x12345678u);
  Click(1, 2);
  EXPECT_EQ(board_->GetSelectedA(), red) << "clicked again it stays selected";
  EXPECT_EQ(board_->GetSelectedB(), nullptr);
  EXPECT_EQ(red->GetTint(), QORWell::kTintOpaque);
  EXPECT_EQ(Heard(), Sets{});

  Click(3, 2);
  EXPECT_EQ(board_->GetSelectedA(), At(3, 2)) << "two cells away: the pair is refused and a new one begun";
  EXPECT_EQ(board_->GetSelectedB(), nullptr);
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(Heard(), (Sets{"select_B", "select_A"}));

  well::Block* green = At(3, 2);
  well::Block* lastRed = At(4, 2);
  board_->SetComboCount(2);
  Click(4, 2);
  EXPECT_TRUE(board_->IsSwapping());
  EXPECT_EQ(board_->GetSelectedA(), green);
  EXPECT_EQ(board_->GetSelectedB(), lastRed);
  EXPECT_EQ(board_->GetComboCount(), 0);
  EXPECT_TRUE(board_->IsSoundCueRaised(QORWell::kCueBlockSwitch));
  board_->PlaySoundCues();
  EXPECT_EQ(Heard(), (Sets{"select_B", "block_switch"}));

  // The run goes through the red only; it clears after the swap.
  Run(0.25f);
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(green->GetCell(), (well::Cell{4, 2}));
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 5; ++y) {
      const well::Block* block = At(x, y);
      EXPECT_TRUE(!block || block->GetColor() != well::kColorRed) << "every red cleared";
    }
  }
  EXPECT_EQ(red->GetState(), well::kStateDestroyed);
  EXPECT_EQ(At(4, 2), green);
  Run(0.1f);
  const Sets heard = Heard();
  EXPECT_NE(std::find(heard.begin(), heard.end(), "block_clear_3"), heard.end());
  EXPECT_NE(std::find(heard.begin(), heard.end(), "base_clear_3"), heard.end());
}

TEST_F(MovesTest, AFruitlessSwapGoesBackAfterAnotherFifthOfASecondIgnoringClicks) {
  // A line of three stands on row 0, through neither block.
  Lay({
      "rrr---",
      "------",
      "------",
      "------",
  });
  well::Block* a = At(0, 2);
  well::Block* b = At(1, 2);
  Click(0, 2);
  Click(1, 2);
  ASSERT_TRUE(board_->IsSwapping());
  Run(0.25f);
  EXPECT_EQ(a->GetCell(), (well::Cell{1, 2}));
  EXPECT_TRUE(board_->IsSwapping());
  EXPECT_TRUE(board_->IsSwappingBack());
  EXPECT_EQ(board_->GetLastPass().threes, 0);

  Heard();
  board_->SetComboCount(3);
  Click(0, 3);
  EXPECT_EQ(board_->GetComboCount(), 0) << "a click resets the combo before it is ignored";
  EXPECT_EQ(board_->GetSelectedA(), a);
  EXPECT_EQ(Heard(), Sets{});

  Run(0.25f);
  EXPECT_EQ(a->GetCell(), (well::Cell{0, 2}));
  EXPECT_EQ(b->GetCell(), (well::Cell{1, 2}));
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  EXPECT_EQ(board_->GetSelectedB(), nullptr);
  EXPECT_EQ(a->GetTint(), QORWell::kTintOpaque);
  EXPECT_EQ(b->GetTint(), QORWell::kTintOpaque);
}

TEST_F(MovesTest, WhileASwapRunsClicksDragsAndTheHoverAreIgnored) {
  Lay(kRedLine);
  ASSERT_TRUE(board_->OnMouseMove(Centre(0, 0)));
  well::Block* hovered = board_->GetHovered();
  Click(0, 1);
  Click(1, 1);
  ASSERT_TRUE(board_->IsSwapping());
  Heard();
  Click(4, 4);
  board_->OnMouseDrag(Centre(5, 4));
  EXPECT_FALSE(board_->OnMouseMove(Centre(5, 4)));
  EXPECT_EQ(board_->GetHovered(), hovered);
  EXPECT_EQ(board_->GetSelectedA(), At(0, 1));
  EXPECT_EQ(Heard(), Sets{});
}

TEST_F(MovesTest, ARockSwapsWithATokenButNeverOntoTheExplorer) {
  Lay(kRockLine);
  board_->explorer = well::Cell{3, 4};
  well::Block* rock = At(2, 4);
  Click(2, 4);
  EXPECT_EQ(board_->GetSelectedA(), rock) << "a rock can be selected";
  Click(3, 4);
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(board_->GetSelectedA(), rock);
  EXPECT_EQ(Heard(), (Sets{"select_A", "select_B"}));

  // Nor the token on the explorer's cell onto the rock.
  board_->TrySwap(At(3, 4), rock);
  EXPECT_FALSE(board_->IsSwapping());
  board_->TrySwap(rock, At(2, 3));
  EXPECT_TRUE(board_->IsSwapping()) << "a token elsewhere swaps";
}

TEST_F(MovesTest, ADragMovesATowardsThePointerAcrossFirst) {
  const struct {
    well::Cell to, neighbour;
  } cases[] = {{{4, 4}, {3, 2}}, {{0, 0}, {1, 2}}, {{2, 4}, {2, 3}}, {{2, 0}, {2, 1}}};
  for (const auto& c : cases) {
    Lay(kRedLine);
    Click(2, 2);
    well::Block* neighbour = At(c.neighbour.x, c.neighbour.y);
    board_->OnMouseDrag(Centre(c.to.x, c.to.y));
    EXPECT_TRUE(board_->IsSwapping()) << c.to.x << "," << c.to.y;
    EXPECT_EQ(board_->GetSelectedB(), neighbour) << c.to.x << "," << c.to.y;
  }
  Lay(kRedLine);
  Click(2, 2);
  board_->OnMouseDrag(Centre(2, 2));
  EXPECT_FALSE(board_->IsSwapping()) << "a drag over A itself does nothing";
}

TEST_F(MovesTest, WebbedBlocksCannotBeSelectedAndLoseTheirSelection) {
  Lay(kRedLine);
  board_->GetTile(1, 1)->webbed = 1;
  Click(1, 1);
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  EXPECT_EQ(Heard(), Sets{});

  Click(2, 2);
  ASSERT_EQ(board_->GetSelectedA(), At(2, 2));
  board_->GetTile(2, 2)->webbed = 1;
  EXPECT_EQ(board_->GetSelectedA(), At(2, 2)) << "kept until the next click or drag on it";
  board_->OnMouseDrag(Centre(2, 2));
  EXPECT_EQ(board_->GetSelectedA(), nullptr);

  board_->GetTile(2, 2)->webbed = 0;
  Click(2, 2);
  board_->GetTile(2, 2)->webbed = 1;
  Click(2, 2);
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
}

TEST_F(MovesTest, NoSwapWithoutAnExplorerOrOverAVoidCell) {
  Lay({
      "----",
      "-#--",
      "----",
  });
  board_->explorer.reset();
  Click(0, 0);
  Click(1, 0);
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(board_->GetSelectedB(), At(1, 0)) << "nothing happens: the pair stays as chosen";

  board_->explorer = well::Cell{3, 2};
  Put("qor_block", 3, 1, 1);
  board_->ClearMoving();
  Click(1, 1);
  Click(1, 1);
  board_->TrySwap(At(1, 0), At(1, 1));
  EXPECT_FALSE(board_->IsSwapping()) << "a cell without floor takes no swap";
  EXPECT_EQ(board_->GetSelectedA(), nullptr) << "the refused second block, null, becomes the first";
}

TEST_F(MovesTest, ABlockThatLeavesTheGridIsLetGoAtOnceAndEndsTheSwap) {
  Lay(kRockLine);
  board_->explorer = well::Cell{5, 4};
  well::Block* rock = At(2, 4);
  well::Block* token = At(2, 3);
  Click(2, 4);
  Click(2, 3);
  ASSERT_TRUE(board_->IsSwapping());
  board_->DrawSwap();
  EXPECT_EQ(token->GetTint(), QORWell::kTintFaint);

  // The explorer breaks the rock mid-swap.
  rock->SetDestroyed();
  Run(0.05f);
  EXPECT_FALSE(board_->IsSwapping());
  EXPECT_EQ(board_->GetSelectedA(), nullptr);
  EXPECT_EQ(board_->GetSelectedB(), nullptr);
  EXPECT_EQ(token->GetTint(), QORWell::kTintOpaque);
  EXPECT_EQ(token->GetCell(), (well::Cell{2, 3})) << "the token stays where it was";

  ASSERT_TRUE(board_->OnMouseMove(Centre(4, 4)));
  well::Block* hovered = board_->GetHovered();
  Click(4, 4);
  hovered->SetErased();
  Run(0.05f);
  EXPECT_EQ(board_->GetHovered(), nullptr);
  EXPECT_EQ(board_->GetSelectedA(), nullptr);

  Click(0, 0);
  board_->TriggerRestore();
  EXPECT_EQ(board_->GetSelectedA(), nullptr) << "the layout's blocks were made anew";
}

TEST_F(MovesTest, TheHoverFollowsThePointerOverColouredBlocksOnFloor) {
  Lay({
      "-#-",
      "-.o",
  });
  EXPECT_TRUE(board_->OnMouseMove(Centre(0, 0)));
  EXPECT_EQ(board_->GetHovered(), At(0, 0));
  EXPECT_EQ(At(0, 0)->GetState(), well::kStateSelected);
  EXPECT_EQ(board_->GetMousePosition().x, Centre(0, 0).x);
  EXPECT_FALSE(board_->OnMouseMove(Centre(1, 0))) << "no floor";
  EXPECT_FALSE(board_->OnMouseMove(Centre(1, 1))) << "no block";
  EXPECT_FALSE(board_->OnMouseMove(Centre(2, 1))) << "a rock has no colour";
  EXPECT_EQ(board_->GetHovered(), At(0, 0));
  EXPECT_EQ(board_->GetBlockAtPoint(math::Vec2(1.0f, 0.95f)), nullptr) << "the view's corner, off this board";
  EXPECT_EQ(board_->GetBlockAtPoint(math::Vec2(-0.01f, 0.01f)), nullptr);
}

}  // namespace
