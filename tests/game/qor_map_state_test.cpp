// The map in the running game: its first-visit hints, the globals that open
// them, the backdrop behind them, and what leaving the map records; the
// game's states beside it.
#include "game/qor_map_state.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_rms.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "game/game_test_support.h"
#include "game/qor_credit_state.h"
#include "game/qor_game_state.h"
#include "game/qor_mini_game_state.h"
#include "temp_folder.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"
#include "well/help/help_panel.h"

namespace {

const int kMapHints[] = {QORMapState::kFirstTempleHint, QORMapState::kFirstRoomHint, QORMapState::kHardLevelHint};

class MapStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
    GameRMS* store = GetRMS();
    ASSERT_NE(store, nullptr);
    if (!store->GetCurrentProfileRecord()) {
      ASSERT_TRUE(store->AddProfile("Tester", "english", ""));
    }
    SetInt(game_var::kHintsEnabled, 1);
    for (int id : kMapHints) SetInt(id, 0);
    // The map's own script would open a hint of its own on entry.
    Lua("function OnEnterMap() end");
    flow_ = &gameflow::GetGameFlowManager();
    map_ = dynamic_cast<QORMapState*>(flow_->FindState("map"));
    ASSERT_NE(map_, nullptr);
  }
  void TearDown() override {
    flow_->SetState(flow_->FindState("title"));
    if (map_) map_->DisableHint();
    SetInt(game_var::kHintsEnabled, 0);
    Lua("dofile('scripts/map.lua')");
  }

  static void Lua(const std::string& script) { GetConsole()->Do(script); }
  static std::string OpenHint(const QORMapState& map) {
    well::HelpPanel* panel = map.GetHelp()->GetPanel();
    return map.GetHelp()->IsHintOpen() && panel ? panel->GetTextId() : "";
  }
  void Press() { input_testing::Press(*map_, 0, {0.5f, 0.5f}); }
  // A map of the test's own, made as the game makes its map, in place of
  // the game's: a map shows each hint once, and earlier tests may have
  // shown them on the game's map. The Lua globals reach only the game's.
  void UseOwnMap() {
    ownMap_ = std::make_unique<QORMapState>("OnEnterMap()", "ui/map.ui", app_->GetCamera(), "OnExitGeneric()");
    map_ = ownMap_.get();
  }

  game_test::HeadlessGame* app_ = nullptr;
  gameflow::GameFlowManager* flow_ = nullptr;
  QORMapState* map_ = nullptr;
  std::unique_ptr<QORMapState> ownMap_;  // a test's own map, deleted once TearDown has left it
};

TEST_F(MapStateTest, TheGameRegistersItsFourStatesAndTheGlobalsReachThePuzzle) {
  EXPECT_NE(dynamic_cast<QORGameState*>(flow_->FindState("game")), nullptr);
  EXPECT_NE(dynamic_cast<QORCreditState*>(flow_->FindState("credits")), nullptr);
  auto* puzzle = dynamic_cast<QORMiniGameState*>(flow_->FindState("minigame"));
  ASSERT_NE(puzzle, nullptr);
  const std::string picture = puzzle->GetPicture();
  Lua("SetMiniGameImage('img/puzzle_scarab.jpg')");
  EXPECT_EQ(puzzle->GetPicture(), "img/puzzle_scarab.jpg");
  puzzle->SetPicture(picture);
  const bool paused = puzzle->IsPaused();
  Lua("ToggleMinigamePause()");
  EXPECT_NE(puzzle->IsPaused(), paused);
  Lua("ToggleMinigamePause()");
  EXPECT_EQ(puzzle->IsPaused(), paused);
}

TEST_F(MapStateTest, HintNamesGiveTheirIdsInAnyCaseAndUnknownNamesTheFirstTemple) {
  const struct {
    const char* name;
    int id;
  } cases[] = {{"FIRST_TEMPLE", 66}, {"first_room", 67}, {"Hard_Level_Hint", 83}, {"FIRST_PUZZLE", 66}, {"", 66}};
  for (const auto& c : cases) EXPECT_EQ(QORMapState::HintIdFromName(c.name), c.id) << c.name;

  // Each map has a hint manager of its own.
  QORMapState room("", "", app_->GetCamera(), "");
  room.TriggerHint("first_room", {0.4f, 0.4f}, {0.5f, 0.5f});
  EXPECT_EQ(OpenHint(room), "HINT_FIRST_ROOM");
  EXPECT_EQ(GetInt(QORMapState::kFirstRoomHint), 1);
  QORMapState elsewhere("", "", app_->GetCamera(), "");
  elsewhere.TriggerHint("somewhere", {0.4f, 0.4f}, {0.5f, 0.5f});
  EXPECT_EQ(OpenHint(elsewhere), "HINT_FIRST_TEMPLE");
}

TEST_F(MapStateTest, TheGlobalsReachTheMapOnScreenAndLeavingItShutsTheFirstHints) {
  flow_->SetState(map_);
  Lua("TriggerHint('FIRST_TEMPLE', Vec2(0.3, 0.4), Vec2(0.4, 0.5))");
  EXPECT_EQ(OpenHint(*map_), "HINT_FIRST_TEMPLE");
  map_->Tick(0.05f);
  ASSERT_NE(map_->GetBackdrop(), nullptr);
  EXPECT_TRUE(map_->GetBackdrop()->IsVisible());

  // Leaving hides the backdrop but leaves the hint open for the next visit.
  flow_->SetState(flow_->FindState("title"));
  EXPECT_FALSE(map_->GetBackdrop()->IsVisible());
  EXPECT_TRUE(map_->GetHelp()->IsHintOpen());
  EXPECT_EQ(GetInt(QORMapState::kFirstTempleHint), 1);
  EXPECT_EQ(GetInt(QORMapState::kFirstRoomHint), 1);
  flow_->SetState(map_);
  Lua("DisableHint()");
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  Lua("TriggerHintWidget('FIRST_ROOM', GetUIMan():GetPanel('map'))");
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  Lua("TriggerHintWidget('HARD_LEVEL_HINT', nil)");
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  Lua("TriggerHintWidget('HARD_LEVEL_HINT', GetUIMan():GetPanel('map'):GetWidgetByName('temple_2'))");
  EXPECT_EQ(OpenHint(*map_), "HARD_LEVEL_HINT");
}

// A rank is kept as the record store holds it; the map shows five stars at
// most, however large it is.
TEST_F(MapStateTest, ARoomShowsAtMostFiveStarsWhateverItsRankHolds) {
  flow_->SetState(map_);
  GameRMS* store = GetRMS();
  ui::UIWidget* map = GetUIMan()->GetPanel("map");
  ASSERT_NE(map, nullptr);
  ui::UIWidget* room = map->GetWidgetByName("room_1");
  ASSERT_NE(room, nullptr);
  const int kept = store->GetRank(0);
  auto shown = [&](int rank) {
    store->SetRank(0, rank);
    Lua("ShowMapRooms()");
    return room->GetText();
  };
  const std::string five = shown(5);
  EXPECT_NE(five, shown(4));
  EXPECT_NE(five, shown(0));
  for (int rank : {6, 10000, 2000000000, 2147483647}) EXPECT_EQ(shown(rank), five) << rank;
  store->SetRank(0, kept);
}

TEST_F(MapStateTest, WithoutAMapOnScreenTheGlobalsDoNothing) {
  Lua("TriggerHint('HARD_LEVEL_HINT', Vec2(0.3, 0.4), Vec2(0.4, 0.5))");
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  // A market made by the scripts as a plain screen has no hints.
  if (!flow_->FindState("market")) Lua("AddGameScreen('market', '', '', '')");
  flow_->SetState(flow_->FindState("market"));
  Lua("TriggerHint('HARD_LEVEL_HINT', Vec2(0.3, 0.4), Vec2(0.4, 0.5)) DisableHint()");
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  EXPECT_EQ(GetInt(QORMapState::kHardLevelHint), 0);
}

TEST_F(MapStateTest, APressClosesTheHintAndTheBackdropGoesOnTheNextTick) {
  UseOwnMap();
  flow_->SetState(map_);
  ui::UIWidget* backdrop = map_->GetBackdrop();
  ASSERT_NE(backdrop, nullptr);
  EXPECT_EQ(backdrop, GetUIMan()->GetPanel(QORMapState::kBackdropPanel));
  map_->TriggerHint("HARD_LEVEL_HINT", {0.3f, 0.4f}, {0.4f, 0.5f});
  ASSERT_TRUE(map_->GetHelp()->IsHintOpen());
  map_->Tick(0.05f);
  EXPECT_TRUE(backdrop->IsVisible());
  // In front of every panel.
  ui::UIWidget* front = nullptr;
  GetUIMan()->ForEachPanel([&front](ui::UIWidget* panel) { front = panel; });
  EXPECT_EQ(front, backdrop);
  Press();
  EXPECT_FALSE(map_->GetHelp()->IsHintOpen());
  EXPECT_TRUE(backdrop->IsVisible());
  map_->Tick(0.05f);
  EXPECT_FALSE(backdrop->IsVisible());
}

TEST_F(MapStateTest, TheBackdropIsFoundAmongThePanelsListedBeforeTheMapLoadsItsOwn) {
  ui::UIManager* ui = GetUIMan();
  ui::UIWidget* listed = ui->GetPanel(QORMapState::kBackdropPanel);
  ASSERT_NE(listed, nullptr);
  QORMapState first("", "ui/map.ui", app_->GetCamera(), "");
  first.OnEnter();
  EXPECT_EQ(first.GetBackdrop(), listed);
  first.OnExit();

  // A backdrop that only the map's own file brings is found from the second visit.
  ASSERT_TRUE(ui->DropPanel(listed, false));
  TempFolder folder;
  const std::string file = (folder.Path() / "map_with_backdrop.ui").string();
  std::ofstream(file) << "Panel = { Name = 'hint_bg', Pos = { 0, 0 }, Size = { 1, 1 } }\n";
  QORMapState own("", file, app_->GetCamera(), "");
  own.OnEnter();
  EXPECT_EQ(own.GetBackdrop(), nullptr);
  own.OnExit();
  own.OnEnter();
  ui::UIWidget* loaded = ui->GetPanel(QORMapState::kBackdropPanel);
  EXPECT_NE(loaded, nullptr);
  EXPECT_EQ(own.GetBackdrop(), loaded);
  own.OnExit();
  ui->DropPanel(loaded, true);
  ui->InsertPanel(listed);
}

}  // namespace
