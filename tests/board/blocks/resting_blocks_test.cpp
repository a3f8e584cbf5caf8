// A settled board's tokens rest on shared clocks: the tick visits only the
// blocks with something to do, yet each token shows what it would have shown
// ticked on its own, and one whose cell below empties still falls.
#include <gtest/gtest.h>

#include <vector>

#include "block_board_fixture.h"
#include "render/sprites/ui_sprite.h"

namespace block_testing {
namespace {

class RestingBlocksTest : public BlockBoardTest {};

// Frames of uneven length, some ending a cycle.
const std::vector<float> kFrames = {0.016f, 0.0333f, 0.1f, kPastCycle, 0.017f, 0.2f, 0.0166f, 0.05f};

TEST_F(RestingBlocksTest, ARestingTokenKeepsTheClockItWouldHaveHadTickedAlone) {
  QORBlock* early = Put("qor_block", "red", 1, 7);
  ui::UISprite alone;
  alone.Setup("token_stand_red", {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  ui::UISprite later;
  later.Setup("token_stand_red", {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  QORBlock* late = nullptr;
  for (size_t frame = 0; frame < kFrames.size(); ++frame) {
    // A token that comes a few frames later rests on a clock of its own phase.
    if (frame == 3) late = Put("qor_block", "red", 2, 7);
    board_->TickBlocks(kFrames[frame]);
    alone.TickEndsCycle(kFrames[frame]);
    if (late) later.TickEndsCycle(kFrames[frame]);
    EXPECT_EQ(board_->CountAwake(), 0u) << "frame " << frame;
  }
  // Looking at a resting token wakes it with its own time, bit for bit.
  EXPECT_EQ(early->GetSprite().clock, alone.clock);
  EXPECT_EQ(late->GetSprite().clock, later.clock);
  EXPECT_EQ(board_->CountAwake(), 2u);
  EXPECT_EQ(ImageOf(early), "token_stand_red");
}

TEST_F(RestingBlocksTest, TheTokenUnderThePointerStillTakesTheHighlightAtTheEndOfItsCycle) {
  QORBlock* pointed = Put("qor_block", "blue", 3, 7);
  QORBlock* other = Put("qor_block", "green", 4, 7);
  board_->TickBlocks(0.01f);
  board_->SetMousePosition(CellCentre(3, 7));
  for (float t = 0.0f; t < kPastCycle; t += 0.05f) board_->Tick(0.05f);
  EXPECT_EQ(ImageOf(pointed), "token_selected_blue");
  EXPECT_EQ(ImageOf(other), "token_stand_green");
}

struct EmptiedCell {
  int32_t row;                   // the token destroyed in the column of eight
  std::vector<int32_t> falling;  // the rows whose tokens then start to slide
};

TEST_F(RestingBlocksTest, TokensOverACellThatEmptiesFallAndNoOthers) {
  const EmptiedCell cases[] = {{7, {6}}, {4, {3}}, {0, {}}};
  for (const EmptiedCell& c : cases) {
    board_->ClearWell();
    std::vector<QORBlock*> column;
    for (int32_t y = 0; y < static_cast<int32_t>(kHeight); ++y) column.push_back(Put("qor_block", "red", 5, y));
    board_->Step();
    board_->TickBlocks(0.01f);
    for (QORBlock* token : column) ASSERT_FALSE(token->IsSliding());
    column[static_cast<size_t>(c.row)]->SetDestroyed();
    board_->RemoveDeadBlocks();
    board_->Step();
    std::vector<int32_t> falling;
    for (int32_t y = 0; y < static_cast<int32_t>(kHeight); ++y) {
      if (y != c.row && column[static_cast<size_t>(y)]->IsSliding()) falling.push_back(y);
    }
    EXPECT_EQ(falling, c.falling) << "row " << c.row;
  }
}

}  // namespace
}  // namespace block_testing
