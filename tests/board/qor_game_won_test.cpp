#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "board/blocks/block_board_fixture.h"
#include "board/blocks/qor_block.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_game_won.h"
#include "core/input/keyboard.h"
#include "log_capture.h"
#include "platform/audio/bass_testing.h"
#include "platform/sound_fixtures.h"
#include "read_file.h"
#include "ui/ui_test_support.h"
#include "well/block_names.h"

namespace {

constexpr const char* kSummaryFile = VANTOR_SOURCE_DIR "/data/ui/score_summary.ui";

TEST(LevelGrade, TheScoreAgainstTheMostTheLevelOffers) {
  struct Case {
    const char* what;
    int32_t critters, broken, tiles, found, treasures, nest;
    float timeLeft;
    float score, maximum;
    int32_t grade;
  } cases[] = {
      {"two treasures, 40 of 100 tiles, half the time", 0, 40, 100, 2, 2, 0, 0.5f, 9500.0f, 8625.0f, 5},
      {"no time and no treasure", 0, 40, 100, 0, 2, 0, 0.0f, 1000.0f, 8625.0f, 1},
      {"exactly 0.85 of the most falls to the lower grade", 0, 85, 0, 0, 0, 0, 0.0f, 2125.0f, 2500.0f, 3},
      {"just above 0.5", 0, 51, 0, 0, 0, 0, 0.0f, 1275.0f, 2500.0f, 2},
      {"critters and a nest", 2, 0, 0, 0, 0, 1, 0.0f, 2000.0f, 3500.0f, 2},
      // A 72 s level starts with 72 of the timer's 360 s left.
      {"the time of a 72 s level", 0, 0, 0, 0, 0, 0, 72.0f / 360.0f, 1000.0f, 2500.0f, 1},
  };
  for (const Case& c : cases) {
    const QORLevelGrade g =
        QORLevelGrade::Of(c.critters, c.broken, c.tiles, c.found, c.treasures, c.nest, c.timeLeft);
    EXPECT_FLOAT_EQ(g.score, c.score) << c.what;
    EXPECT_FLOAT_EQ(g.maximum, c.maximum) << c.what;
    EXPECT_EQ(g.grade, c.grade) << c.what;
  }
  EXPECT_FLOAT_EQ(QORLevelGrade::Of(0, 0, 0, 0, 0, 0, 0.2f).time, 1000.0f);
}

// A room of 8 x 8 metal cells with its entrance and exit, on the UI test's
// console (whose Events the level-end scripts append to) and sound system.
class LevelEndTest : public ui_testing::UITest, protected block_testing::BlockBoard {
 protected:
  void SetUp() override {
    UITest::SetUp();
    console_->Do(
        "function LevelWasWon(g) Events[#Events + 1] = 'won ' .. g end "
        "function ShadyWasWon(g) Events[#Events + 1] = 'shady ' .. g end "
        "function OnGameLose() Events[#Events + 1] = 'lost' end");
    summary_ = GetUIMan()->AddPanel(kSummaryFile);
    ASSERT_NE(summary_, nullptr);
    summary_->SetIsVisible(false);
  }
  void StartRoom(bool entrance = true) {
    if (entrance) Put("qor_entrance", "none", 0, 0, 2, 2);
    Put("qor_exit", "none", 6, 6, 2, 2);
    board_->OnLevelStart();
  }
  ui::UIWidget* Widget(const std::string& name) { return summary_->GetWidgetByName(name); }
  std::string TextOf(const std::string& name) { return Widget(name)->GetText(); }
  uint32_t TextAlphaOf(const std::string& name) { return Widget(name)->GetTextBlock().colour >> 24; }
  QORGameWon* Won() { return dynamic_cast<QORGameWon*>(board_->GetGameEnd()); }
  void TickEnd(float seconds) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += 0.05f) board_->GetGameEnd()->Tick(0.05f);
  }

  ui::UIWidget* summary_ = nullptr;
};

TEST_F(LevelEndTest, ReachingTheExitWinsOnceGradesAndTellsTheScripts) {
  StartRoom();
  board_->WinGame();
  QORGameWon* won = Won();
  ASSERT_NE(won, nullptr);
  EXPECT_TRUE(board_->HasWon());
  // The whole time left and no tiles: 5000 against 2500.
  EXPECT_EQ(won->GetGrade(), 5);
  EXPECT_TRUE(summary_->IsVisible());
  EXPECT_EQ(board_->GetMusic(), nullptr) << "the music rotation is dropped";
  board_->WinGame();
  board_->LooseGame();
  EXPECT_EQ(board_->GetGameEnd(), won);
  EXPECT_EQ(Events(), std::vector<std::string>{"won 5"});
}

// The debug key Q puts the explorer beside the exit's lower row: the board's
// own tick lets him arrive there within his step period, and the room is won.
TEST_F(LevelEndTest, TheKeyQTakesTheExplorerToTheExitAndTheBoardsTickWinsTheRoom) {
  StartRoom();
  input::KeyState q;
  q.code = 16;
  board_->OnKey(&q);
  EXPECT_EQ(board_->GetExplorer()->GetCell(), (well::Cell{6, 7}));
  for (int i = 0; i < 30 && !board_->GetGameEnd(); ++i) board_->Tick(0.05f);
  ASSERT_NE(Won(), nullptr);
  EXPECT_EQ(Events(), std::vector<std::string>{"won 5"});
  // The walk stops with the level: the end screen ticks instead.
  const well::Cell cell = board_->GetExplorer()->GetCell();
  for (int i = 0; i < 40; ++i) board_->Tick(0.05f);
  EXPECT_EQ(board_->GetExplorer()->GetCell(), cell);
}

TEST_F(LevelEndTest, ARivalsLevelReportsItsOwnWinAndLightsNoStars) {
  board_->SetShadyLevel(true);
  StartRoom();
  board_->WinGame();
  EXPECT_EQ(Events(), std::vector<std::string>{"shady 5"});
  EXPECT_EQ(Widget("CONTINUE")->GetEvent(ui::UIWidget::kLmbClick), "DefeatShady()");
  TickEnd(12.0f);
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(Widget("Stamp_Star_" + std::to_string(i))->IsVisible()) << i;
}

TEST_F(LevelEndTest, NoWinOnTheEditorsBoardNorBeforeTheGoalMap) {
  board_->WinGame();
  EXPECT_EQ(board_->GetGameEnd(), nullptr);
  board_->editing = true;
  StartRoom();
  board_->WinGame();
  board_->LooseGame();
  EXPECT_EQ(board_->GetGameEnd(), nullptr);
  EXPECT_TRUE(Events().empty());
}

TEST_F(LevelEndTest, TheRivalFirstLosesTheRoomAndTheDefeatScreenStartsAfterASecond) {
  WriteText("ui/qor_defeat.ui", ReadFile(VANTOR_SOURCE_DIR "/data/ui/qor_defeat.ui"));
  StartRoom();
  board_->LooseGame();
  auto* lost = dynamic_cast<QORGameLost*>(board_->GetGameEnd());
  ASSERT_NE(lost, nullptr);
  EXPECT_FALSE(board_->HasWon());
  EXPECT_EQ(Events(), std::vector<std::string>{"lost"});
  ASSERT_NE(lost->GetPanel(), nullptr);
  EXPECT_EQ(lost->GetPanel()->GetName(), "qor_defeat");
  EXPECT_TRUE(lost->GetPanel()->IsVisible());
  board_->WinGame();
  EXPECT_EQ(board_->GetGameEnd(), lost);
  lost->Tick(0.95f);
  EXPECT_FALSE(board_->IsGameEndFinished());
  lost->Tick(0.1f);
  EXPECT_TRUE(board_->IsGameEndFinished());
}

TEST_F(LevelEndTest, TheSummaryCountsEachRowFromItsSecondAndStampsTheGrade) {
  StartRoom();
  board_->InitUI();
  board_->SetElapsed(75.0f);
  auto won = std::make_unique<QORGameWon>(board_.get());
  won->ShowSummary(40, 100, 1, 2, 3, 1, 3, 2500.0f, 3000.0f, 3000.0f, 1000.4f);
  board_->SetGameEnd(won.release());
  ASSERT_EQ(Won()->GetPanel(), summary_);
  EXPECT_TRUE(summary_->IsVisible());
  EXPECT_EQ(TextOf("Score_TREASURE"), "1/2");
  EXPECT_EQ(TextOf("Score_TILES"), "40/100");
  EXPECT_EQ(Widget("Stamp")->GetImage(0).GetName(), "ui_img/stamp_c.png");
  EXPECT_EQ(Widget("CONTINUE")->GetEvent(ui::UIWidget::kLmbClick), "StartArcade()");
  EXPECT_EQ(TextAlphaOf("Final_Treasure"), 255u);
  ASSERT_NE(board_->GetHud(), nullptr);
  EXPECT_EQ(board_->GetHud()->GetScore(), 9500);
  // Every row shows its start until its delay is over, then takes 5 s.
  TickEnd(0.5f);
  for (const char* name : {"Final_Treasure", "Score_CRITTERS", "Final_Critters", "Final_Tiles", "Final_Time",
                           "Score_FINAL"})
    EXPECT_EQ(TextOf(name), "0") << name;
  // The level's time counts as minutes and seconds.
  EXPECT_EQ(TextOf("Score_TIME"), " 0:00");
  TickEnd(5.6f);
  EXPECT_EQ(TextOf("Final_Treasure"), "3,000") << "counted from 1 s to 6 s";
  EXPECT_NE(TextOf("Final_Critters"), "3,000") << "counting from 2 s to 7 s";
  TickEnd(5.0f);
  EXPECT_EQ(TextOf("Score_CRITTERS"), "3");
  EXPECT_EQ(TextOf("Final_Critters"), "3,000");
  EXPECT_EQ(TextOf("Final_Tiles"), "1,000");
  EXPECT_EQ(TextOf("Final_Time"), "2,500");
  EXPECT_EQ(TextOf("Score_FINAL"), "9,500");
  EXPECT_EQ(TextOf("Score_TIME"), " 1:15");
}

TEST_F(LevelEndTest, ARowOfNothingToFindShowsDimmedWithoutNumbers) {
  StartRoom();
  board_->WinGame();
  for (const char* name : {"Score_TREASURE", "Final_Treasure", "Score_CRITTERS", "Final_Critters"})
    EXPECT_EQ(TextOf(name), "") << name;
  // 0.3 of 255, truncated.
  for (const char* name : {"Score_TREASURE", "Final_Treasure", "TREASURE_TEXT", "col_1", "CRITTER_TEXT", "col_2"})
    EXPECT_EQ(TextAlphaOf(name), 76u) << name;
  EXPECT_EQ(Widget("TREASURE")->GetColor() >> 24, 76u);
  EXPECT_EQ(Widget("CRITTER")->GetColor(), 0x4CFFFFFFu);
}

TEST_F(LevelEndTest, StarsLightASecondApartUpToTheGrade) {
  StartRoom();
  auto won = std::make_unique<QORGameWon>(board_.get());
  won->ShowSummary(0, 0, 0, 0, 0, 0, 3, 0.0f, 0.0f, 0.0f, 0.0f);
  board_->SetGameEnd(won.release());
  struct Step {
    float at;
    int lit;
  } steps[] = {{5.9f, 0}, {6.1f, 1}, {6.9f, 1}, {7.1f, 2}, {8.1f, 3}, {12.0f, 3}};
  float now = 0.0f;
  for (const Step& step : steps) {
    TickEnd(step.at - now);
    now = step.at;
    int lit = 0;
    for (int i = 1; i <= 5; ++i) lit += Widget("Stamp_Star_" + std::to_string(i))->IsVisible() ? 1 : 0;
    EXPECT_EQ(lit, step.lit) << step.at;
  }
  EXPECT_FALSE(Widget("Stamp_Star_4")->IsVisible());
}

TEST_F(LevelEndTest, StampsByGrade) {
  StartRoom();
  const char* stamps[] = {"ui_img/stamp_f.png", "ui_img/stamp_f.png", "ui_img/stamp_d.png",
                          "ui_img/stamp_c.png", "ui_img/stamp_b.png", "ui_img/stamp_a.png"};
  for (int grade = 0; grade <= 5; ++grade) {
    QORGameWon won(board_.get());
    won.ShowSummary(0, 0, 0, 0, 0, 0, grade, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(Widget("Stamp")->GetImage(0).GetName(), stamps[grade]) << grade;
  }
}

TEST_F(LevelEndTest, ATotalIsCutToItsWholePointsInTheHudAndTheSummary) {
  StartRoom();
  board_->InitUI();
  board_->SetElapsed(75.0f);
  auto won = std::make_unique<QORGameWon>(board_.get());
  won->ShowSummary(0, 0, 0, 0, 0, 0, 1, 1000.0f, 200.0f, 0.0f, 34.9f);
  board_->SetGameEnd(won.release());
  EXPECT_EQ(board_->GetHud()->GetScore(), 1234);
  TickEnd(10.1f);
  EXPECT_EQ(TextOf("Score_FINAL"), "1,234");
}

TEST_F(LevelEndTest, WithoutTheSummaryPanelTheErrorIsLoggedAndTheGradeAndScoreStillSet) {
  GetUIMan()->DropAllPanels();
  StartRoom();
  board_->InitUI();
  LogCapture log;
  board_->WinGame();
  QORGameWon* won = Won();
  ASSERT_NE(won, nullptr);
  EXPECT_EQ(won->GetPanel(), nullptr);
  EXPECT_EQ(won->GetGrade(), 5);
  EXPECT_EQ(board_->GetHud()->GetScore(), 5000);
  EXPECT_TRUE(board_->HasWon());
  size_t told = 0;
  for (const std::string& line : LogCapture::At(MSG_ERROR)) told += line.find("score_summary") != std::string::npos;
  EXPECT_EQ(told, 1u);
  TickEnd(12.0f);
}

TEST_F(LevelEndTest, TheCameraGlidesBackAlongTheWayToTheEntrance) {
  StartRoom();
  board_->GetExplorer()->PlaceAt(6, 7);
  board_->WinGame();
  QORGameWon* won = Won();
  ASSERT_NE(won, nullptr);
  // The first cell of the way back from (6, 7) to (0, 1), in board space.
  const math::Vec2 first = won->GetCameraTarget();
  EXPECT_FLOAT_EQ(first.x, won->GetCameraStart().x);
  EXPECT_FLOAT_EQ(first.y, won->GetCameraStart().y);
  const well::Cell firstCell = board_->ScreenToCell(first - board_->GetScroll());
  EXPECT_EQ(std::abs(firstCell.x - 6) + std::abs(firstCell.y - 7), 1);
  // A beat a cell: 6 + 6 steps, then the screen starts.
  int beats = 0;
  while (!won->IsStarted() && beats < 40) {
    TickEnd(0.5f);
    ++beats;
  }
  EXPECT_EQ(beats, 12);
  const well::Cell home = board_->ScreenToCell(won->GetCameraTarget() - board_->GetScroll());
  EXPECT_EQ(home, (well::Cell{0, 1}));
}

TEST_F(LevelEndTest, WithoutAnEntranceTheCameraAimsAtTheFirstCellAndStartsAtTheFirstBeat) {
  StartRoom(false);
  board_->WinGame();
  QORGameWon* won = Won();
  ASSERT_NE(won, nullptr);
  const math::Vec2 corner = board_->CellToScreen(0, 0) + board_->GetScroll();
  EXPECT_FLOAT_EQ(won->GetCameraTarget().x, corner.x);
  EXPECT_FLOAT_EQ(won->GetCameraTarget().y, corner.y);
  TickEnd(0.45f);
  EXPECT_FALSE(won->IsStarted());
  TickEnd(0.1f);
  EXPECT_TRUE(won->IsStarted());
  EXPECT_TRUE(board_->IsGameEndFinished());
}

// The level cue, then the menu cue once the mixer has played the first to
// its end. The menu cue is asked for once: stopped, it is not started again.
TEST_F(LevelEndTest, TheMenuCueFollowsTheLevelCueOnceItEnds) {
  WriteBytes("sounds/Level Complete Cue.ogg", sound_fixtures::MakeLevelWav(44100, 1, 4410, 6000));
  WriteBytes("sounds/Menu Cue.ogg", sound_fixtures::MakeLevelWav(44100, 1, 44100, 3000));
  audio::GetAudio().SetMusicVolume(80);
  StartRoom();
  audio::GetAudio().StopAll();
  QORGameWon won(board_.get());
  const DWORD level = won.GetMusic().GetChannel();
  ASSERT_NE(level, 0u);
  won.Tick(0.05f);
  EXPECT_EQ(won.GetMusic().GetChannel(), level) << "still playing";
  std::vector<int16_t> out(2 * 5000);
  platform::testing::RenderMix(out.data(), 5000);
  ASSERT_NE(BASS_ChannelIsActive(level), BASS_ACTIVE_PLAYING);
  won.Tick(0.05f);
  const DWORD menu = won.GetMusic().GetChannel();
  EXPECT_NE(menu, level);
  EXPECT_EQ(BASS_ChannelIsActive(menu), BASS_ACTIVE_PLAYING);
  audio::GetAudio().StopAll();
  for (int i = 0; i < 10; ++i) won.Tick(0.05f);
  EXPECT_EQ(won.GetMusic().GetChannel(), menu);
  EXPECT_NE(BASS_ChannelIsActive(menu), BASS_ACTIVE_PLAYING);
}

}  // namespace
