#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "core/text/text_format.h"
#include "ui/ui_test_support.h"
#include "well/game_end.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kPanel = VANTOR_TEST_DATA "/end_panel.ui";

// Counts its beats.
class BeatingEnd : public well::GameEnd {
 public:
  using GameEnd::GameEnd;
  void OnTimer() override { ++beats; }
  int beats = 0;
};

// Records when it finishes.
class RecordingStep : public well::GameEndStep {
 public:
  RecordingStep(const std::string& name, float wait, float duration, Strings& log)
      : GameEndStep(wait, duration), name_(name), log_(log) {}
  void Finish() override { log_.push_back(name_ + " finished"); }

 private:
  std::string name_;
  Strings& log_;
};

class GameEndTest : public ui_testing::UITest {
 protected:
  std::string TextOf(const std::string& name) { return GetUIMan()->GetWidget(name)->GetText(); }
};

TEST_F(GameEndTest, ShowsItsPanelInFrontAndHidesItWhenDeleted) {
  ui::UIWidget* other = Make(nullptr, "Other");
  auto end = std::make_unique<BeatingEnd>(nullptr, kPanel);
  ui::UIWidget* panel = end->GetPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetName(), "EndPanel");
  EXPECT_TRUE(panel->IsVisible());
  ui::UIWidget* front = nullptr;
  GetUIMan()->ForEachPanel([&front](ui::UIWidget* listed) { front = listed; });
  EXPECT_EQ(front, panel) << "drawn last, offered input first";
  // A second screen over the same file shares the listed panel.
  BeatingEnd again(nullptr, kPanel);
  EXPECT_EQ(again.GetPanel(), panel);
  end.reset();
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_TRUE(GetUIMan()->IsListed(panel)) << "the panel stays with the UI manager";
  EXPECT_TRUE(other->IsVisible());
}

TEST_F(GameEndTest, AScreenWithoutAPanelSetsNoTextAndCountsNothing) {
  Make(nullptr, "Loose");
  BeatingEnd end(nullptr, "");
  EXPECT_EQ(end.GetPanel(), nullptr);
  end.SetWidgetText("Loose", "text");
  end.SetNumber("Loose", 10.0f, 0.0f, false, 0.0f);
  end.AddCountingNumber(nullptr, 10.0f, 0.0f, false, 0.0f);
  end.Tick(1.0f);
  EXPECT_EQ(TextOf("Loose"), "");
  EXPECT_TRUE(end.GetNumbers().empty());
}

TEST_F(GameEndTest, NumbersCountInFiveSecondsAfterTheirDelay) {
  BeatingEnd end(nullptr, kPanel);
  end.SetNumber("Score", 12345.0f, 0.0f, false, 1.0f);
  end.SetNumber("Time", 75.0f, 0.0f, true, 0.0f);
  end.SetNumber("Critters", 100.0f, 500.0f, false, 0.0f);  // counts down
  end.SetNumber("Missing", 5.0f, 0.0f, false, 0.0f);
  EXPECT_EQ(end.GetNumbers().size(), 3u);
  const struct {
    float at;
    const char* score;
    const char* time;
    const char* critters;
  } rows[] = {
      {0.25f, "0", " 0:03", "480"},   {1.0f, "0", " 0:15", "420"},
      {1.25f, "617", " 0:18", "400"}, {3.5f, "6,172", " 0:52", "220"},
      {5.0f, "9,876", " 1:15", "100"}, {6.0f, "12,345", " 1:15", "100"},
      {9.0f, "12,345", " 1:15", "100"},
  };
  float now = 0.0f;
  for (const auto& row : rows) {
    while (now < row.at) {
      end.Tick(0.25f);
      now += 0.25f;
    }
    EXPECT_EQ(TextOf("Score"), row.score) << row.at;
    EXPECT_EQ(TextOf("Time"), row.time) << row.at;
    EXPECT_EQ(TextOf("Critters"), row.critters) << row.at;
  }
  EXPECT_EQ(TextOf("Time"), lang::FormatTime(75.0f));
}

TEST_F(GameEndTest, SetWidgetTextReachesTheNamedWidget) {
  BeatingEnd end(nullptr, kPanel);
  end.SetWidgetText("Title", "Well done");
  end.SetWidgetText("Missing", "nothing");
  EXPECT_EQ(TextOf("Title"), "Well done");
}

TEST_F(GameEndTest, TheBeatRunsOutEveryThreeTenthsAndStartsAgain) {
  BeatingEnd end(nullptr, "");
  end.Tick(0.35f);
  EXPECT_EQ(end.beats, 1);
  EXPECT_FLOAT_EQ(end.GetBeat().remaining, 0.3f) << "restarted at the full beat, the overshoot dropped";
  end.Tick(0.25f);
  EXPECT_EQ(end.beats, 1);
  end.Tick(0.1f);
  EXPECT_EQ(end.beats, 2);
  EXPECT_FLOAT_EQ(end.GetElapsed(), 0.7f);
}

TEST_F(GameEndTest, StepsEndOneAtATimeAndTheBoardAsksForStartAndNoStepLeft) {
  board_testing::StubWell board;
  auto* end = new BeatingEnd(&board, "");
  board.SetGameEnd(end);
  EXPECT_FALSE(board.IsGameEndFinished()) << "not started, though no step is queued";
  Strings log;
  end->AddStep(std::make_unique<RecordingStep>("first", 0.0f, 0.1f, log));
  end->AddStep(std::make_unique<RecordingStep>("second", 0.2f, 0.0f, log));
  end->Start();
  EXPECT_FALSE(board.IsGameEndFinished());
  end->Tick(0.05f);  // the first waits no time: its wait runs out now
  EXPECT_TRUE(log.empty());
  end->Tick(0.2f);  // its run runs out
  EXPECT_EQ(log, (Strings{"first finished"}));
  end->Tick(1.0f);  // the second's wait runs out; its run still has its 0
  EXPECT_EQ(log, (Strings{"first finished"}));
  end->Tick(0.01f);
  EXPECT_EQ(log, (Strings{"first finished", "second finished"}));
  EXPECT_TRUE(board.IsGameEndFinished());
}

}  // namespace
