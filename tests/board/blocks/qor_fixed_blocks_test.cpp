// Tombs, bottles, milestones and start blocks on a game board.
#include "board/blocks/qor_fixed_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "block_board_fixture.h"
#include "render/sprites/quad_builders.h"
#include "render/sprites/sprite_batch.h"

namespace {

using block_testing::BlockBoardTest;

using QORTombTest = BlockBoardTest;

TEST_F(QORTombTest, TombsAreTwoByTwoWhateverTheyAreAskedAndStandFirm) {
  auto* exit = Put<QORExitBlock>("qor_exit", "red", 0, 0, 2, 2);
  auto* entrance = Put<QOREntranceBlock>("qor_entrance", "blue", 4, 0, 2, 2);
  ASSERT_NE(exit, nullptr);
  ASSERT_NE(entrance, nullptr);
  for (QORBlock* tomb : {static_cast<QORBlock*>(exit), static_cast<QORBlock*>(entrance)}) {
    tomb->SetSize(1, 3);
    EXPECT_EQ(tomb->GetWidth(), 2);
    EXPECT_EQ(tomb->GetHeight(), 2);
    tomb->SetDestroyed();
    tomb->FallTest();
    EXPECT_EQ(tomb->GetState(), well::kStateStand);
    EXPECT_FALSE(tomb->IsSliding());
  }
  EXPECT_EQ(entrance->GetColor(), well::kColorBlue) << "the level's colour";
  EXPECT_EQ(board_->GetBlock(1, 1), exit) << "found from each of its cells";
}

TEST_F(QORTombTest, AClosedExitStaysClosedAndAnOpenedOneStaysOpen) {
  auto* exit = Put<QORExitBlock>("qor_exit", "red", 2, 2, 2, 2);
  EXPECT_EQ(ImageOf(exit), "Tomb_Closed");
  for (int i = 0; i < 100; ++i) exit->Tick(0.05f);
  EXPECT_EQ(ImageOf(exit), "Tomb_Closed");

  exit->Open();
  EXPECT_TRUE(exit->IsOpened());
  EXPECT_EQ(ImageOf(exit), "Tomb_Opening");
  exit->Tick(0.25f);
  EXPECT_EQ(ImageOf(exit), "Tomb_Opening");
  exit->Tick(0.3f);  // past the six frames
  EXPECT_EQ(ImageOf(exit), "Tomb_Opened");
  exit->Open();
  for (int i = 0; i < 100; ++i) exit->Tick(0.05f);
  EXPECT_EQ(ImageOf(exit), "Tomb_Opened") << "it opens once";
}

TEST_F(QORTombTest, BesideARivalTheExitShowsTheTreasureAlsoWhenOpened) {
  board_->SetShadyLevel(true);
  auto* exit = Put<QORExitBlock>("qor_exit", "red", 2, 2, 2, 2);
  EXPECT_EQ(ImageOf(exit), "subgoal_token");
  exit->Open();
  exit->Tick(0.6f);
  EXPECT_EQ(ImageOf(exit), "subgoal_token");
}

TEST_F(QORTombTest, TheEntranceClosesUnderThePointerWithoutChangingItsState) {
  auto* entrance = Put<QOREntranceBlock>("qor_entrance", "red", 2, 2, 2, 2);
  EXPECT_EQ(ImageOf(entrance), "Tomb_Opened");
  entrance->SetSelected();
  EXPECT_EQ(ImageOf(entrance), "Tomb_Closing");
  EXPECT_EQ(entrance->GetState(), well::kStateStand);
  for (int i = 0; i < 40; ++i) entrance->Tick(0.05f);
  EXPECT_EQ(ImageOf(entrance), "Tomb_Closing") << "the door keeps closing";
}

using QORBottleTest = BlockBoardTest;

TEST_F(QORBottleTest, TheSixteenthFeedBreaksItAndGildsItsTile) {
  auto* bottle = Put<QORBottleneckBlock>("qor_bottleneck", "green", 3, 7);
  ASSERT_NE(bottle, nullptr);
  EXPECT_EQ(bottle->GetState(), QORBlock::kFixedState);
  EXPECT_EQ(bottle->GetColor(), well::kColorGreen);
  EXPECT_EQ(ImageOf(bottle), "img/token_emptybottle_green.png");
  EXPECT_EQ(bottle->GetFullSprite().GetName(), "img/token_fullbottle_green.png");
  // Neither the pointer, a state nor a power's destruction changes it.
  bottle->SetSelected();
  bottle->SetState(well::kStateStand);
  bottle->SetDestroyed();
  EXPECT_EQ(bottle->GetState(), QORBlock::kFixedState);

  for (int feed = 1; feed <= 15; ++feed) bottle->Feed(1);
  EXPECT_EQ(bottle->GetState(), QORBlock::kFixedState);
  EXPECT_EQ(board_->GetTile(3, 7)->type, kTileMetal);
  bottle->Feed(1);
  EXPECT_EQ(bottle->GetState(), well::kStateDestroyed);
  EXPECT_EQ(board_->GetTile(3, 7)->type, kTileGold);
  bottle->Feed(1);
  EXPECT_EQ(bottle->GetFill(), 16) << "a broken bottle takes no more";
}

TEST_F(QORBottleTest, TheFullPartRisesFromTheBottomAsItFills) {
  auto* bottle = Put<QORBottleneckBlock>("qor_bottleneck", "red", 2, 1);
  const math::Vec2 clipMin = board_->GetOrigin();
  const math::Vec2 clipMax = board_->GetOrigin() + board_->GetViewSize();
  const math::Vec2 at = board_->CellToScreen(2, 1);
  const math::Vec2 size = board_->GetCellSize();
  const float picture = 45.0f / 64.0f;
  int fed = 0;
  // Past full (broken) the full bottle covers it all.
  for (int fill : {0, 8, 15, 16}) {
    while (fed < fill) {
      bottle->Feed(1);
      ++fed;
    }
    ui::SpriteBatch batch, overlay;
    graphics_.drawn.clear();
    bottle->AddToBatchClipped(batch, overlay, clipMin, clipMax);
    batch.Flush(false);
    // The empty bottle from the top down to the fill's level, the full one below it.
    const float d = std::max(0.0f, 1.0f - static_cast<float>(fill) / 15.0f);
    Vertex2D empty[6], full[6];
    BuildOrientedQuad(empty, at, {size.x, d * size.y}, {0.0f, 0.0f}, {picture, d * picture}, 0xFFFFFFFFu, 0);
    BuildOrientedQuad(full, {at.x, at.y + d * size.y}, {size.x, size.y - d * size.y}, {0.0f, d * picture},
                      {picture, picture}, 0xFFFFFFFFu, 0);
    ASSERT_EQ(graphics_.drawn.size(), 2u) << fill;
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE("fill " + std::to_string(fill) + " vertex " + std::to_string(i));
      EXPECT_NEAR(graphics_.drawn[0][i].x, empty[i].x, 1e-3f);
      EXPECT_NEAR(graphics_.drawn[0][i].y, empty[i].y, 1e-3f);
      EXPECT_NEAR(graphics_.drawn[0][i].u, empty[i].u, 1e-6f);
      EXPECT_NEAR(graphics_.drawn[0][i].v, empty[i].v, 1e-6f);
      EXPECT_NEAR(graphics_.drawn[1][i].x, full[i].x, 1e-3f);
      EXPECT_NEAR(graphics_.drawn[1][i].y, full[i].y, 1e-3f);
      EXPECT_NEAR(graphics_.drawn[1][i].u, full[i].u, 1e-6f);
      EXPECT_NEAR(graphics_.drawn[1][i].v, full[i].v, 1e-6f);
    }
  }
}

TEST_F(QORBottleTest, DrawnAloneItShowsTheWholeEmptyBottle) {
  auto* bottle = Put<QORBottleneckBlock>("qor_bottleneck", "red", 2, 1);
  for (int feed = 0; feed < 8; ++feed) bottle->Feed(1);
  graphics_.drawn.clear();
  bottle->Draw(math::Vec2(0.25f, 0.25f));
  ASSERT_EQ(graphics_.drawn.size(), 1u);
  Vertex2D whole[6];
  const float picture = 45.0f / 64.0f;
  BuildOrientedQuad(whole, {0.25f, 0.25f}, board_->GetCellSize(), {0.0f, 0.0f}, {picture, picture}, 0xFFFFFFFFu, 0);
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(graphics_.drawn[0][i].y, whole[i].y, 1e-3f) << i;
    EXPECT_NEAR(graphics_.drawn[0][i].v, whole[i].v, 1e-6f) << i;
  }
}

using QORLandmarkTest = BlockBoardTest;

TEST_F(QORLandmarkTest, AMilestoneShowsTheTreasureUntilFoundAndHidesOnTheRaceBoard) {
  auto* milestone = Put<QORMilestoneBlock>("qor_milestone[7]", "red", 2, 2, 2, 2);
  ASSERT_NE(milestone, nullptr);
  EXPECT_EQ(milestone->GetIndex(), 7);
  EXPECT_EQ(milestone->GetColor(), well::kColorNone);
  EXPECT_EQ(ImageOf(milestone), "subgoal_token");
  milestone->Open();
  EXPECT_EQ(ImageOf(milestone), "subgoal");

  board_->race = true;
  milestone->Init();
  EXPECT_EQ(ImageOf(milestone), "milestone");
  graphics_.drawn.clear();
  milestone->Draw(math::Vec2(0.1f, 0.1f));
  milestone->DrawClipped(math::Vec2(0.1f, 0.1f), math::Vec2(), math::Vec2(1.0f, 1.0f));
  ui::SpriteBatch batch, overlay;
  milestone->AddToBatch(batch, overlay);
  milestone->AddToBatchClipped(batch, overlay, math::Vec2(), math::Vec2(1.0f, 1.0f));
  EXPECT_EQ(batch.GetCount(), 0u);
  EXPECT_TRUE(graphics_.drawn.empty());
}

TEST_F(QORLandmarkTest, TheStartBlockShowsItsImageAndKeepsNoColour) {
  QORBlock* start = Put("qor_startblock", "red", 0, 7);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(ImageOf(start), "startblock");
  EXPECT_EQ(start->GetColor(), well::kColorNone);
  EXPECT_EQ(start->GetWidth(), 1);
}

}  // namespace
