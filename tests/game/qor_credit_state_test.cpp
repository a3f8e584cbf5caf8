// The credits in the running game: the lines read once, their colours, and
// the slots that take them in turn as they scroll.
#include "game/qor_credit_state.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "game/game_test_support.h"
#include "log_capture.h"
#include "render/device/graphics.h"
#include "temp_folder.h"
#include "ui/widgets/ui_widget.h"

namespace {

class CreditStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
  }
  void TearDown() override {
    if (state_ && state_->IsActive()) state_->OnExit();
  }

  // Made with credits of the text (no file without text).
  void Make(const std::string* text) {
    const std::string file = (folder_.Path() / "credits.lua").string();
    if (text) std::ofstream(file) << *text;
    state_ = std::make_unique<QORCreditState>(app_->GetCamera(), file);
  }
  std::string Text(int slot) const { return state_->GetSlot(slot).widget->GetText(); }
  uint32_t Colour(int slot) const { return state_->GetSlot(slot).widget->GetTextBlock().colour; }

  game_test::HeadlessGame* app_ = nullptr;
  TempFolder folder_;
  std::unique_ptr<QORCreditState> state_;
};

TEST_F(CreditStateTest, AFewLinesCycleOverTheSlotsInOrderWithHeadingsHighlighted) {
  const std::string text = "CREDITS = { 'Sand', '*Stone', 'Sun', Note = 'not a line' }";
  Make(&text);
  ASSERT_EQ(state_->GetLines().size(), 3u);
  ASSERT_TRUE(state_->OnEnter());
  const char* const expected[] = {"Sand", "Stone", "Sun"};
  for (int slot = 0; slot < QORCreditState::kSlotCount; ++slot) {
    ASSERT_NE(state_->GetSlot(slot).widget, nullptr) << slot;
    EXPECT_EQ(Text(slot), expected[slot % 3]) << slot;
    EXPECT_EQ(Colour(slot), slot % 3 == 1 ? PackARGB(1.0f, 1.0f, 0.5f, 1.0f) : 0xFFFFFFFFu) << slot;
  }
  // Slot 0 starts over at once with the next line, at the bottom; the others
  // stand spread up the screen.
  state_->Tick(0.01f);
  EXPECT_EQ(Text(0), "Sun");
  EXPECT_NEAR(state_->GetSlot(0).widget->GetPosition().y, 1.0f, 0.01f);
  EXPECT_NEAR(state_->GetSlot(16).widget->GetPosition().y, 1.0f - 1.1f / 17.0f, 0.01f);

  // Left and entered again, the lines start from the first.
  state_->OnExit();
  EXPECT_EQ(state_->GetNextLine(), 0);
  ASSERT_TRUE(state_->OnEnter());
  EXPECT_EQ(Text(0), "Sand");
  EXPECT_EQ(Text(4), "Stone");
}

TEST_F(CreditStateTest, AMissingFileIsReportedAndNothingScrolls) {
  LogCapture log;
  Make(nullptr);
  EXPECT_TRUE(LogCapture::Has("> Unable to load Credits !  [MSG_ERROR]")) << LogCapture::Text();
  EXPECT_TRUE(state_->GetLines().empty());
  ASSERT_TRUE(state_->OnEnter());
  const std::string before = Text(3);
  state_->Tick(8.0f);
  EXPECT_EQ(Text(3), before);
}

TEST_F(CreditStateTest, TheGamesOwnCreditsAreReadOnce) {
  LogCapture log;
  state_ = std::make_unique<QORCreditState>(app_->GetCamera());
  EXPECT_GT(state_->GetLines().size(), 17u);
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();
  EXPECT_TRUE(state_->GetLines().front().highlighted);
}

}  // namespace
