// The scrolling board drawn on the real renderer: back decorations, blocks,
// front decorations, each clipped to the board's view.
#include <gtest/gtest.h>

#include "board_test_support.h"
#include "render/graphics_fixture.h"
#include "render/sprites/sprite_set.h"

namespace {

using board_testing::StubWell;

const std::string kData = VANTOR_TEST_DATA;
constexpr uint32_t kBackground = GreyScreenTest::kBackground;
constexpr uint32_t kRed = 0xFF0000u, kBlue = 0x0000FFu, kGreen = 0x00FF00u, kYellow = 0xFFFF00u;

class BoardReadbackTest : public GreyScreenTest {
 protected:
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    GreyScreenTest::TearDown();
  }
};

// Cells of 80 x 60 pixels from (80, 60); the view shows two of them across
// and one down, up to (240, 120). A red block on cell (0, 0); on cell (1, 0)
// a blue decoration of layer 2 (reaching back over the block) under two green
// ones of layer 0, one of them crossing the bottom edge; yellow ones of layer
// 3 over the block and across the right edge.
TEST_F(BoardReadbackTest, DecorationsLieBehindAndInFrontOfTheBlocksAndAreCutAtTheViewsEdge) {
  StubWell board;
  board.image = kData + "/red_block.png";
  board.SetViewCells(2, 1);
  board.Create(4, 2, {0.1f, 0.1f}, {0.2f, 0.1f}, {0.1f, 0.1f});
  board.Put("block", 0, 0);
  board.AddDecoration(kData + "/yellow_layer3.png", 1, 0, 0, 0, {0.07f, 0.02f}, 3, 0);
  board.AddDecoration(kData + "/yellow_layer3.png", 0, 0, 0, 0, {0.02f, 0.02f}, 3, 0);
  board.AddDecoration(kData + "/green_layer0.png", 1, 0, 0, 0, {0.0f, 0.0f}, 0, 0);
  board.AddDecoration(kData + "/green_layer0.png", 1, 0, 0, 0, {0.05f, 0.08f}, 0, 0);
  board.AddDecoration(kData + "/blue_layer2.png", 0, 0, 0, 0, {0.05f, 0.0f}, 2, 0);
  ASSERT_EQ(board.GetDecorations().size(), 5u);

  board.Draw();
  const struct {
    const char* what;
    uint32_t x, y, colour;
  } pixels[] = {
      {"the block", 90, 110, kRed},
      {"the block over the layer 2 decoration", 140, 110, kRed},
      {"layer 2 beside the block", 170, 110, kBlue},
      {"layer 0 over layer 2", 170, 70, kGreen},
      {"layer 3 over the block", 110, 80, kYellow},
      {"layer 3 inside the view", 235, 80, kYellow},
      {"layer 3 cut at the right edge", 245, 80, kBackground},
      {"layer 0 inside the view", 220, 115, kGreen},
      {"layer 0 cut at the bottom edge", 220, 125, kBackground},
      {"nothing right of the view", 300, 70, kBackground},
  };
  const std::vector<uint32_t> frame = Frame();
  for (const auto& p : pixels) EXPECT_EQ(frame.at(p.y * 800 + p.x), p.colour) << p.what;
}

}  // namespace
