// The goal map drawn on the real renderer: the floor in the panel's corner,
// centred, a mini-cell of 4 x 4 pixels for each cell with floor.
#include <gtest/gtest.h>

#include <string>

#include "board/explorer/qor_goal_map.h"
#include "board/qor_well.h"
#include "core/files/resman.h"
#include "log_capture.h"
#include "render/graphics_fixture.h"
#include "render/sprites/sprite_set.h"

namespace {

class GoalMapReadbackTest : public GraphicsTest {
 protected:
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  LogCapture quiet_;
};

// A board of 10 x 6 cells whose floor is an L: the column x = 0 and the row
// y = 5, with the rest void. The floor picture is plain red.
TEST_F(GoalMapReadbackTest, TheFloorIsDrawnCentredInThePanelAMiniCellACell) {
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("Tile_Flip_Crack", VANTOR_SOURCE_DIR "/tests/well/data/red_block.png", 1, 1.0f, 0, 0,
                                            false, false, 0, 0));
  QORWell board(nullptr);
  uint8_t colours[QORWell::kColorCount] = {};
  board.Setup(10, 6, colours);
  for (int32_t y = 0; y < 6; ++y) board.GetTile(0, y)->type = kTileMetal;
  for (int32_t x = 0; x < 10; ++x) board.GetTile(x, 5)->type = kTileGold;
  board.OnLevelStart();
  QORGoalMap* map = board.GetGoalMap();
  ASSERT_NE(map, nullptr);
  map->SetOpen(true);
  graphics_->Clear(0xFF000000u, 1, 0, 1, 0, 0);
  map->Draw();

  // The floor spans 9 x 5 mini-cells between its first and last cells'
  // corners, centred in the panel of 213 x 124 pixels at (583, 473).
  const float left = map->GetOrigin().x * 800.0f, top = map->GetOrigin().y * 600.0f;
  EXPECT_NEAR(left, 583.0f + (213.0f - 9 * 4.0f) / 2, 0.5f);
  EXPECT_NEAR(top, 473.0f + (124.0f - 5 * 4.0f) / 2, 0.5f);
  auto at = [&](int32_t x, int32_t y) {
    return Pixel(static_cast<uint32_t>(left) + 4 * x + 2, static_cast<uint32_t>(top) + 4 * y + 2) & 0xFFFFFFu;
  };
  const struct {
    int32_t x, y;
    uint32_t colour;
  } cells[] = {{0, 0, 0xFF0000u}, {0, 3, 0xFF0000u}, {0, 5, 0xFF0000u}, {9, 5, 0xFF0000u},
               {4, 5, 0xFF0000u}, {1, 0, 0u},        {5, 2, 0u},        {9, 4, 0u}};
  for (const auto& cell : cells) EXPECT_EQ(at(cell.x, cell.y), cell.colour) << cell.x << "," << cell.y;
  // Nothing outside the panel.
  EXPECT_EQ(Pixel(400, 300) & 0xFFFFFFu, 0u);
  EXPECT_EQ(Pixel(570, 520) & 0xFFFFFFu, 0u);
}

}  // namespace
