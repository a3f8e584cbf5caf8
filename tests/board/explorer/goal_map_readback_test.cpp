// The goal map drawn on the real renderer: the floor in the panel's corner,
// centred, a mini-cell of 4 x 4 pixels for each cell with floor.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
    board_.reset();
    ui::GetSpriteSet()->Clear();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  // The board of 10 x 6 cells with floor where `floor` says, its level
  // started and its map open; the floor picture is plain red.
  QORGoalMap* OpenMap(const std::function<bool(int32_t, int32_t)>& floor) {
    EXPECT_TRUE(ui::GetSpriteSet()->AddSprite("Tile_Flip_Crack", VANTOR_SOURCE_DIR "/tests/well/data/red_block.png", 1,
                                              1.0f, 0, 0, false, false, 0, 0));
    board_ = std::make_unique<QORWell>(nullptr);
    uint8_t colours[QORWell::kColorCount] = {};
    board_->Setup(10, 6, colours);
    for (int32_t x = 0; x < 10; ++x)
      for (int32_t y = 0; y < 6; ++y)
        if (floor(x, y)) board_->GetTile(x, y)->type = kTileMetal;
    board_->OnLevelStart();
    QORGoalMap* map = board_->GetGoalMap();
    if (map) map->SetOpen(true);
    return map;
  }
  // The colour at the middle of a cell's mini-cell.
  uint32_t CellColour(const QORGoalMap& map, int32_t x, int32_t y) {
    const uint32_t left = static_cast<uint32_t>(map.GetOrigin().x * 800.0f);
    const uint32_t top = static_cast<uint32_t>(map.GetOrigin().y * 600.0f);
    return Pixel(left + 4 * x + 2, top + 4 * y + 2) & 0xFFFFFFu;
  }

  LogCapture quiet_;
  std::unique_ptr<QORWell> board_;
};

// A board of 10 x 6 cells whose floor is an L: the column x = 0 and the row
// y = 5, with the rest void. The floor picture is plain red.
TEST_F(GoalMapReadbackTest, TheFloorIsDrawnCentredInThePanelAMiniCellACell) {
  QORGoalMap* map = OpenMap([](int32_t x, int32_t y) { return x == 0 || y == 5; });
  ASSERT_NE(map, nullptr);
  graphics_->Clear(0xFF000000u, 1, 0, 1, 0, 0);
  map->Draw();

  // The floor spans 9 x 5 mini-cells between its first and last cells'
  // corners, centred in the panel of 213 x 124 pixels at (583, 473).
  const float left = map->GetOrigin().x * 800.0f, top = map->GetOrigin().y * 600.0f;
  EXPECT_NEAR(left, 583.0f + (213.0f - 9 * 4.0f) / 2, 0.5f);
  EXPECT_NEAR(top, 473.0f + (124.0f - 5 * 4.0f) / 2, 0.5f);
  const struct {
    int32_t x, y;
    uint32_t colour;
  } cells[] = {{0, 0, 0xFF0000u}, {0, 3, 0xFF0000u}, {0, 5, 0xFF0000u}, {9, 5, 0xFF0000u},
               {4, 5, 0xFF0000u}, {1, 0, 0u},        {5, 2, 0u},        {9, 4, 0u}};
  for (const auto& cell : cells) EXPECT_EQ(CellColour(*map, cell.x, cell.y), cell.colour) << cell.x << "," << cell.y;
  // Nothing outside the panel.
  EXPECT_EQ(Pixel(400, 300) & 0xFFFFFFu, 0u);
  EXPECT_EQ(Pixel(570, 520) & 0xFFFFFFu, 0u);
}

// The floor goes into a picture of its own once and the picture onto the
// screen at every draw; a tile broken after that shows once the map reads
// the board again.
TEST_F(GoalMapReadbackTest, TheDrawnFloorFollowsTheBoardTheMapLastRead) {
  QORGoalMap* map = OpenMap([](int32_t, int32_t) { return true; });
  ASSERT_NE(map, nullptr);
  const struct {
    uint32_t background;
    bool broken;
    uint32_t atBrokenCell, elsewhere;
  } draws[] = {
      {0xFF000000u, false, 0xFF0000u, 0xFF0000u},
      {0xFF0000FFu, false, 0xFF0000u, 0xFF0000u},
      {0xFF0000FFu, true, 0x0000FFu, 0xFF0000u},
  };
  for (const auto& d : draws) {
    if (d.broken) {
      board_->GetTile(3, 2)->type = 0;
      map->Init();
    }
    graphics_->Clear(d.background, 1, 0, 1, 0, 0);
    map->Draw();
    EXPECT_EQ(CellColour(*map, 3, 2), d.atBrokenCell) << std::hex << d.background << " " << d.broken;
    EXPECT_EQ(CellColour(*map, 9, 5), d.elsewhere) << std::hex << d.background << " " << d.broken;
    EXPECT_EQ(CellColour(*map, 0, 0), d.elsewhere) << std::hex << d.background << " " << d.broken;
  }
}

}  // namespace
