#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "board/blocks/block_board_fixture.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/game_variables.h"
#include "board/hud/qor_well_ui.h"
#include "render/drawn_corners.h"

namespace {

// A level on the blocks' board of 8 x 8 metal cells, its goal map made.
class GoalMapTest : public block_testing::BlockBoardTest {
 protected:
  void Start() {
    board_->OnLevelStart();
    map_ = board_->GetGoalMap();
    ASSERT_NE(map_, nullptr);
    map_->SetOpen(true);
    // Lays the map out: clicks are read against its last drawing.
    map_->Draw();
  }
  // The centre of a cell as the map draws it.
  math::Vec2 MapPoint(int32_t x, int32_t y) const {
    const math::Vec2 origin = map_->GetOrigin();
    return math::Vec2(origin.x + (static_cast<float>(x) + 0.5f) * QORGoalMap::kMiniCellWidth,
                      origin.y + (static_cast<float>(y) + 0.5f) * QORGoalMap::kMiniCellHeight);
  }
  size_t Draws() const {
    size_t draws = 0;
    for (const RecordingGraphics::Call& call : graphics_.calls) draws += call.kind == RecordingGraphics::Call::kDraw;
    return draws;
  }

  QORGoalMap* map_ = nullptr;
};

TEST_F(GoalMapTest, ALevelWithoutMilestonesHasTheExitAloneAndAimsAtIt) {
  Put("qor_exit", "none", 5, 2, 2, 2);
  Start();
  ASSERT_EQ(map_->GetGoals().size(), 1u);
  EXPECT_EQ(map_->GetGoals().front().x, 5);
  EXPECT_EQ(map_->GetGoals().front().y, 3);
  EXPECT_EQ(map_->GetTreasureTotal(), 0);
  EXPECT_EQ(map_->GetTargetX(), 5);
  EXPECT_EQ(map_->GetTargetY(), 2);
  EXPECT_EQ(map_->GetTargetSize(), 2);
  // The explorer heads for the tomb's bottom-left cell.
  EXPECT_EQ(board_->GetExplorer()->GetGoal(), (well::Cell{5, 3}));
}

TEST_F(GoalMapTest, ClicksTakeTheExitTombOrTheFloorCellDrawnUnderThePointer) {
  Put("qor_exit", "none", 5, 2, 2, 2);
  Put("qor_block", "red", 2, 6);
  board_->GetTile(0, 0)->type = kTileVoid;
  Start();
  // A token under the pointer: a target of one cell, marked on the board.
  ASSERT_TRUE(map_->OnClick(MapPoint(2, 6)));
  EXPECT_EQ(map_->GetTargetX(), 2);
  EXPECT_EQ(map_->GetTargetY(), 6);
  EXPECT_EQ(map_->GetTargetSize(), 1);
  EXPECT_EQ(board_->GetExplorer()->GetGoal(), (well::Cell{2, 6}));
  graphics_.calls.clear();
  map_->PlaceTargetMarkers();
  EXPECT_EQ(Draws(), 2u);

  // The tomb's icon: the exit, two cells wide, and no markers on the board.
  const QORGoal& exit = map_->GetGoals().back();
  ASSERT_TRUE(map_->OnClick(exit.sprite.position + exit.sprite.size * 0.5f));
  EXPECT_EQ(map_->GetTargetX(), 5);
  EXPECT_EQ(map_->GetTargetSize(), 2);
  EXPECT_EQ(board_->GetExplorer()->GetGoal(), (well::Cell{5, 3}));
  EXPECT_EQ(map_->GetClicks(), 2);
  graphics_.calls.clear();
  map_->PlaceTargetMarkers();
  EXPECT_EQ(Draws(), 0u);

  // Void floor, the panel's empty margin, a point outside and a shut map
  // take no click.
  EXPECT_FALSE(map_->OnClick(MapPoint(0, 0)));
  EXPECT_FALSE(map_->OnClick(math::Vec2(QORGoalMap::kPanelLeft + 0.001f, QORGoalMap::kPanelTop + 0.001f)));
  EXPECT_FALSE(map_->OnClick(math::Vec2(0.5f, 0.5f)));
  map_->SetOpen(false);
  EXPECT_FALSE(map_->OnClick(MapPoint(2, 6)));
  EXPECT_EQ(map_->GetClicks(), 2);
  EXPECT_TRUE(map_->HitTest(math::Vec2(QORGoalMap::kPanelRight, QORGoalMap::kPanelBottom)));
  EXPECT_FALSE(map_->HitTest(math::Vec2(QORGoalMap::kPanelLeft - 0.001f, 0.9f)));
}

TEST_F(GoalMapTest, TreasuresInReachAreFoundInOneCheckEachOnceAndTheExitNever) {
  // Milestones of one cell, so that one cell lies within reach of two.
  auto* near = Put("qor_milestone[2]", "none", 3, 3);
  ASSERT_NE(near, nullptr);
  near->SetSize(1, 1);
  auto* alsoNear = Put("qor_milestone[1]", "none", 4, 4);
  ASSERT_NE(alsoNear, nullptr);
  Put("qor_milestone[3]", "none", 0, 6);
  Put("qor_exit", "none", 5, 0, 2, 2);
  Start();
  ASSERT_EQ(map_->GetTreasureTotal(), 3);
  ASSERT_EQ(map_->GetGoals().size(), 4u);
  // Milestone order: the index, not the place.
  EXPECT_EQ(map_->GetGoals().front().x, 4);
  board_->GetExplorer()->PlaceAt(4, 4);
  map_->CheckTreasureFound();
  EXPECT_EQ(map_->GetTreasuresFound(), 2);
  EXPECT_EQ(ImageOf(near), "subgoal");
  EXPECT_EQ(ImageOf(alsoNear), "subgoal");
  ASSERT_EQ(map_->GetGoals().size(), 2u);
  EXPECT_EQ(map_->GetGoals().front().x, 0);
  // Found once: the same cell finds nothing more; the exit stays listed.
  map_->CheckTreasureFound();
  EXPECT_EQ(map_->GetTreasuresFound(), 2);
  board_->GetExplorer()->PlaceAt(5, 1);
  map_->CheckTreasureFound();
  EXPECT_EQ(map_->GetGoals().size(), 2u);
}

// The HUD counts the treasures it was given and flies a power for each; the
// goal map keeps its own count.
TEST_F(GoalMapTest, EachTreasureFoundFliesAPowerToTheHud) {
  Put("qor_milestone[1]", "none", 2, 2);
  Put("qor_milestone[2]", "none", 5, 5);
  Start();
  board_->InitUI();
  QORWellUI* hud = board_->GetHud();
  ASSERT_NE(hud, nullptr);
  board_->GetExplorer()->PlaceAt(3, 3);
  map_->CheckTreasureFound();
  EXPECT_EQ(hud->GetTreasuresFound(), 1);
  EXPECT_EQ(hud->GetFlights().size(), 1u);
  board_->GetExplorer()->PlaceAt(5, 6);
  map_->CheckTreasureFound();
  EXPECT_EQ(hud->GetTreasuresFound(), 2);
  EXPECT_EQ(map_->GetTreasuresFound(), 2);
  EXPECT_EQ(hud->GetFlights().size(), 2u);
}

TEST_F(GoalMapTest, WithoutAnExitTheLastTreasureIsFoundToo) {
  Put("qor_milestone[1]", "none", 2, 2, 1, 1);
  Start();
  ASSERT_EQ(map_->GetGoals().size(), 1u);
  board_->GetExplorer()->PlaceAt(2, 2);
  map_->CheckTreasureFound();
  EXPECT_EQ(map_->GetTreasuresFound(), 1);
  EXPECT_TRUE(map_->GetGoals().empty());
}

TEST(TreasurePower, PowersThreeEightAndNineWaitForTheirFirstMeeting) {
  BareGameApp app("goal_map_power_test");
  SetApp(&app);
  app.InitSystems();
  ASSERT_TRUE(GetRMS()->AddProfile("Ann", "english", "home"));
  struct Case {
    int32_t roll, variable, value, power;
  } cases[] = {
      {2, 54, 0, 0}, {2, 54, 1, 2}, {7, 55, 0, 0}, {7, 55, 1, 7},
      {8, 62, 0, 0}, {8, 62, 1, 8}, {5, 54, 0, 5}, {0, 54, 0, 0},
  };
  for (const Case& c : cases) {
    for (int32_t variable : {54, 55, 62}) SetInt(variable, 0);
    SetInt(c.variable, c.value);
    EXPECT_EQ(QORGoalMap::TreasurePower(c.roll), c.power) << c.roll << " with " << c.variable << "=" << c.value;
  }
  SetApp(nullptr);
}

TEST_F(GoalMapTest, TheSparkleBudgetStaysBoundedWithAndWithoutEffects) {
  Put("qor_block", "red", 6, 6);
  Start();
  ASSERT_TRUE(map_->OnClick(MapPoint(6, 6)));
  for (int i = 0; i < 100; ++i) {
    map_->Tick(0.1f);
    EXPECT_LE(map_->GetSparkleBudget(), 1.0f / 15.0f);
  }
  board_->SetEffects(nullptr);
  for (int i = 0; i < 100; ++i) map_->Tick(0.1f);
  EXPECT_LE(map_->GetSparkleBudget(), 1.0f / 15.0f);
}

TEST_F(GoalMapTest, TheExplorerReachingTheTargetIsMarkedOnce) {
  Put("qor_block", "red", 1, 2);
  Start();
  ASSERT_TRUE(map_->OnClick(MapPoint(1, 2)));
  EXPECT_FALSE(map_->IsExplorerAtTarget());
  map_->Tick(0.1f);
  EXPECT_FALSE(map_->HasArrived());
  board_->GetExplorer()->PlaceAt(1, 2);
  EXPECT_TRUE(map_->IsExplorerAtTarget());
  map_->Tick(0.1f);
  EXPECT_TRUE(map_->HasArrived());
}

TEST_F(GoalMapTest, TheFloorIsDrawnAHundredQuadsAtATime) {
  block_testing::TestWell big;
  uint8_t colours[QORWell::kColorCount] = {};
  colours[well::kColorRed] = 1;
  big.Setup(30, 30, colours);
  for (int32_t x = 0; x < 30; ++x)
    for (int32_t y = 0; y < 30; ++y) big.GetTile(x, y)->type = kTileSand;
  big.OnLevelStart();
  QORGoalMap* map = big.GetGoalMap();
  ASSERT_NE(map, nullptr);
  map->SetOpen(true);
  graphics_.calls.clear();
  map->Draw();
  size_t full = 0, floorVertices = 0;
  for (const RecordingGraphics::Call& call : graphics_.calls) {
    if (call.kind != RecordingGraphics::Call::kDraw) continue;
    EXPECT_LE(call.count, 600u);
    if (call.count == 600u) ++full;
    if (call.count > 6u || call.count == 600u) floorVertices += call.count;
  }
  EXPECT_EQ(full, 9u);
  EXPECT_EQ(floorVertices, 900u * 6u);
  // The floor's quads lie in the panel.
  for (const std::vector<Vertex2D>& draw : graphics_.drawn) {
    if (draw.size() <= 6u) continue;  // the icons
    for (const Vertex2D& vertex : draw) {
      EXPECT_GE(vertex.x, QORGoalMap::kPanelLeft * 800.0f - 1.0f);
      EXPECT_LE(vertex.x, QORGoalMap::kPanelRight * 800.0f + 1.0f);
      EXPECT_GE(vertex.y, QORGoalMap::kPanelTop * 600.0f - 1.0f);
      EXPECT_LE(vertex.y, QORGoalMap::kPanelBottom * 600.0f + 1.0f);
    }
  }
  // Shut, it draws nothing.
  map->SetOpen(false);
  graphics_.calls.clear();
  map->Draw();
  EXPECT_EQ(Draws(), 0u);
}

// Each icon is 16 x 16 pixels: the treasures and the entrance a mini-cell
// up and left of their cell, the exit's tomb one more up, the explorer and
// the rival two up and left.
TEST_F(GoalMapTest, IconsStandUpAndLeftOfTheirCellsBySteps) {
  for (const char* icon : {"Explorer_Idle", "Shady_walk_right", "target_icon", "Selected_Goal"}) {
    ASSERT_TRUE(ui::GetSpriteSet()->AddSprite(icon, std::string(icon) + "_64x64.png", 1, 1.0f, 0, 0, false, false,
                                              0, 0));
  }
  ASSERT_NE(Put("qor_entrance", "none", 0, 5, 2, 2), nullptr);
  ASSERT_NE(Put("qor_milestone[1]", "none", 3, 1), nullptr);
  ASSERT_NE(Put("qor_exit", "none", 5, 2, 2, 2), nullptr);
  board_->SetShadyLevel(true);
  Start();
  ASSERT_NE(board_->GetShady(), nullptr);
  ASSERT_EQ(board_->GetExplorer()->GetCell(), (well::Cell{1, 6}));
  graphics_.calls.clear();
  graphics_.drawn.clear();
  map_->Draw();

  const struct {
    const char* image;
    well::Cell cell;
    float left, up;  // in mini-cells
  } cases[] = {
      {"subgoal_token_45x45.png", {3, 1}, 1.0f, 1.0f},
      {"Tomb_Closed_45x45.png", {5, 3}, 1.0f, 2.0f},
      {"Tomb_Opened_45x45.png", {0, 5}, 1.0f, 1.0f},
      {"Explorer_Idle_64x64.png", {1, 6}, 2.0f, 2.0f},
      {"Shady_walk_right_64x64.png", {0, 0}, 2.0f, 2.0f},
  };
  const math::Vec2 origin = map_->GetOrigin();
  for (const auto& c : cases) {
    const std::vector<math::Vec2> corners = CornersDrawnWith(graphics_, graphics_.TextureOf(c.image));
    ASSERT_EQ(corners.size(), 1u) << c.image;
    const float x = origin.x + (static_cast<float>(c.cell.x) - c.left) * QORGoalMap::kMiniCellWidth;
    const float y = origin.y + (static_cast<float>(c.cell.y) - c.up) * QORGoalMap::kMiniCellHeight;
    EXPECT_NEAR(corners[0].x, x * 800.0f, 1.0f) << c.image;
    EXPECT_NEAR(corners[0].y, y * 600.0f, 1.0f) << c.image;
  }
}

}  // namespace
