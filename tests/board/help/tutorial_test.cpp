#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board/game_board_support.h"
#include "board/game_variables.h"
#include "board/help/qor_area_hint_step.h"
#include "board/help/qor_block_hint_step.h"
#include "board/help/qor_game_help.h"
#include "board/help/qor_right_click_step.h"
#include "board/help/qor_screen_hint_step.h"
#include "board/help/qor_wait_step.h"
#include "board/hud/qor_well_ui.h"
#include "board/hud_test_support.h"
#include "log_capture.h"
#include "well/help/hand_hold.h"
#include "well/help/hand_hold_step.h"
#include "well/help/help_panel.h"
#include "well/help/well_dynamic_help.h"

namespace {

using well::HandHoldStep;
using well::HelpPanel;

constexpr uint32_t kLeft = HandHoldStep::kLeftButton;
constexpr uint32_t kRight = HandHoldStep::kRightButton;
const math::Vec2 kInset(QORHintStep::kInsetX, QORHintStep::kInsetY);

// A board whose tutorial and interface the test ticks by themselves: the
// stub blocks would fall through a board without floor.
class TutorialWell : public board_testing::TestWell {
 public:
  using QORWell::TickHud;
  using QORWell::TickTutorial;
  using well::BaseWell::SetScrollVector;
};

void ExpectAt(const math::Vec2& actual, const math::Vec2& expected, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6f) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-6f) << what;
}

class TutorialTest : public hud_testing::HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    board_ = std::make_unique<TutorialWell>();
    uint8_t flags[QORWell::kColorCount] = {};
    board_->Setup(40, 50, flags);
    board_->InitUI();
    // After the profile's application, which sets the log up anew.
    log_ = std::make_unique<LogCapture>();
  }
  void TearDown() override {
    board_.reset();
    log_.reset();
    HelpTest::TearDown();
  }

  // The board's interface and tutorial for that long, a twentieth at a time.
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += 0.05f) {
      board_->TickHud(0.05f);
      board_->TickTutorial(0.05f);
    }
  }
  HelpPanel* Box() { return board_->GetHelp()->GetPanel(); }
  bool HintOpen() { return board_->GetHelp()->IsHintOpen(); }
  std::string ShownText() { return Box() && HintOpen() ? Box()->GetTextId() : ""; }
  bool IconShown() { return board_->GetHelp()->GetDynamicPanel()->GetIcon().HasImage(); }
  math::Vec2 CentreOf(const well::Block* block) {
    return block->GetScreenPosition() + block->GetDrawSize() * 0.5f;
  }
  // Lets the current step take the click as the board would.
  bool Click(const math::Vec2& point, uint32_t button) {
    HandHoldStep* step = board_->GetHandHold() ? board_->GetHandHold()->GetCurrentStep() : nullptr;
    return step && step->AcceptClick(point, button);
  }

  std::unique_ptr<LogCapture> log_;
  std::unique_ptr<TutorialWell> board_;
};

TEST_F(TutorialTest, StepsTakeOnlyTheClicksTheyAskFor) {
  board_testing::StubBlock* block = board_->Put("token", 2, 3);
  const math::Vec2 inside = CentreOf(block), outside(0.9f, 0.05f);
  const math::Vec2 map(0.9f, 0.9f);
  SetInt(50, 1);
  SetInt(52, 1);
  well::HandHold hold(board_.get());
  QORWaitStep wait(&hold, 1.0f);
  QORScreenHintStep screen(50, &hold, board_.get());
  QORBlockHintStep onBlock(45, &hold, board_.get(), block);
  QORRightClickStep rightClick(&hold, board_.get(), block);
  QORAreaHintStep area(board_.get(), &hold, 47, block);
  EXPECT_EQ(GetInt(50), 0) << "a hint step shows its hint again";
  EXPECT_EQ(GetInt(52), 0);
  onBlock.Begin();
  rightClick.Begin();

  const struct {
    const char* what;
    HandHoldStep* step;
    math::Vec2 point;
    uint32_t button;
    bool accepted;
  } cases[] = {
      {"a wait, on the block", &wait, inside, kLeft, false},
      {"the map hint, right button", &screen, map, kRight, false},
      {"the map hint, off the map", &screen, inside, kLeft, false},
      {"the block hint, off the block", &onBlock, outside, kLeft, false},
      {"the block hint, right button", &onBlock, inside, kRight, false},
      {"the right-click hint, left button", &rightClick, inside, kLeft, false},
      {"the right-click hint, off the block", &rightClick, outside, kRight, false},
      {"the area hint, anywhere", &area, outside, kRight, true},
      {"the map hint, on the map", &screen, map, kLeft, true},
      {"the block hint, on the block", &onBlock, inside, kLeft, true},
      {"the right-click hint, on the block", &rightClick, inside, kRight, true},
  };
  for (const auto& c : cases) {
    const bool wasDone = c.step->IsDone();
    EXPECT_EQ(c.step->AcceptClick(c.point, c.button), c.accepted) << c.what;
    EXPECT_EQ(c.step->IsDone(), wasDone || c.accepted) << c.what;
  }
  EXPECT_FALSE(wait.IsDone());
  wait.Tick(0.6f);
  EXPECT_FALSE(wait.IsDone());
  wait.Tick(0.5f);
  EXPECT_TRUE(wait.IsDone());
}

TEST_F(TutorialTest, HintStepsPointAtTheirRectangles) {
  board_testing::StubBlock* a = board_->Put("token", 4, 5);
  board_testing::StubBlock* b = board_->Put("token", 7, 5);
  well::HandHold hold(board_.get());
  // Before its Begin the right-click step keeps the goal map's corner.
  QORRightClickStep rightClick(&hold, board_.get(), a);
  EXPECT_TRUE(rightClick.AcceptClick({0.93f, 0.9f}, kRight));
  EXPECT_EQ(QORScreenHintStep(50, &hold, board_.get()).GetRectMin().x, 0.825f);

  QORBlockHintStep onBlock(45, &hold, board_.get(), a);
  EXPECT_EQ(onBlock.GetRectMax().x, 1.0f);
  onBlock.Begin();
  ExpectAt(onBlock.GetRectMin(), a->GetScreenPosition() + kInset, "the block's corner less the inset");
  ExpectAt(onBlock.GetRectMax(), a->GetScreenPosition() + a->GetDrawSize() - kInset, "its far corner");
  EXPECT_EQ(ShownText(), "HINT_CLICK_1");
  EXPECT_TRUE(IconShown()) << "the click hints show the left button";
  ExpectAt(Box()->GetRectMin(), onBlock.GetRectMin(), "the box points at the step's rectangle");
  onBlock.End();
  EXPECT_FALSE(HintOpen()) << "closed at once";

  // The area is fixed in board units; its Begin takes the view as it is then.
  QORAreaHintStep area(board_.get(), &hold, 47, a, b);
  const math::Vec2 scroll(0.1f, 0.075f);
  board_->SetScrollVector(scroll);
  area.Begin();
  EXPECT_EQ(ShownText(), "HINT_CLICK_3");
  EXPECT_FALSE(IconShown());
  EXPECT_NEAR(Box()->GetRectMin().x, area.GetAreaMin().x + kInset.x - scroll.x, 1e-6f);
  EXPECT_NEAR(Box()->GetRectMax().x, b->GetScreenPosition().x + scroll.x + 0.05625f - kInset.x - scroll.x, 1e-6f);
  EXPECT_NEAR(Box()->GetRectMax().y, area.GetAreaMin().y + 0.075f - kInset.y - scroll.y, 1e-6f);
}

TEST_F(TutorialTest, AStepWithoutItsBlockIsDoneAtItsBeginWithAWarning) {
  well::HandHold hold(board_.get());
  std::vector<std::unique_ptr<QORHintStep>> steps;
  steps.emplace_back(new QORBlockHintStep(45, &hold, board_.get(), nullptr));
  steps.emplace_back(new QORRightClickStep(&hold, board_.get(), nullptr));
  steps.emplace_back(new QORAreaHintStep(board_.get(), &hold, 47, nullptr, board_->Put("token", 1, 1)));
  steps.emplace_back(new QORAreaHintStep(board_.get(), &hold, 53, nullptr));
  for (auto& step : steps) {
    LogCapture::Lines().clear();
    EXPECT_FALSE(step->IsDone());
    step->Begin();
    EXPECT_TRUE(step->IsDone()) << step->GetHintId();
    EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 1u) << step->GetHintId();
    EXPECT_FALSE(HintOpen()) << step->GetHintId();
  }
}

TEST_F(TutorialTest, TheFirstLevelLaysOutASwapAndLeadsThroughIt) {
  std::vector<board_testing::StubBlock*> row;
  for (int32_t x = 29; x <= 32; ++x) row.push_back(board_->Put("token", x, 31));
  board_->SetLevelIndex(0);
  board_->UpdateTutorial();
  ASSERT_NE(board_->GetHandHold(), nullptr);
  EXPECT_EQ(board_->GetHandHold()->GetStepCount(), 5u);
  EXPECT_FALSE(board_->GetHud()->IsTutorialDone()) << "no power while the tutorial runs";
  const int32_t colours[] = {9, 9, 11, 9};
  for (size_t i = 0; i < row.size(); ++i) EXPECT_EQ(row[i]->GetColor(), colours[i]) << i;

  Run(1.45f);
  EXPECT_FALSE(HintOpen());
  EXPECT_FALSE(Click(CentreOf(row[2]), kLeft)) << "held back while waiting";
  Run(0.1f);
  EXPECT_EQ(ShownText(), "HINT_CLICK_1");
  EXPECT_FALSE(Click(CentreOf(row[3]), kLeft));
  EXPECT_TRUE(Click(CentreOf(row[2]), kLeft));
  Run(0.05f);
  EXPECT_EQ(ShownText(), "HINT_CLICK_2");
  EXPECT_TRUE(Click(CentreOf(row[3]), kLeft));
  Run(0.05f);
  EXPECT_FALSE(HintOpen());
  // A step that follows another begins in the tick that ended it.
  Run(2.1f);
  EXPECT_EQ(ShownText(), "HINT_CLICK_3");
  ExpectAt(Box()->GetRectMin(), row[0]->GetScreenPosition() + kInset, "over the row");
  EXPECT_TRUE(Click({0.5f, 0.5f}, kRight));
  Run(0.05f);
  EXPECT_EQ(board_->GetHandHold(), nullptr) << "deleted once done";
  EXPECT_TRUE(board_->GetHud()->IsTutorialDone());
  EXPECT_FALSE(HintOpen());
}

TEST_F(TutorialTest, TheSecondLevelTeachesTheRightClickAndTheMap) {
  board_testing::StubBlock* block = board_->Put("token", 23, 44);
  board_->SetLevelIndex(1);
  board_->UpdateTutorial();
  ASSERT_NE(board_->GetHandHold(), nullptr);
  EXPECT_EQ(board_->GetHandHold()->GetStepCount(), 8u);
  // The interface made after the tutorial keeps it and holds the powers back.
  board_->InitUI();
  ASSERT_NE(board_->GetHandHold(), nullptr);
  EXPECT_FALSE(board_->GetHud()->IsTutorialDone());
  Run(1.55f);
  EXPECT_EQ(ShownText(), "HINT_RIGHT_CLICK_1");
  EXPECT_TRUE(IconShown());
  EXPECT_FALSE(Click(CentreOf(block), kLeft));
  EXPECT_TRUE(Click(CentreOf(block), kRight));
  Run(4.6f);
  EXPECT_EQ(ShownText(), "HINT_RIGHT_CLICK_2");
  EXPECT_TRUE(Click({0.1f, 0.1f}, kLeft));
  Run(1.6f);
  EXPECT_EQ(ShownText(), "HINT_MAP_1");
  ExpectAt(Box()->GetRectMin(), {0.825f, 0.85f}, "over the goal map");
  EXPECT_TRUE(Click({0.9f, 0.9f}, kLeft));
  Run(1.1f);
  EXPECT_EQ(ShownText(), "HINT_MAP_2");
  EXPECT_TRUE(Click({0.9f, 0.9f}, kLeft));
  Run(0.05f);
  EXPECT_EQ(board_->GetHandHold(), nullptr);
}

TEST_F(TutorialTest, NoTutorialWithHintsOffOrOnOtherLevelsAndAGoneBlockIsNeverTouched) {
  board_->SetLevelIndex(0);
  SetInt(game_var::kHintsEnabled, 0);
  board_->UpdateTutorial();
  EXPECT_EQ(board_->GetHandHold(), nullptr);
  SetInt(game_var::kHintsEnabled, 1);
  board_->SetLevelIndex(2);
  board_->UpdateTutorial();
  EXPECT_EQ(board_->GetHandHold(), nullptr);

  // Without the row's blocks: warnings, and the steps that need them end at once.
  board_->SetLevelIndex(0);
  LogCapture::Lines().clear();
  board_->UpdateTutorial();
  EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 4u);
  // Built again, the tutorial starts afresh.
  board_->UpdateTutorial();
  ASSERT_NE(board_->GetHandHold(), nullptr);
  EXPECT_EQ(board_->GetHandHold()->GetStepCount(), 5u);
  Run(5.0f);
  EXPECT_EQ(board_->GetHandHold(), nullptr);
  EXPECT_FALSE(HintOpen());
}

// A hint that finds the box taken waits its turn: the profile counts it as
// met at once, and it opens, laid out with its own icon, once the box before
// it is dismissed.
TEST_F(TutorialTest, AHintQueuedBehindAnotherOpensInItsTurnWithItsOwnIcon) {
  board_testing::FrameClock clock(50.0f);
  EXPECT_TRUE(board_->TriggerHint(kHintFirst2ClickTile, {0.2f, 0.4f}, {0.3f, 0.5f}));
  // Over the top edge: the box goes below the rectangle, past half its icon.
  EXPECT_TRUE(board_->TriggerHint(kHintClick1, {0.2f, 0.0f}, {0.3f, 0.05f}));
  EXPECT_EQ(GetInt(kHintClick1), 1) << "met at once";
  EXPECT_EQ(ShownText(), "HINT_FIRST_2_CLICK_TILE");
  EXPECT_FALSE(IconShown()) << "the waiting hint's icon waits with it";

  Run(1.0f);
  clock.Set(51.5f);
  board_->GetHelp()->Dismiss();
  EXPECT_EQ(ShownText(), "HINT_CLICK_1");
  ASSERT_TRUE(IconShown());
  const float iconHeight = board_->GetHelp()->GetDynamicPanel()->GetIcon().size.y;
  ASSERT_GT(iconHeight, 0.0f);
  EXPECT_NEAR(Box()->GetBoxPosition().y, 0.05f + iconHeight * 0.5f + 0.05f, 1e-5f);
}

TEST_F(TutorialTest, ATutorialHintQueuedBehindAnotherShowsItsTextInItsTurn) {
  board_testing::FrameClock clock(20.0f);
  for (int32_t x = 29; x <= 32; ++x) board_->Put("token", x, 31);
  board_->SetLevelIndex(0);
  board_->UpdateTutorial();
  ASSERT_TRUE(board_->TriggerHint(kHintFirstScorpion, {0.2f, 0.2f}, {0.3f, 0.3f}));
  Run(1.55f);
  EXPECT_EQ(ShownText(), "HINT_FIRST_SCORPION") << "the step's hint waits";
  clock.Set(21.5f);
  board_->GetHelp()->Dismiss();
  EXPECT_EQ(ShownText(), "HINT_CLICK_1");
}

TEST_F(TutorialTest, TheGameHelpShowsEachKnownHintOnceWhileHintsAreOn) {
  QORGameHelp* help = board_->GetHelp();
  const struct {
    int32_t id;
    const char* name;
  } names[] = {{44, "HINT_UNKNOWN"}, {45, "HINT_CLICK_1"}, {62, "HINT_FIRST_ROCK"}, {73, "HINT_SHADY_ATTACK"},
               {74, "HINT_SPECIAL_1"}, {82, "HINT_SPECIAL_9"}, {83, "HARD_LEVEL_HINT"}, {84, "HINT_UNKNOWN"},
               {-5, "HINT_UNKNOWN"}, {300, "HINT_UNKNOWN"}};
  for (const auto& c : names) EXPECT_EQ(help->GetHintTextId(c.id), c.name) << c.id;
  // Ids outside the table are never showable, and marking them touches nothing.
  for (int32_t id : {-1, 43, 85, 1000}) {
    EXPECT_FALSE(help->CanShow(id)) << id;
    help->MarkShownHere(id);
    EXPECT_FALSE(help->WasShownHere(id)) << id;
  }
  EXPECT_TRUE(help->CanShow(60));
  EXPECT_TRUE(board_->TriggerHint(60, {0.2f, 0.2f}, {0.3f, 0.3f}));
  EXPECT_EQ(GetInt(60), 1);
  EXPECT_FALSE(help->CanShow(60));
  SetInt(60, 0);
  EXPECT_FALSE(board_->TriggerHint(60, {0.2f, 0.2f}, {0.3f, 0.3f})) << "once per board";
  // Hints off: nothing shows, but the hint counts as met.
  SetInt(game_var::kHintsEnabled, 0);
  EXPECT_FALSE(help->CanShow(61));
  EXPECT_FALSE(board_->TriggerHint(61, {0.2f, 0.2f}, {0.3f, 0.3f}));
  EXPECT_EQ(GetInt(61), 1);
}

}  // namespace
