// The scarab race in the running game, on tracks the tests write: the
// racers and their course, steering, sprints and stamina, places and laps,
// the countdown and the script calls, the finish with its grade, prize and
// summary, and the faults the race must not fall into.
#include "game/qor_race_well.h"

#include <gtest/gtest.h>

#include <luabind/luabind.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_rms.h"
#include "board/game_variables.h"
#include "core/math/random.h"
#include "core/script/console.h"
#include "core/input/mouse.h"
#include "game/game_test_support.h"
#include "game/qor_game_state.h"
#include "game/qor_race_scarab.h"
#include "game/qor_race_summary.h"
#include "game/qor_race_ui.h"
#include "log_capture.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "temp_folder.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/ui_widget.h"

namespace {

constexpr float kDt = 0.05f;

struct Cell {
  int x, y;
};

class RaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
    num::GetRandom().Seed(7);
    std::srand(7);
    // The race's panels come and go with each test.
    GetUIMan()->ForEachPanel([this](ui::UIWidget* panel) {
      if (panel->IsVisible()) hidden_.push_back(panel);
      panel->SetIsVisible(false);
    });
  }
  void TearDown() override {
    if (race_) race_->ShutdownUI();
    race_.reset();
    for (ui::UIWidget* panel : hidden_) panel->SetIsVisible(true);
  }

  // A 40 x 20 track of sand with the start blocks and the milestones, in order.
  std::string Track(const std::vector<Cell>& starts, const std::vector<Cell>& milestones) {
    std::string text = "QOR = { Width = 40, Height = 20 }\nBlocks = {\n";
    for (const Cell& c : starts)
      text += "{ Type = 'qor_startblock', Color = 'none', X = " + std::to_string(c.x) + ", Y = " + std::to_string(c.y) +
              ", Width = 1, Height = 1 },\n";
    for (size_t i = 0; i < milestones.size(); ++i)
      text += "{ Type = 'qor_milestone[" + std::to_string(i) + "]', Color = 'none', X = " +
              std::to_string(milestones[i].x) + ", Y = " + std::to_string(milestones[i].y) +
              ", Width = 1, Height = 1 },\n";
    text +=
        "}\nBackgroundTiles = {}\nfor x = 0, 39 do for y = 0, 19 do\n"
        "  BackgroundTiles[#BackgroundTiles + 1] = { X = x, Y = y, Type = 2 }\nend end\n";
    const std::filesystem::path path = tracks_.Path() / "test_track.lua";
    std::ofstream(path) << text;
    return path.string();
  }
  // Three racers and a course of four milestones far apart.
  void LoadRace(const std::vector<Cell>& starts = {{2, 2}, {2, 6}, {2, 10}},
                const std::vector<Cell>& milestones = {{20, 3}, {35, 10}, {20, 17}, {5, 10}}) {
    race_ = std::make_unique<QORRaceWell>(app_->GetCamera());
    ASSERT_TRUE(race_->LoadLevel(Track(starts, milestones)));
    race_->InitUI();
  }
  QORRaceUI& Hud() { return *race_->GetRaceUI(); }
  // Betting over and the countdown skipped.
  void Start() {
    race_->StartRace();
    race_->SetStarted(true);
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) race_->Tick(kDt);
  }
  // A numbered line put into the console's history: what ran since is found
  // after it, also once the full history has dropped its oldest lines.
  static size_t Mark() {
    static size_t marks = 0;
    GetConsole()->Do(MarkLine(++marks));
    return marks;
  }
  static std::string MarkLine(size_t mark) { return "-- race test mark " + std::to_string(mark); }
  static int Ran(size_t mark, const std::string& text) {
    const auto& history = GetConsole()->GetHistory();
    int count = 0;
    for (auto line = history.rbegin(); line != history.rend() && *line != MarkLine(mark); ++line)
      if (line->find(text) != std::string::npos) ++count;
    return count;
  }
  // The player is put on each waypoint in turn until it has passed them all.
  void FlyPlayerHome() {
    QORRaceScarab* player = race_->GetPlayerRacer();
    ASSERT_NE(player, nullptr);
    for (int guard = 0; guard < 1000 && !player->IsPastLastWaypoint(); ++guard) {
      player->Position() = player->GetWaypoints()[player->GetNextWaypoint()];
      race_->Tick(kDt);
      EXPECT_GE(Hud().GetCurrentLap(), 1);
      EXPECT_LE(Hud().GetCurrentLap(), QORRaceWell::kLaps);
    }
  }
  // Runs until the finish timer has decided the race.
  void RunToFinish() {
    for (int i = 0; i < 100 && !race_->IsFinished(); ++i) race_->Tick(kDt);
    ASSERT_TRUE(race_->IsFinished());
  }

  game_test::HeadlessGame* app_ = nullptr;
  TempFolder tracks_;
  std::unique_ptr<QORRaceWell> race_;
  std::vector<ui::UIWidget*> hidden_;
};

TEST_F(RaceTest, StartBlocksMakeRacersFacingACourseOfThreeLaps) {
  LoadRace();
  const auto& racers = race_->GetRacers();
  ASSERT_EQ(racers.size(), 3u);
  EXPECT_TRUE(racers[0]->IsPlayer());
  EXPECT_EQ(racers[0]->GetColorName(), "Yellow");
  EXPECT_EQ(racers[0]->GetSkill(), 1.0f);
  for (size_t i = 0; i < racers.size(); ++i) {
    const QORRaceScarab& racer = *racers[i];
    if (i > 0) {
      EXPECT_FALSE(racer.IsPlayer());
      EXPECT_TRUE(racer.GetColorName() == "red" || racer.GetColorName() == "green" || racer.GetColorName() == "blue")
          << racer.GetColorName();
      EXPECT_GE(racer.GetSkill(), 0.7f);
      EXPECT_LE(racer.GetSkill(), 0.99f);
    }
    EXPECT_EQ(racer.GetWaypoints().size(), 12u);
    EXPECT_GE(racer.GetTurnRate(), 100.0f);
    EXPECT_LE(racer.GetTurnRate(), 150.0f);
    EXPECT_GE(racer.GetAcceleration(), 0.5f);
    EXPECT_LE(racer.GetAcceleration(), 1.2f);
    EXPECT_EQ(racer.GetStamina(), 2.0f);
    EXPECT_GT(racer.GetRadius(), 0.0f);
    // Facing the first milestone: the heading vector points at it.
    math::Vec2 to = racer.GetWaypoints()[0] - racer.GetPosition();
    to.Normalize();
    EXPECT_NEAR(math::Dot(QORRaceScarab::HeadingVector(racer.GetHeading()), to), 1.0f, 1e-4f);
  }
  // The course is the milestones in their order, three times.
  const auto& course = racers[0]->GetWaypoints();
  EXPECT_EQ(course[0].x, course[4].x);
  EXPECT_EQ(course[3].y, course[11].y);
  EXPECT_LT(course[3].x, course[0].x);
}

TEST_F(RaceTest, HeadingZeroPointsUpAndAimsTurnTowardTheirTarget) {
  const struct {
    math::Vec2 to;
    float heading;
  } cases[] = {{{0.0f, -1.0f}, 0.0f}, {{-1.0f, 0.0f}, 90.0f}, {{0.0f, 1.0f}, 180.0f}, {{1.0f, 0.0f}, 270.0f}};
  for (const auto& c : cases) {
    // Angles a whole turn apart are one heading.
    const float off = std::fmod(QORRaceScarab::AimAt({0.0f, 0.0f}, c.to) - c.heading + 540.0f, 360.0f) - 180.0f;
    EXPECT_NEAR(off, 0.0f, 0.01f) << c.heading;
    const math::Vec2 v = QORRaceScarab::HeadingVector(c.heading);
    EXPECT_NEAR(v.x, c.to.x, 1e-4f);
    EXPECT_NEAR(v.y, c.to.y, 1e-4f);
  }
}

TEST_F(RaceTest, ARacerWithinReachOfItsWaypointTakesTheNextInTheSameTick) {
  LoadRace();
  Start();
  QORRaceScarab& racer = *race_->GetRacers()[1];
  const math::Vec2 waypoint = racer.GetWaypoints()[0];
  racer.Position() = waypoint + math::Vec2(0.35f, 0.0f);
  racer.Velocity() = {0.0f, 0.0f};
  race_->Tick(kDt);
  EXPECT_EQ(racer.GetNextWaypoint(), 1);
  // Just outside it stays on the one it has.
  QORRaceScarab& other = *race_->GetRacers()[2];
  other.Position() = other.GetWaypoints()[0] + math::Vec2(0.0f, 0.5f);
  other.Velocity() = {0.0f, 0.0f};
  race_->Tick(kDt);
  EXPECT_EQ(other.GetNextWaypoint(), 0);
}

TEST_F(RaceTest, PlacesRankByProgressAndTheLapStaysWithinOneToThree) {
  LoadRace();
  Start();
  const auto& racers = race_->GetRacers();
  // The player ahead of both on the way to the first milestone, then behind.
  racers[0]->Position() = racers[0]->GetWaypoints()[0] - math::Vec2(0.4f, 0.0f);
  racers[1]->Position() = racers[1]->GetWaypoints()[0] - math::Vec2(1.0f, 0.0f);
  racers[2]->Position() = racers[2]->GetWaypoints()[0] - math::Vec2(0.9f, 0.0f);
  for (QORRaceScarab* racer : racers) racer->Velocity() = {0.0f, 0.0f};
  race_->Tick(kDt);
  EXPECT_EQ(race_->GetPlace(), 1);
  racers[0]->Position() = racers[0]->GetWaypoints()[0] - math::Vec2(1.1f, 0.0f);
  race_->Tick(kDt);
  EXPECT_EQ(race_->GetPlace(), 3);
  EXPECT_GT(racers[1]->GetProgress(), racers[0]->GetProgress());
  FlyPlayerHome();
  EXPECT_EQ(Hud().GetCurrentLap(), 3);
}

TEST_F(RaceTest, PlacesGiveGradesAndTheFirstThreeAPowerBelowNine) {
  GameRMS* store = GetRMS();
  ASSERT_NE(store, nullptr);
  if (!store->GetCurrentProfileRecord()) {
    ASSERT_TRUE(store->AddProfile("Tester", "english", ""));
  }
  const struct {
    int32_t place, grade, variable, before, after;
  } cases[] = {{1, 5, 12, 0, 1}, {1, 5, 12, 8, 9}, {1, 5, 12, 9, 9}, {2, 4, 16, 3, 4},
               {3, 3, 11, 0, 1}, {4, 2, 12, 0, 0}, {6, 1, 12, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(QORRaceWell::GradeOfPlace(c.place), c.grade) << c.place;
    for (int32_t v : {11, 12, 16}) SetInt(v, 0);
    SetInt(c.variable, c.before);
    QORRaceWell::AwardPrize(c.place);
    EXPECT_EQ(GetInt(c.variable), c.after) << "place " << c.place << " from " << c.before;
  }
  for (int32_t v : {11, 12, 16}) SetInt(v, 0);
}

// "You won a power!" and the prize come together, for the first three
// places only; a summary shown again starts with both hidden.
TEST_F(RaceTest, TheSummarySaysAPowerWasWonForTheFirstThreePlacesOnly) {
  for (int32_t place : {1, 4, 3, 5, 2}) {
    if (race_) race_->ShutdownUI();
    LoadRace();
    ui::UIWidget* summary = Hud().GetSummaryPanel();
    ASSERT_NE(summary, nullptr);
    ui::UIWidget* youWon = summary->GetWidgetByName("YOUWON");
    ui::UIWidget* prize = summary->GetWidgetByName("Prize_Won");
    ASSERT_NE(youWon, nullptr);
    ASSERT_NE(prize, nullptr);
    EXPECT_FALSE(youWon->IsVisible()) << place;
    EXPECT_FALSE(prize->IsVisible()) << place;
    summary->SetIsVisible(true);
    Hud().SetStarsEarned(QORRaceWell::GradeOfPlace(place));
    for (int frame = 0; frame < 200; ++frame) Hud().AnimateStars(kDt);
    EXPECT_EQ(youWon->IsVisible(), place <= 3) << "place " << place;
    EXPECT_EQ(prize->IsVisible(), place <= 3) << "place " << place;
  }
}

TEST_F(RaceTest, TheRightButtonSprintsWithStaminaAndTheSprintEndsATenthAfterTheLastHeldFrame) {
  LoadRace();
  Start();
  QORRaceScarab& player = *race_->GetPlayerRacer();
  player.SetStamina(0.05f);
  race_->SteerRacer({0.5f, 0.5f}, QORRaceWell::kRightButton);
  EXPECT_FALSE(player.IsSprinting());

  player.SetStamina(2.0f);
  race_->SteerRacer({0.5f, 0.5f}, QORRaceWell::kRightButton);
  EXPECT_TRUE(player.IsSprinting());
  race_->Tick(0.06f);
  EXPECT_TRUE(player.IsSprinting());
  EXPECT_LT(player.GetStamina(), 2.0f);
  race_->Tick(0.06f);
  EXPECT_FALSE(player.IsSprinting());
  // The left button only steers.
  race_->SteerRacer({0.5f, 0.5f}, 0);
  EXPECT_FALSE(player.IsSprinting());
  EXPECT_TRUE(player.IsSteering());
}

TEST_F(RaceTest, ScriptsHearOfTheBettingTheStartFiveSecondsOnAndTheResult) {
  const size_t mark = Mark();
  LoadRace();
  EXPECT_EQ(Ran(mark, "SetupBetting()"), 1);
  ASSERT_NE(Hud().GetBettingPanel(), nullptr);
  ASSERT_GT(race_->GetRacers().size(), 1u);
  const math::Vec2 still = race_->GetRacers()[1]->GetPosition();
  Run(20);
  EXPECT_TRUE(Hud().GetBettingPanel()->IsVisible());
  EXPECT_FALSE(race_->HasStarted());
  // Racers stand still while the player bets: nothing but the HUD ticks.
  EXPECT_EQ(still.x, race_->GetRacers()[1]->GetPosition().x);
  EXPECT_EQ(still.y, race_->GetRacers()[1]->GetPosition().y);
  for (const QORRaceScarab* racer : race_->GetRacers()) EXPECT_EQ(racer->GetTrail().GetLiveCount(), 0);

  race_->StartRace();
  EXPECT_FALSE(Hud().GetBettingPanel()->IsVisible());
  // Four lights: the first 2 s after the start, then one a second.
  Run(99);
  EXPECT_EQ(Hud().GetLightsLit(), 3);
  EXPECT_FALSE(race_->HasStarted());
  EXPECT_EQ(Ran(mark, "EndRaceTimer()"), 0);
  Run(2);
  EXPECT_EQ(Hud().GetLightsLit(), 4);
  EXPECT_TRUE(race_->HasStarted());
  EXPECT_EQ(Ran(mark, "EndRaceTimer()"), 1);

  FlyPlayerHome();
  RunToFinish();
  EXPECT_EQ(Ran(mark, "WinRace(" + std::to_string(QORRaceWell::GradeOfPlace(race_->GetPlace())) + ")"), 1);
}

TEST_F(RaceTest, TheFinishShowsTheSummaryAndTheHudForgetsItsRacerKeepingTheBar) {
  LoadRace();
  race_->SetBet(250);
  Start();
  Run(10);
  ui::UIWidget* bar = Hud().GetStaminaBar();
  ASSERT_NE(bar, nullptr);
  FlyPlayerHome();
  RunToFinish();
  EXPECT_EQ(Hud().GetPlayerRacer(), nullptr);
  const float shown = static_cast<ui::UIProgress*>(bar)->GetProgress();
  EXPECT_GT(shown, 0.0f);
  Run(5);
  EXPECT_EQ(static_cast<ui::UIProgress*>(bar)->GetProgress(), shown);

  ui::UIWidget* summary = Hud().GetSummaryPanel();
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->IsVisible());
  ASSERT_NE(race_->GetGameEnd(), nullptr);
  EXPECT_EQ(Hud().GetStarsEarned(), QORRaceWell::GradeOfPlace(race_->GetPlace()));
  ui::UIWidget* position = summary->GetWidgetByName("Score_POSITION");
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(position->GetText(), std::to_string(race_->GetPlace()) + " / 3");
  // The lone scarab flies five laps behind the summary.
  ASSERT_EQ(race_->GetRacers().size(), 1u);
  const QORRaceScarab& lone = *race_->GetRacers()[0];
  EXPECT_FALSE(lone.IsPlayer());
  EXPECT_EQ(lone.GetColorName(), "yellow");
  EXPECT_EQ(lone.GetWaypoints().size(), 20u);
  // Steering and clicks no longer reach any racer.
  race_->SteerRacer({0.5f, 0.5f}, QORRaceWell::kRightButton);
  EXPECT_FALSE(lone.IsSteering());
}

TEST_F(RaceTest, TheSummaryCountsAtItsOwnPaceOneTickAFrame) {
  LoadRace();
  Start();
  FlyPlayerHome();
  RunToFinish();
  auto* summary = dynamic_cast<QORRaceSummary*>(race_->GetGameEnd());
  ASSERT_NE(summary, nullptr);
  const float before = summary->GetElapsed();
  Run(20);
  EXPECT_NEAR(summary->GetElapsed() - before, 20 * kDt, 1e-4f);
  bool timed = false;
  for (const auto& number : summary->GetNumbers()) {
    if (!number.asTime) continue;
    timed = true;
    EXPECT_NEAR(number.current, number.speed * summary->GetElapsed(), 1e-3f);
  }
  EXPECT_TRUE(timed) << "Score_TIME counts";
}

TEST_F(RaceTest, OneStartBlockRacesThePlayerAloneInFirstPlace) {
  LogCapture log;
  LoadRace({{2, 2}});
  EXPECT_TRUE(log.Has(QORRaceWell::kTooFewRacers));
  ASSERT_EQ(race_->GetRacers().size(), 1u);
  Start();
  FlyPlayerHome();
  EXPECT_EQ(race_->GetPlace(), 1);
  RunToFinish();
  EXPECT_EQ(Hud().GetStarsEarned(), 5);
}

TEST_F(RaceTest, NoStartBlockLeavesNoRacerForSteeringClicksOrTheHud) {
  LoadRace({});
  EXPECT_TRUE(race_->GetRacers().empty());
  EXPECT_EQ(Hud().GetPlayerRacer(), nullptr);
  Start();
  race_->SteerRacer({0.5f, 0.5f}, QORRaceWell::kRightButton);
  race_->OnLeftClick({0.5f, 0.5f});
  Run(60);
  EXPECT_FALSE(race_->IsFinished());
  EXPECT_EQ(race_->GetGameEnd(), nullptr);
}

TEST_F(RaceTest, RacersPartWhenTheyOverlapAndKeepFinitePositionsOnOneCentre) {
  LoadRace();
  Start();
  QORRaceScarab& a = *race_->GetRacers()[1];
  QORRaceScarab& b = *race_->GetRacers()[2];
  a.Position() = b.Position() = {1.0f, 0.6f};
  a.Velocity() = b.Velocity() = {0.0f, 0.0f};
  race_->Tick(kDt);
  for (const QORRaceScarab* racer : {&a, &b}) {
    EXPECT_TRUE(std::isfinite(racer->GetPosition().x) && std::isfinite(racer->GetPosition().y));
    EXPECT_TRUE(std::isfinite(racer->GetVelocity().x) && std::isfinite(racer->GetVelocity().y));
  }
  // Overlapping apart from one another, they are pushed apart.
  a.Position() = {1.0f, 0.6f};
  b.Position() = {1.0f + a.GetRadius() * 0.5f, 0.6f};
  a.Velocity() = b.Velocity() = {0.0f, 0.0f};
  const float before = (b.GetPosition() - a.GetPosition()).Magnitude();
  race_->Tick(kDt);
  EXPECT_GT((b.GetPosition() - a.GetPosition()).Magnitude(), before);
}

TEST_F(RaceTest, ALeftClickOnThePlayersScarabSprintsAndTheSpriteDrawsAtItsHeading) {
  LoadRace();
  Start();
  QORRaceScarab& player = *race_->GetPlayerRacer();
  const math::Vec2 onScreen = player.GetPosition() - race_->GetScroll();
  race_->OnLeftClick(onScreen + math::Vec2(0.5f, 0.0f));
  EXPECT_FALSE(player.IsSprinting());
  race_->OnLeftClick(onScreen);
  EXPECT_TRUE(player.IsSprinting());
  race_->Draw();
  EXPECT_NEAR(player.GetSprite().position.x, player.GetPosition().x - race_->GetScroll().x, 1e-5f);
  EXPECT_NEAR(player.GetSprite().position.y, player.GetPosition().y - race_->GetScroll().y, 1e-5f);
  EXPECT_EQ(player.GetSprite().rotation, player.GetHeading());
}

// The player's yellow scarab, drawn alone on black: facing up its dark head
// lies 15 pixels above the sprite's centre; turned by its heading of 90
// degrees (towards the left) the head lies 15 pixels left of it.
TEST_F(RaceTest, ARacersSpriteIsDrawnTurnedByItsHeadingAtItsPositionLessTheScroll) {
  LoadRace({{2, 2}}, {{2, 12}});
  QORRaceScarab& player = *race_->GetPlayerRacer();
  // The first milestone lies straight left of the racer: heading 90.
  player.Position() = player.GetWaypoints()[0] + math::Vec2(0.3f, 0.0f);
  player.FaceFirstWaypoint();
  ASSERT_NEAR(player.GetHeading(), 90.0f, 0.01f);
  race_->SetScroll({0.1f, 0.2f});
  const math::Vec2 screen = player.GetPosition() - race_->GetScroll();
  const auto cx = static_cast<int>(screen.x * 800.0f), cy = static_cast<int>(screen.y * 600.0f);
  ASSERT_TRUE(cx > 40 && cx < 760 && cy > 40 && cy < 560) << cx << ", " << cy;

  Dx8Graphics* graphics = GetDx8Graphics();
  graphics->Clear(0xFF000000u, 1, 0, 1, 0, 0);
  ASSERT_TRUE(graphics->BeginScene());
  graphics->SetDefaultRenderStates();
  player.Draw();
  std::vector<uint32_t> pixels;
  uint32_t w = 0, h = 0;
  ASSERT_TRUE(platform::testing::ReadBackFrame(graphics->GetDevice(), pixels, w, h));
  graphics->EndScene();
  auto red = [&](int x, int y) { return static_cast<int>(pixels.at(static_cast<size_t>(y) * w + x) >> 16 & 0xFFu); };
  EXPECT_NEAR(red(cx - 15, cy), 0x6a, 24) << "the head, to the left";
  EXPECT_GT(red(cx + 6, cy + 5), 0xc0) << "the shell behind it, beside its middle line";
  EXPECT_LT(red(cx, cy - 15), 0x20) << "nothing above the centre";
}

// A script that drops the board from the countdown's "EndRaceTimer()" or
// the finish's "WinRace(%i)" runs inside calls that go on using the HUD: the
// board and its HUD leave once those calls have returned.
TEST_F(RaceTest, AScriptDroppingTheBoardAtTheStartOrTheFinishEndsTheRaceSafely) {
  QORGameState state(app_->GetCamera());
  state.SetName("game");
  lua_State* lua = GetConsole()->GetState()->GetCState();
  luabind::globals(lua)["Room"] = &state;
  GetConsole()->Do("SavedRaceCalls = { EndRaceTimer, WinRace }");
  const struct {
    const char* call;
    bool flyHome;  // the player is flown round the course; else the countdown runs
  } cases[] = {{"EndRaceTimer", false}, {"WinRace", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    GetConsole()->Do(std::string("function ") + c.call + "() Room:ShutdownLevel() end");
    const size_t mark = Mark();
    ASSERT_TRUE(state.LoadRace(Track({{2, 2}, {2, 6}}, {{20, 3}, {35, 10}})));
    QORRaceWell* race = state.GetRace();
    race->InitUI();
    race->StartRace();
    if (c.flyHome) race->SetStarted(true);
    for (int i = 0; i < 1000 && state.GetRace(); ++i) {
      QORRaceScarab* player = state.GetRace()->GetPlayerRacer();
      if (c.flyHome && player && !player->IsPastLastWaypoint())
        player->Position() = player->GetWaypoints()[player->GetNextWaypoint()];
      state.Tick(kDt);
    }
    EXPECT_EQ(state.GetRace(), nullptr);
    EXPECT_EQ(Ran(mark, std::string(c.call) + "("), 1);
  }
  GetConsole()->Do("EndRaceTimer, WinRace = SavedRaceCalls[1], SavedRaceCalls[2] SavedRaceCalls = nil");
  luabind::globals(lua)["Room"] = luabind::object();
}

TEST_F(RaceTest, ThePlayingStateLoadsRacesTakesTheBetAndStartAndSteersWithHeldButtons) {
  QORGameState state(app_->GetCamera());
  state.SetName("game");
  lua_State* lua = GetConsole()->GetState()->GetCState();
  luabind::globals(lua)["Room"] = &state;
  {
    LogCapture log;
    EXPECT_FALSE(state.LoadRace((tracks_.Path() / "missing.lua").string()));
    EXPECT_FALSE(log.Has("Level loaded successfully!"));
  }
  {
    LogCapture log;
    ASSERT_TRUE(state.LoadRace(Track({{2, 2}, {2, 6}}, {{20, 3}, {35, 10}})));
    EXPECT_TRUE(log.Has("Level loaded successfully!"));
  }
  QORRaceWell* race = state.GetRace();
  ASSERT_NE(race, nullptr);
  race->InitUI();
  GetConsole()->Do("Room:SetRaceBet(120)");
  EXPECT_EQ(race->GetBet(), 120);
  GetConsole()->Do("Room:StartRace()");
  EXPECT_FALSE(race->GetRaceUI()->IsBetting());

  // A held button reaches the race only while the state is current.
  state.OnEnter();
  input::MouseButton held;
  held.index = 1;
  held.down = 1;
  const math::Vec2 point{0.7f, 0.4f};
  state.OnMouseHeld(&held, &point);
  EXPECT_TRUE(race->GetPlayerRacer()->IsSteering());
  EXPECT_TRUE(race->GetPlayerRacer()->IsSprinting());
  state.OnExit();
  luabind::globals(lua)["Room"] = luabind::object();
}

}  // namespace
