#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "board/game_board_support.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "board/hud/qor_power_flight.h"
#include "board/hud/qor_well_ui.h"
#include "board/hud_test_support.h"
#include "board/powers/qor_power.h"
#include "core/input/keyboard.h"
#include "log_capture.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"
#include "well/help/help_panel.h"

namespace {

static_assert(std::has_virtual_destructor_v<QORWellUI>, "derived HUDs are deleted through the base");

constexpr int32_t kCount1 = game_var::kFirstPowerCount;

// Records its clicks; acts as told.
class TestPower : public QORPower {
 public:
  TestPower(QORBoardView* board, int32_t number) : QORPower(board, number) {}
  bool OnClick(const math::Vec2&) override {
    ++clicks;
    return acts;
  }
  int clicks = 0;
  bool acts = true;
};

// A HUD whose powers the test puts in.
class TestHud : public QORWellUI {
 public:
  using QORWellUI::QORWellUI;
  TestPower* Give(int32_t index) {
    auto* power = new TestPower(board_, index + 1);
    powers_[index].reset(power);
    power->Init();
    return power;
  }
};

class HudWell : public board_testing::TestWell {
 public:
  using well::BaseWell::SetMoving;
};

// The game's own panels and number font, loaded in a scratch folder.
class HudTest : public hud_testing::HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    for (const char* file : {"ui/game_screen.ui", "ui/treasurefound.ui", "img/popup_number.lua"}) {
      std::filesystem::create_directories(std::filesystem::path(file).parent_path());
      std::filesystem::copy_file(std::string(VANTOR_SOURCE_DIR) + "/data/" + file, file);
    }
    board_ = std::make_unique<HudWell>();
    uint8_t flags[QORWell::kColorCount] = {};
    board_->Setup(20, 20, flags);
    board_->InitUI();
    hud_ = std::make_unique<TestHud>(board_.get());
    hud_->Init();
  }
  void TearDown() override {
    hud_.reset();
    board_.reset();
    HelpTest::TearDown();
  }

  // The colour the time is drawn in: the third of the numbers drawn.
  uint32_t TimeColourAt(int32_t seconds) {
    hud_->SetElapsedSeconds(seconds);
    graphics_.drawn.clear();
    hud_->Draw();
    EXPECT_EQ(graphics_.drawn.size(), 3u) << seconds;
    return graphics_.drawn.size() < 3 ? 0 : graphics_.drawn[2].front().diffuse;
  }

  LogCapture log_;
  std::unique_ptr<HudWell> board_;
  std::unique_ptr<TestHud> hud_;
};

TEST_F(HudTest, InitFindsTheWidgetsOfTheGamesPanels) {
  ASSERT_NE(hud_->GetPanel(), nullptr);
  EXPECT_TRUE(hud_->GetPanel()->IsVisible());
  ASSERT_NE(hud_->GetPopup(), nullptr);
  EXPECT_FALSE(hud_->GetPopup()->IsVisible());
  for (int32_t i = 0; i < QORWellUI::kPowerCount; ++i) {
    ASSERT_NE(hud_->GetButton(i), nullptr) << i;
    ASSERT_NE(hud_->GetCountWidget(i), nullptr) << i;
    // No power owned: greyed, inactive, no badge.
    EXPECT_FALSE(hud_->GetButton(i)->IsActive()) << i;
    EXPECT_EQ(hud_->GetButton(i)->GetColor(), 0xFF4C4C4Cu) << i;
    EXPECT_FALSE(hud_->GetCountWidget(i)->IsVisible()) << i;
    // The goal map's corner stays free.
    const math::Vec2 right = hud_->GetButton(i)->GetPosition() + hud_->GetButton(i)->GetSize();
    EXPECT_LT(right.x, 0.72875f) << i;
  }
  EXPECT_NEAR(hud_->GetButton(0)->GetPosition().x, 0.2325f, 1e-4f);
  EXPECT_NEAR(hud_->GetButton(0)->GetPosition().y, 0.8983f, 1e-3f);
  ui::UIWidget* panel = hud_->GetPanel();
  for (const char* name : {"ScoreBox", "TimeBox", "GoldBox", "INSTRUCTIONS"})
    ASSERT_NE(panel->GetWidgetByName(name), nullptr) << name;
  // A five-figure score stands on its plate at full size.
  EXPECT_LE(hud_->GetNumberFont().MeasureWidth(10850, true).x,
            panel->GetWidgetByName("ScoreBox")->GetSize().x * QORWellUI::kPlateFill);
  EXPECT_NE(panel->GetWidgetOfType("SandTimerTop", ui::UIWidget::kTypeProgress), nullptr);
  EXPECT_NE(panel->GetWidgetOfType("SandTimerBottom", ui::UIWidget::kTypeProgress), nullptr);
  EXPECT_NE(panel->GetWidgetOfType("emitter_sand", ui::UIWidget::kTypePart2D), nullptr);
  EXPECT_FALSE(panel->GetWidgetByName("INSTRUCTIONS")->IsVisible());
  EXPECT_NE(hud_->GetPopup()->GetWidgetByName("TreasureIMAGE"), nullptr);
  EXPECT_NE(hud_->GetPopup()->GetWidgetByName("TEXT"), nullptr);
}

TEST_F(HudTest, ButtonsFollowTheCountsWhichAreCutAtNine) {
  SetInt(kCount1, 3);
  SetInt(kCount1 + 4, 12);
  hud_->Tick(0.0f);
  EXPECT_FALSE(hud_->GetButton(0)->IsActive()) << "only once asked to refresh";
  hud_->RequestRefresh();
  hud_->Tick(0.0f);
  const struct {
    int32_t index;
    bool owned;
    const char* badge;
  } cases[] = {{0, true, "power_3"}, {4, true, "power_9"}, {1, false, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(hud_->GetButton(c.index)->IsActive(), c.owned) << c.index;
    EXPECT_EQ(hud_->GetButton(c.index)->GetColor(), c.owned ? 0xFFFFFFFFu : 0xFF4C4C4Cu) << c.index;
    EXPECT_EQ(hud_->GetCountWidget(c.index)->IsVisible(), c.owned) << c.index;
    if (c.owned) {
      EXPECT_EQ(hud_->GetCountWidget(c.index)->GetImage(0).GetName(), c.badge) << c.index;
    }
  }
  EXPECT_EQ(GetInt(kCount1 + 4), 9) << "cut back in the profile";
}

TEST_F(HudTest, TheTimeTurnsFromRedToWhiteOverTheFirstTenSeconds) {
  EXPECT_EQ(TimeColourAt(0), 0xFFFF0000u);
  EXPECT_EQ(TimeColourAt(5), 0xFFFF7F7Fu);
  EXPECT_EQ(TimeColourAt(10), 0xFFFFFFFFu);
  EXPECT_EQ(TimeColourAt(75), 0xFFFFFFFFu);
  EXPECT_FALSE(hud_->GetNumberFont().IsClock()) << "the clock only while the time is drawn";
  // 1:15: four cells (one a narrow colon) of six vertices.
  EXPECT_EQ(graphics_.drawn[2].size(), 24u);
}

TEST_F(HudTest, ThePowerArmedIsTheOneSelectedWithACountAndAgainDisarmsIt) {
  TestPower* first = hud_->Give(0);
  TestPower* second = hud_->Give(1);
  hud_->SelectPower(0);
  EXPECT_EQ(hud_->GetArmedPower(), nullptr) << "no charge";
  SetInt(kCount1, 1);
  hud_->SelectPower(0);
  EXPECT_EQ(hud_->GetArmedPower(), first);
  EXPECT_EQ(first->GetCursor().position.x, -1.0f) << "off the screen until the mouse moves";
  hud_->SelectPower(1);
  EXPECT_EQ(hud_->GetArmedPower(), first) << "the second has no charge";
  for (int32_t outside : {-1, 9, 100}) hud_->SelectPower(outside);
  EXPECT_EQ(hud_->GetArmedPower(), first);
  hud_->Tick(0.1f);
  ui::UIWidget* instructions = hud_->GetPanel()->GetWidgetByName("INSTRUCTIONS");
  EXPECT_TRUE(instructions->IsVisible());
  EXPECT_EQ(instructions->GetText(), "HELP_SPECIAL_1");
  hud_->SelectPower(0);
  EXPECT_EQ(hud_->GetArmedPower(), nullptr);
  EXPECT_FALSE(instructions->IsVisible());
  (void)second;
}

TEST_F(HudTest, APowerIsUsedOnlyWhileTheBoardIsStillAndIsThenDisarmed) {
  TestPower* power = hud_->Give(2);
  SetInt(kCount1 + 2, 2);
  hud_->SelectPower(2);
  hud_->OnMouseMove({0.3f, 0.2f});
  EXPECT_EQ(power->GetMouseX(), static_cast<int32_t>(0.3f / 0.05625f));
  board_->SetMoving();
  hud_->UsePower({0.3f, 0.2f});
  EXPECT_EQ(power->clicks, 0);
  EXPECT_EQ(hud_->GetArmedPower(), power);
  board_->Tick(0.0f);  // the flag falls with the next frame
  hud_->UsePower({0.3f, 0.2f});
  EXPECT_EQ(power->clicks, 1);
  EXPECT_EQ(hud_->GetArmedPower(), nullptr);
  // A power that did nothing is disarmed all the same; so does a cancel.
  power->acts = false;
  hud_->SelectPower(2);
  hud_->UsePower({0.3f, 0.2f});
  EXPECT_EQ(hud_->GetArmedPower(), nullptr);
  hud_->SelectPower(2);
  hud_->CancelPower({0.0f, 0.0f});
  EXPECT_EQ(hud_->GetArmedPower(), nullptr);
  EXPECT_FALSE(hud_->GetPanel()->GetWidgetByName("INSTRUCTIONS")->IsVisible());
}

TEST_F(HudTest, AwardedPowersFlyToTheirCountsAndLandOneATick) {
  hud_->AwardPower({0.5f, 0.5f}, 1, false);
  hud_->AwardPower({0.6f, 0.5f}, 1, false);
  hud_->AwardPower({0.6f, 0.5f}, 9, true);  // no such power
  ASSERT_EQ(hud_->GetFlights().size(), 2u);
  const QORPowerFlight& flight = *hud_->GetFlights()[0];
  EXPECT_EQ(flight.GetIcon().GetName(), "2_off");
  const math::Vec2 end = hud_->GetCountWidget(1)->GetPosition();
  EXPECT_FLOAT_EQ(flight.GetEnd().x, end.x);
  EXPECT_FLOAT_EQ(flight.GetStart().x, 0.5f - board_->GetScroll().x);
  EXPECT_LT(hud_->GetPopupTimer().remaining, 0.0f) << "no popup asked for";

  // Half-way the icon is at its largest, centred on the straight line.
  hud_->Tick(0.5f);
  graphics_.drawn.clear();
  hud_->Draw();
  const std::vector<Vertex2D>& quad = graphics_.drawn.back();
  float left = 1e9f, right = -1e9f;
  for (const Vertex2D& v : quad) {
    left = std::min(left, v.x);
    right = std::max(right, v.x);
  }
  EXPECT_NEAR(right - left, 0.16f * 800.0f, 1.0f);
  EXPECT_NEAR((left + right) / 2, ((0.6f - board_->GetScroll().x + end.x) / 2) * 800.0f, 1.0f);

  hud_->Tick(0.55f);
  EXPECT_EQ(GetInt(kCount1 + 1), 1) << "the first landed";
  EXPECT_EQ(hud_->GetFlights().size(), 1u);
  hud_->Tick(0.0f);
  EXPECT_EQ(GetInt(kCount1 + 1), 2);
  EXPECT_TRUE(hud_->GetFlights().empty());
  EXPECT_EQ(GetInt(kCount1 + 8), 0);
  EXPECT_EQ(GetInt(kCount1 + 9), 0) << "nothing beyond the ninth power";
}

TEST_F(HudTest, ATreasureAwardShowsThePopupForTwoAndAHalfSecondsAndPointsAtTheButton) {
  hud_->AwardPower({0.4f, 0.4f}, 2, true);
  hud_->Tick(0.01f);
  ui::UIWidget* popup = hud_->GetPopup();
  EXPECT_TRUE(popup->IsVisible());
  EXPECT_EQ(popup->GetWidgetByName("TreasureIMAGE")->GetImage(0).GetName(), "3_off");
  EXPECT_EQ(popup->GetWidgetByName("TEXT")->GetText(), "TREASURE_AWARD_3");
  // The power's button hint, over the button.
  QORGameHelp* help = board_->GetHelp();
  ASSERT_TRUE(help->IsHintOpen());
  EXPECT_EQ(help->GetPanel()->GetTextId(), "HINT_SPECIAL_3");
  EXPECT_FLOAT_EQ(help->GetPanel()->GetRectMin().x, hud_->GetButton(2)->GetPosition().x);
  hud_->Tick(2.4f);
  EXPECT_TRUE(popup->IsVisible());
  hud_->Tick(0.2f);
  EXPECT_FALSE(popup->IsVisible());
  // A click closes it early.
  hud_->AwardPower({0.4f, 0.4f}, 2, true);
  hud_->Tick(0.01f);
  hud_->GetPopupTimer().remaining = -1.0f;
  hud_->Tick(0.01f);
  EXPECT_FALSE(popup->IsVisible());
}

TEST_F(HudTest, CountsChangedWhileAPowerIsArmedReachTheButtonsOnceItIsDisarmed) {
  hud_->Give(0);
  SetInt(kCount1, 1);
  hud_->RequestRefresh();
  hud_->Tick(0.0f);
  hud_->SelectPower(0);
  hud_->AwardPower({0.1f, 0.1f}, 3, false);
  hud_->Tick(1.1f);
  EXPECT_EQ(GetInt(kCount1 + 3), 1);
  EXPECT_FALSE(hud_->GetButton(3)->IsActive()) << "waits while armed";
  hud_->CancelPower({0.0f, 0.0f});
  hud_->Tick(0.0f);
  EXPECT_TRUE(hud_->GetButton(3)->IsActive());
  // Outside 0 .. 8 nothing is lowered.
  hud_->DecrementPower(9);
  hud_->DecrementPower(-1);
  hud_->DecrementPower(3);
  EXPECT_EQ(GetInt(kCount1 + 3), 0);
  hud_->DecrementPower(3);
  EXPECT_EQ(GetInt(kCount1 + 3), 0) << "never below 0";
}

TEST_F(HudTest, TheBoardKeepsTheScoreAtZeroOrMoreAndTheGoldAndTimeUpToDate) {
  QORWellUI* hud = board_->GetHud();
  ASSERT_NE(hud, nullptr);
  board_->AddScore(30);
  board_->AddScore(-50);
  EXPECT_EQ(hud->GetScore(), 0);
  board_->AddScore(12);
  EXPECT_EQ(hud->GetScore(), 12);
  SetInt(game_var::kGold, 77);
  board_->DrawOverlay();
  EXPECT_EQ(hud->GetGold(), 77);
  // The time played, in whole seconds, frame by frame.
  for (int frame = 0; frame < 17; ++frame) board_->Tick(0.2f);
  EXPECT_EQ(hud->GetElapsedSeconds(), 3);
  hud->AddClearedBlock(0);
  hud->AddClearedBlock(23);
  hud->AddClearedBlock(24);
  hud->AddClearedBlock(-1);
  EXPECT_EQ(hud->GetClearedOfColor(0), 1);
  EXPECT_EQ(hud->GetClearedOfColor(23), 1);
  EXPECT_EQ(hud->GetClearedOfColor(24), 0);
  // Leaving the level hides the HUD, the popup with it, and drops the help.
  hud->AwardPower({0.1f, 0.1f}, 0, true);
  hud->Tick(0.0f);
  board_->ShutdownUI();
  EXPECT_FALSE(hud->GetPanel()->IsVisible());
  EXPECT_FALSE(hud->GetPopup()->IsVisible());
  EXPECT_EQ(board_->GetHelp(), nullptr);
}

// A pass tells the HUD the blocks it cleared, by colour, and its score.
TEST_F(HudTest, EachMatchPassAddsItsClearedBlocksByColourAndItsScore) {
  for (int32_t x = 0; x < 20; ++x)
    for (int32_t y = 0; y < 20; ++y) board_->GetTile(x, y)->type = kTileMetal;
  const struct {
    int32_t colour, row;
  } lines[] = {{well::kColorRed, 2}, {well::kColorBlue, 5}, {well::kColorRed, 8}};
  for (const auto& line : lines) {
    for (int32_t x = 4; x <= 6; ++x) board_->Put("token", x, line.row)->SetColor(line.colour);
  }
  ASSERT_TRUE(board_->ResolveMatches());
  ASSERT_EQ(board_->GetLastPass().threes, 3);
  QORWellUI* hud = board_->GetHud();
  EXPECT_EQ(hud->GetClearedOfColor(well::kColorRed), 6);
  EXPECT_EQ(hud->GetClearedOfColor(well::kColorBlue), 3);
  EXPECT_EQ(hud->GetClearedOfColor(well::kColorGreen), 0);
  EXPECT_EQ(hud->GetPassScoreTotal(), 9);
  // Not on the editing board.
  board_->editing = true;
  for (int32_t x = 10; x <= 12; ++x) board_->Put("token", x, 12)->SetColor(well::kColorGreen);
  ASSERT_TRUE(board_->ResolveMatches());
  EXPECT_EQ(hud->GetClearedOfColor(well::kColorGreen), 0);
  EXPECT_EQ(hud->GetPassScoreTotal(), 9);
}

// The debug key P flies the second power to its button from the explorer.
TEST_F(HudTest, TheKeyPAwardsTheSecondPowerFromTheExplorer) {
  input::KeyState key;
  key.code = 25;
  board_->OnKey(&key);
  QORWellUI* hud = board_->GetHud();
  ASSERT_EQ(hud->GetFlights().size(), 1u);
  const QORPowerFlight& flight = *hud->GetFlights()[0];
  EXPECT_EQ(flight.GetIcon().GetName(), "2_off");
  math::Vec2 explorer;
  ASSERT_TRUE(board_->GetExplorerBoardPosition(explorer));
  EXPECT_FLOAT_EQ(flight.GetStart().x, explorer.x - board_->GetScroll().x);
  EXPECT_FLOAT_EQ(flight.GetStart().y, explorer.y - board_->GetScroll().y);
}

}  // namespace
