#include "well/decoration.h"

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"

namespace {

using board_testing::StubWell;

// A board of 0.1 x 0.1 cells, decorations whose images are 80 x 30 pixels
// (0.1 x 0.05 of the screen).
class DecorationTest : public ::testing::Test {
 protected:
  void SetUp() override { board_.CreateCells(4, 4); }
  void TearDown() override { ui::GetSpriteSet()->Clear(); }
  well::Decoration* Add(const std::string& image, int32_t x, int32_t y, int32_t layer, int32_t rotation = 0) {
    board_.AddDecoration(image, x, y, 0, 0, {0.0f, 0.0f}, layer, rotation);
    for (well::Decoration* decoration : board_.GetDecorations()) {
      if (decoration->GetImageName() == image) return decoration;
    }
    return nullptr;
  }
  RecordingGraphics graphics_;
  StubWell board_;
};

TEST_F(DecorationTest, HitTestsIncludeTheEdgesAndTurnWithAQuarterTurn) {
  well::Decoration* flat = Add("flat_80x30.png", 1, 1, 3);
  EXPECT_FLOAT_EQ(flat->GetSize().x, 0.1f);
  EXPECT_FLOAT_EQ(flat->GetSize().y, 0.05f);
  const struct {
    int32_t rotation;
    math::Vec2 point;
    bool hit;
  } cases[] = {
      {0, {0.1f, 0.1f}, true},     {0, {0.2f, 0.15f}, true},  {0, {0.15f, 0.17f}, false},
      {0, {0.09f, 0.12f}, false},  {1, {0.12f, 0.19f}, true}, {1, {0.17f, 0.12f}, false},
      {3, {0.12f, 0.19f}, true},   {2, {0.17f, 0.12f}, true}, {2, {0.12f, 0.19f}, false},
  };
  for (const auto& c : cases) {
    flat->SetRotation(c.rotation);
    EXPECT_EQ(flat->HitTest(c.point), c.hit) << c.rotation << " " << c.point.x << "," << c.point.y;
  }
}

TEST_F(DecorationTest, QuarterTurnsWrapAndNegativeLayersBecomeZero) {
  const struct {
    int32_t given, kept;
  } turns[] = {{0, 0}, {3, 3}, {4, 0}, {5, 1}, {-1, 3}, {-6, 2}, {INT32_MIN, 0}, {INT32_MAX, 3}};
  for (const auto& t : turns) {
    well::Decoration decoration(&board_);
    decoration.SetRotation(t.given);
    EXPECT_EQ(decoration.GetRotation(), t.kept) << t.given;
  }
  EXPECT_EQ(Add("under.png", 0, 0, -4)->GetLayer(), 0);
}

TEST_F(DecorationTest, TheListKeepsTheHighestLayerFirstAndEqualLayersInTheirOrder) {
  Add("a.png", 0, 0, 0);
  Add("b.png", 0, 0, 4);
  Add("c.png", 0, 0, 0);
  Add("d.png", 0, 0, 2);
  Add("e.png", 0, 0, 4);
  std::string order;
  for (const well::Decoration* decoration : board_.GetDecorations()) order += decoration->GetImageName()[0];
  EXPECT_EQ(order, "bedac");
}

TEST_F(DecorationTest, TakingPicksTheLastDecorationUnderThePointAndHandsItOver) {
  Add("top_80x60.png", 1, 1, 3);
  Add("low_80x60.png", 1, 1, 0);  // later in the list, drawn on top
  Add("other_80x60.png", 3, 3, 1);
  std::unique_ptr<well::Decoration> taken(board_.TakeDecorationAt({0.15f, 0.15f}));
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->GetImageName(), "low_80x60.png");
  ASSERT_EQ(board_.GetDecorations().size(), 2u);
  EXPECT_EQ(board_.GetDecorations()[0]->GetImageName(), "top_80x60.png");
  EXPECT_EQ(board_.GetDecorations()[1]->GetImageName(), "other_80x60.png");
  EXPECT_EQ(board_.TakeDecorationAt({0.05f, 0.05f}), nullptr);
  EXPECT_TRUE(board_.DeleteDecoration({0.15f, 0.15f}));
  EXPECT_FALSE(board_.DeleteDecoration({0.15f, 0.15f}));
  EXPECT_EQ(board_.GetDecorations().size(), 1u);
}

TEST_F(DecorationTest, ADraggedDecorationKeepsItsPlaceOnScreenAndTakesTheCellUnderIt) {
  board_.CreateCells(4, 4, 2, 2);
  well::Decoration* decoration = Add("drag_80x60.png", 0, 0, 3);
  board_.SetScroll({0.1f, 0.0f});
  decoration->SetScreenPosition({0.27f, 0.13f});
  EXPECT_EQ(decoration->GetCell(), (well::Cell{3, 1}));
  EXPECT_NEAR(decoration->GetOffset().x, 0.07f, 1e-6f);
  EXPECT_NEAR(decoration->GetScreenPosition().x, 0.27f, 1e-6f);
  EXPECT_NEAR(decoration->GetScreenPosition().y, 0.13f, 1e-6f);
}

TEST_F(DecorationTest, DrawingUsesTheRotationAsTheSpritesOrientation) {
  well::Decoration* decoration = Add("turned_80x60.png", 1, 0, 3, 1);
  decoration->SetTint(0x80FFFFFFu);
  graphics_.drawn.clear();
  board_.DrawDecorations(false, false, false);
  ASSERT_EQ(graphics_.drawn.size(), 1u);
  EXPECT_EQ(decoration->GetSprite().orientation, 1u);
  EXPECT_EQ(decoration->GetSprite().colour, 0x80FFFFFFu);
  // Back decorations are left out of the front group.
  board_.DrawDecorations(false, false, true);
  EXPECT_EQ(graphics_.drawn.size(), 1u);
}

TEST_F(DecorationTest, TickingReportsTheEndOfEachAnimationCycle) {
  struct Counting : well::Decoration {
    using Decoration::Decoration;
    void OnAnimationEnd() override { ++ends; }
    int ends = 0;
  };
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("flame", "flame_128x32.png", 4, 0.1f, 0, 0, false, false, 0, 0));
  Counting decoration(&board_);
  decoration.SetImage("flame");
  EXPECT_FALSE(decoration.Tick(0.3f));
  EXPECT_TRUE(decoration.Tick(0.2f));
  EXPECT_EQ(decoration.ends, 1);
  Counting still(&board_);
  still.SetImage("still_80x60.png");
  EXPECT_TRUE(still.Tick(0.01f));  // a plain texture ends every tick
  EXPECT_EQ(still.ends, 1);
}

}  // namespace
