#include "board/walkers/qor_walker.h"

#include <gtest/gtest.h>

#include <vector>

#include "board/walkers/qor_nests.h"
#include "walker_board_fixture.h"

namespace {

using walker_testing::WalkerBoardTest;

// A walker that records what it sees when it thinks and then steps to the
// cell the test names.
class ProbeWalker : public QORWalker {
 public:
  ProbeWalker(QORWell* board, QORNest* nest) : QORWalker(board, nest) {}
  void Think() override {
    ++thinks;
    seenCell = cell_;
    seenTarget = target_;
    Arrive();
    target_ = next;
  }
  void SetTarget(int32_t x, int32_t y) { target_ = well::Cell{x, y}; }
  void Show(const std::string& name) { ShowImage(name); }
  void SetSpriteSize(const math::Vec2& size) { sprite_.size = size; }

  int thinks = 0;
  well::Cell seenCell, seenTarget, next;
};

TEST_F(WalkerBoardTest, ThreeTicksOfAFifthOfItsPeriodThinkOnceOnTheThirdAndStepOnAtOnce) {
  ProbeWalker walker(board_.get(), nullptr);
  walker.PlaceAt(2, 3);
  walker.SetTarget(3, 3);
  walker.next = well::Cell{4, 3};
  walker.Tick(0.4f);
  walker.Tick(0.4f);
  EXPECT_EQ(walker.thinks, 0);
  walker.Tick(0.4f);
  EXPECT_EQ(walker.thinks, 1);
  // While it thinks it still stands on the cell it left, the cell reached its target.
  EXPECT_EQ(walker.seenCell, (well::Cell{2, 3}));
  EXPECT_EQ(walker.seenTarget, (well::Cell{3, 3}));
  EXPECT_EQ(walker.GetCell(), (well::Cell{3, 3}));
  EXPECT_EQ(walker.GetTargetCell(), (well::Cell{4, 3}));
  EXPECT_FLOAT_EQ(walker.GetStepTimer().remaining, 1.0f);
}

TEST_F(WalkerBoardTest, HalfWayThroughAStepItStandsHalfWayBetweenTheCells) {
  ProbeWalker walker(board_.get(), nullptr);
  walker.PlaceAt(2, 3);
  walker.SetTarget(3, 3);
  walker.GetStepTimer().remaining = 0.5f;
  const math::Vec2 from = board_->CellToScreen(2, 3), to = board_->CellToScreen(3, 3);
  EXPECT_FLOAT_EQ(walker.GetScreenPosition().x, (from.x + to.x) * 0.5f);
  EXPECT_FLOAT_EQ(walker.GetScreenPosition().y, from.y);
  // Once the timer has run out it stands on its own cell.
  walker.GetStepTimer().remaining = -0.1f;
  EXPECT_FLOAT_EQ(walker.GetScreenPosition().x, from.x);
  // Without a board, at the origin.
  ProbeWalker lost(nullptr, nullptr);
  EXPECT_FLOAT_EQ(lost.GetScreenPosition().x, 0.0f);
}

TEST_F(WalkerBoardTest, ItsSpriteStandsCentredOnTheCellsBottomAndTakesItsAlpha) {
  board_->Create(kSide, kSide, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), math::Vec2(0.05f, 0.05f));
  ProbeWalker walker(board_.get(), nullptr);
  walker.PlaceAt(2, 3);
  walker.SetSpriteSize(math::Vec2(0.04f, 0.03f));
  const math::Vec2 cell = board_->CellToScreen(2, 3);
  EXPECT_NEAR(walker.GetSpritePosition().x, cell.x + 0.005f, 1e-6f);
  EXPECT_NEAR(walker.GetSpritePosition().y + 0.03f, cell.y + 0.05f, 1e-6f);

  walker.Show("cobra_idle");
  walker.SetAlpha(0.5f);
  walker.Draw();
  EXPECT_EQ(walker.GetSprite().colour, 0x7FFFFFFFu);
  ASSERT_FALSE(graphics_.drawn.empty());
  EXPECT_EQ(graphics_.drawn.back()[0].diffuse, 0x7FFFFFFFu);
}

// A nest that records the walkers said to have left it.
class ProbeNest : public QORNest {
 public:
  explicit ProbeNest(QORWell* board) : QORNest(board, 13, "spider_nest") {}
  void SpawnObject() override {}
  void ForgetWalker(QORWalker* walker) override {
    forgotten.push_back(walker);
    QORNest::ForgetWalker(walker);
  }
  std::vector<QORWalker*> forgotten;
};

TEST_F(WalkerBoardTest, OnlyAWalkerFromANestTellsItWhenItLeaves) {
  ProbeNest nest(board_.get());
  // No nest: nobody to tell, and nothing breaks.
  ProbeWalker loner(board_.get(), nullptr);
  loner.OnRemoved();
  EXPECT_EQ(loner.GetNest(), nullptr);
  ProbeWalker child(board_.get(), &nest);
  child.OnRemoved();
  EXPECT_EQ(nest.forgotten, std::vector<QORWalker*>{&child});
  EXPECT_EQ(child.GetNest(), nullptr);
  // Told once: a second removal finds no nest.
  child.OnRemoved();
  EXPECT_EQ(nest.forgotten.size(), 1u);
}

}  // namespace
