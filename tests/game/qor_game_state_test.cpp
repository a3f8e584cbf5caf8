// The playing state in the running game: loading and dropping boards, the
// pause, the routing of input to the board, its frame, and its Lua class.
#include "game/qor_game_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <luabind/luabind.hpp>

#include "app/game_rms.h"
#include "board/game_variables.h"
#include "well/help/hand_hold.h"
#include "well/help/hand_hold_step.h"
#include "well/help/help_panel.h"
#include "board/help/qor_game_help.h"
#include "board/hud/qor_well_ui.h"
#include "board/powers/qor_power.h"
#include "board/explorer/qor_goal_map.h"
#include "board/qor_music_rotation.h"
#include "board/qor_well.h"
#include "well/block_names.h"
#include "well/game_end.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "game/game_test_support.h"
#include "log_capture.h"
#include "platform/audio/bass_testing.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/input/dinput_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "render/cameras/perspective_camera.h"
#include "ui/gameflow/game_flow_manager.h"
#include "temp_folder.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Calls = std::vector<std::string>;

// A HUD with colour switches of its own, as the editor's has: it turns one off.
class SwitchingHud : public QORWellUI {
 public:
  static constexpr int kSwitchedOff = 5;
  using QORWellUI::QORWellUI;
  void ReadColorSwitches(uint8_t flags[kColorCount]) override { flags[kSwitchedOff] = 0; }
};

// A level board that writes down what the playing state hands it.
class RecordingBoard : public QORWell {
 public:
  RecordingBoard(void* owner, Calls& calls, bool switchingHud)
      : QORWell(owner), calls_(calls), switchingHud_(switchingHud) {}
  void OnLeftClick(const math::Vec2& point) override {
    calls_.push_back("left");
    QORWell::OnLeftClick(point);
  }
  void OnRightClick(const math::Vec2& point) override {
    calls_.push_back("right");
    QORWell::OnRightClick(point);
  }
  void OnKey(const input::KeyState* key) override {
    calls_.push_back("key " + std::to_string(key->code));
    QORWell::OnKey(key);
  }
  void Tick(float dt) override {
    calls_.push_back("tick");
    if (winOnTick) {
      // As the explorer's arrival at the exit wins, in the middle of the tick.
      winOnTick = false;
      WinGame();
      GetConsole()->Do("LevelWasWon(3)");
    }
    QORWell::Tick(dt);
  }

  bool winOnTick = false;
  void InitUI() override {
    calls_.push_back("init ui");
    QORWell::InitUI();
  }
  void ShutdownUI() override {
    calls_.push_back("shutdown ui");
    QORWell::ShutdownUI();
  }
  void DrawOverlay() override {
    calls_.push_back("overlay");
    QORWell::DrawOverlay();
  }
  // Already at level start, before the state's entry makes the usual one.
  void OnLevelStart() override {
    QORWell::OnLevelStart();
    if (!switchingHud_) return;
    delete hud_;
    hud_ = new SwitchingHud(this);
  }
  void DropGoalMap() {
    delete goalMap_;
    goalMap_ = nullptr;
  }

 private:
  Calls& calls_;
  bool switchingHud_;
};

// The playing state with recording boards; it stays out of the game-flow
// manager's registry and is entered and left by the tests themselves.
class RecordingGameState : public QORGameState {
 public:
  explicit RecordingGameState(camera::PerspectiveCamera* camera) : QORGameState(camera), camera_(camera) {}
  Calls calls;
  // The boards made from now on have a switching HUD from their level start.
  bool switchingHuds = false;

 protected:
  std::unique_ptr<QORWell> NewLevelBoard() override {
    return std::make_unique<RecordingBoard>(camera_, calls, switchingHuds);
  }

 private:
  camera::PerspectiveCamera* camera_;
};

// A current profile for the test's length, so that the game variables hold;
// the record store's own profiles and hint switch come back after.
class ProfileForTest {
 public:
  explicit ProfileForTest(GameRMS* store)
      : store_(store), added_(!store->ProfileValid() && store->AddProfile("Tester", "english", "home")),
        hints_(GetInt(game_var::kHintsEnabled)) {}
  ~ProfileForTest() {
    SetInt(game_var::kHintsEnabled, hints_);
    if (added_) store_->DeleteProfile(store_->GetCurrentProfile());
  }
  ProfileForTest(const ProfileForTest&) = delete;
  ProfileForTest& operator=(const ProfileForTest&) = delete;

 private:
  GameRMS* store_;
  bool added_;
  int32_t hints_;
};

class PlayingStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
    state_ = std::make_unique<RecordingGameState>(app_->GetCamera());
    state_->SetName("game");
    lua_ = GetConsole()->GetState()->GetCState();
    luabind::globals(lua_)["Room"] = static_cast<QORGameState*>(state_.get());
    // Only the panels a test shows itself lie over the board.
    GetUIMan()->ForEachPanel([this](ui::UIWidget* panel) {
      if (panel->IsVisible()) hidden_.push_back(panel);
      panel->SetIsVisible(false);
    });
  }
  void TearDown() override {
    if (!state_) return;
    luabind::globals(lua_)["Room"] = luabind::object();
    if (state_->IsActive()) state_->OnExit();
    state_.reset();
    for (ui::UIWidget* panel : hidden_) panel->SetIsVisible(true);
    // The game's own entry points again, for those a test replaced.
    GetConsole()->Do("dofile('scripts/screens.lua')");
  }

  // A room of the given header, written for the test; its level id has no
  // level data, so it gets the five first colours.
  std::string Room(const std::string& name, const std::string& text) {
    const std::filesystem::path path = rooms_.Path() / (name + ".lua");
    std::ofstream(path) << text;
    return path.string();
  }
  std::string PlainRoom() {
    return Room("plain_room",
                "QOR = { Width = 20, Height = 12 }\n"
                "BackgroundTiles = {}\n"
                "for x = 0, 19 do for y = 0, 11 do\n"
                "  BackgroundTiles[#BackgroundTiles + 1] = { X = x, Y = y, Type = 2 }\n"
                "end end\n");
  }
  void Enter() { state_->OnEnter(); }
  void Press(int button, math::Vec2 point) { input_testing::Press(*state_, button, point); }
  // The calls made since the last look.
  Calls Take() {
    Calls taken;
    taken.swap(state_->calls);
    return taken;
  }
  bool PauseShown() const {
    ui::UIWidget* panel = GetUIMan()->GetPanel("pause");
    return panel && panel->IsVisible();
  }
  void Lua(const std::string& script) { GetConsole()->Do(script); }

  game_test::HeadlessGame* app_ = nullptr;
  TempFolder rooms_;
  std::unique_ptr<RecordingGameState> state_;
  lua_State* lua_ = nullptr;
  std::vector<ui::UIWidget*> hidden_;
};

TEST_F(PlayingStateTest, EscapeTogglesThePausePanelInFrontFreezesTheBoardAndResumesTheMusic) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  QORMusicRotation* music = state_->GetBoard()->GetMusic();
  ASSERT_NE(music, nullptr);
  EXPECT_FALSE(state_->IsPaused());
  EXPECT_FALSE(PauseShown());
  ASSERT_TRUE(state_->GetMapState());
  const input::KeyState escape = input_testing::KeyDown(QORGameState::kEscapeKey);
  state_->OnKeyDown(&escape);
  EXPECT_TRUE(state_->IsPaused());
  EXPECT_TRUE(PauseShown());
  EXPECT_FALSE(state_->GetMapState());
  // In front: the panel is the last one listed, so it is drawn last and asked first.
  ui::UIWidget* last = nullptr;
  GetUIMan()->ForEachPanel([&last](ui::UIWidget* panel) { last = panel; });
  EXPECT_EQ(last, GetUIMan()->GetPanel("pause"));
  // The piece playing ends during the pause; the board stands still.
  BASS_ChannelStop(music->GetChannel());
  Take();
  state_->Tick(0.05f);
  EXPECT_EQ(Take(), Calls{});
  EXPECT_FALSE(platform::testing::InspectChannel(music->GetChannel()).playing);

  state_->OnKeyDown(&escape);
  EXPECT_FALSE(state_->IsPaused());
  EXPECT_FALSE(PauseShown());
  state_->Tick(0.05f);
  EXPECT_EQ(Take(), Calls{"tick"});
  EXPECT_TRUE(platform::testing::InspectChannel(music->GetChannel()).playing);
}

TEST_F(PlayingStateTest, PauseAndHintPauseInAnyCaseAndEveryOtherNameResumes) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  const struct {
    const char* name;
    bool paused;
  } cases[] = {{"pause", true}, {"run", false}, {"PAUSE", true}, {"", false},
               {"hint", true},  {"Paused", false}, {"Hint", true}, {"resume", false}};
  for (const auto& c : cases) {
    Lua(std::string("Room:SetGameState('") + c.name + "')");
    EXPECT_EQ(state_->IsPaused(), c.paused) << c.name;
    EXPECT_EQ(PauseShown(), c.paused) << c.name;
  }
}

TEST_F(PlayingStateTest, TheEndSequenceCannotBePaused) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  state_->GetBoard()->SetGameEnd(new well::GameEnd(state_->GetBoard(), ""));
  state_->SetGameState("pause");
  EXPECT_FALSE(state_->IsPaused());
  EXPECT_FALSE(PauseShown());
  const input::KeyState escape = input_testing::KeyDown(QORGameState::kEscapeKey);
  state_->OnKeyDown(&escape);
  EXPECT_FALSE(state_->IsPaused());
}

TEST_F(PlayingStateTest, PressesOnImagesStayWithTheUIAndTheRestReachTheBoard) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  const std::filesystem::path panelFile = rooms_.Path() / "buttons.ui";
  std::ofstream(panelFile) << "Panel = { Name = 'test_buttons', Pos = { 0.5, 0.5 }, Size = { 0.2, 0.1 },\n"
                              "  MouseOff = 'ui_img/button_off.png' }\n";
  ui::UIWidget* buttons = GetUIMan()->AddPanel(panelFile.string());
  ASSERT_NE(buttons, nullptr);
  Take();
  const struct {
    int button;
    math::Vec2 point;
    Calls calls;
  } cases[] = {
      {0, {0.6f, 0.55f}, {}},
      {1, {0.6f, 0.55f}, {}},
      {0, {0.2f, 0.2f}, {"left"}},
      {1, {0.2f, 0.2f}, {"right"}},
      {2, {0.2f, 0.2f}, {}},
  };
  for (const auto& c : cases) {
    Press(c.button, c.point);
    EXPECT_EQ(Take(), c.calls) << c.button << " at " << c.point.x;
  }
  GetUIMan()->DropPanel(buttons, true);
}

TEST_F(PlayingStateTest, KeysReachTheBoardButNotWhileTheConsoleIsOpenOrTheStateIsLeft) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  Take();
  const input::KeyState q = input_testing::KeyDown(16);
  state_->OnKeyDown(&q);
  EXPECT_EQ(Take(), Calls{"key 16"});

  const input::KeyState grave = input_testing::KeyDown(41);
  GetConsole()->OnKeyDown(&grave);
  ASSERT_TRUE(GetConsole()->IsOpen());
  state_->OnKeyDown(&q);
  const input::KeyState escape = input_testing::KeyDown(QORGameState::kEscapeKey);
  state_->OnKeyDown(&escape);
  GetConsole()->OnKeyDown(&grave);
  ASSERT_FALSE(GetConsole()->IsOpen());
  EXPECT_EQ(Take(), Calls{});
  EXPECT_FALSE(state_->IsPaused());

  // Left, the state keeps its board but hears nothing: no click on the map
  // or the title reaches it, and Escape shows no pause panel there.
  state_->OnExit();
  Take();
  state_->OnKeyDown(&escape);
  state_->OnKeyDown(&q);
  Press(0, {0.2f, 0.2f});
  EXPECT_EQ(Take(), Calls{});
  EXPECT_FALSE(state_->IsPaused());
  EXPECT_FALSE(PauseShown());
  EXPECT_NE(state_->GetBoard(), nullptr);
}

TEST_F(PlayingStateTest, EveryEntryStartsUnpausedWithTheBoardItHad) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  QORWell* board = state_->GetBoard();
  Enter();
  state_->SetPaused(true);
  state_->OnExit();
  EXPECT_FALSE(PauseShown());
  Enter();
  EXPECT_FALSE(state_->IsPaused());
  EXPECT_FALSE(PauseShown());
  EXPECT_EQ(state_->GetBoard(), board);
  // Losing the focus pauses; getting it back does not resume.
  state_->OnPause();
  EXPECT_TRUE(state_->IsPaused());
  state_->OnResume();
  EXPECT_TRUE(state_->IsPaused());
}

TEST_F(PlayingStateTest, EnteringAndLeavingRunTheBaseTwiceAndTheBoardsInterfaceBetween) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Take();
  LogCapture log;
  Lua("GameEntries = 0 OnEnterGame = function() GameEntries = GameEntries + 1 end");
  Enter();
  EXPECT_EQ(Take(), Calls{"init ui"});
  state_->OnExit();
  EXPECT_EQ(Take(), Calls{"shutdown ui"});
  int entering = 0, exiting = 0;
  for (const std::string& line : LogCapture::Lines()) {
    if (line.find("> Entering game state game  [") != std::string::npos) ++entering;
    if (line.find("> Exiting game state game  [") != std::string::npos) ++exiting;
  }
  EXPECT_EQ(entering, 2);
  EXPECT_EQ(exiting, 2);
  EXPECT_EQ(luabind::object_cast<int>(luabind::globals(lua_)["GameEntries"]), 1);
  const math::Vec3 eye = app_->GetCamera()->GetEye();
  EXPECT_FLOAT_EQ(eye.z, -20.0f);
  EXPECT_EQ(app_->GetCamera()->GetClearColour(), QORGameState::kClearColour);
}

TEST_F(PlayingStateTest, LoadsLogSuccessOnlyForAFileThatRanWithItsHeader) {
  const std::string missing = (rooms_.Path() / "no_such_room.lua").string();
  const std::string bare = Room("bare_room", "Blocks = {}\n");
  const std::string empty = Room("empty_room", "");
  const std::string looping = Room("looping_room", "QOR = { Width = 20, Height = 12 }\nwhile true do end\n");
  const struct {
    std::string path;
    bool loaded;
    std::string line;
    bool success;
  } cases[] = {
      {missing, false, "> Failed to load level! " + missing + "  [MSG_ERROR]", false},
      {looping, false, "> Failed to load level! " + looping + "  [MSG_ERROR]", false},
      // Played on the fall-back board, and said so in place of success.
      {bare, true, "> Level file " + bare + " has no QOR table; the fall-back board is played  [MSG_WARNING]", false},
      {empty, true, "> Level file " + empty + " has no QOR table; the fall-back board is played  [MSG_WARNING]", false},
      {PlainRoom(), true, "> Level loaded successfully!  [MSG_COMMENT]", true},
  };
  for (const auto& c : cases) {
    LogCapture log;
    EXPECT_EQ(state_->LoadLevel(c.path), c.loaded) << c.path;
    EXPECT_TRUE(LogCapture::Has(c.line)) << LogCapture::Text();
    EXPECT_EQ(LogCapture::Has("Level loaded successfully!"), c.success) << c.path;
    // The board that failed to load stays, as the fall-back board.
    EXPECT_NE(state_->GetBoard(), nullptr);
    EXPECT_EQ(state_->GetLevelPath(), c.path);
  }
}

TEST_F(PlayingStateTest, AnEmptyPathKeepsTheBoardAndReplayLoadsTheLastPathAgain) {
  const std::string room = PlainRoom();
  Lua("Room:LoadLevel('" + room + "')");
  QORWell* board = state_->GetBoard();
  ASSERT_NE(board, nullptr);
  Lua("Room:LoadLevel('')");
  EXPECT_EQ(state_->GetBoard(), board);
  EXPECT_EQ(state_->GetLevelPath(), room);
  LogCapture log;
  Lua("Room:ReplayLevel()");
  EXPECT_NE(state_->GetBoard(), nullptr);
  EXPECT_EQ(state_->GetBoard()->GetFileName(), room);
  EXPECT_TRUE(LogCapture::Has("Level loaded successfully!"));
  Lua("Room:ShutdownLevel()");
  EXPECT_EQ(state_->GetBoard(), nullptr);
}

// A board dropped while its panels are up takes them down: nothing else would
// hide them once it is gone, and they would stay over the next screen.
TEST_F(PlayingStateTest, ADroppedOrReplacedBoardHidesItsPanels) {
  for (const std::string& script : {std::string("Room:ShutdownLevel()"), "Room:LoadLevel('" + PlainRoom() + "')"}) {
    ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
    Enter();
    ui::UIWidget* hud = GetUIMan()->AddPanel(QORWellUI::kPanel);
    ASSERT_NE(hud, nullptr);
    EXPECT_TRUE(hud->IsVisible());
    Take();
    Lua(script);
    EXPECT_EQ(Take(), Calls{"shutdown ui"}) << script;
    EXPECT_FALSE(hud->IsVisible()) << script;
    state_->OnExit();
  }
}

// A room's start script may load another room or none while the board that
// runs it is still at work; that board goes only once its call is done.
TEST_F(PlayingStateTest, AStartScriptMayReplaceOrDropTheBoardThatRunsIt) {
  const std::string next = PlainRoom();
  const std::string first = Room("first_room", "QOR = { Width = 20, Height = 12 }\n");
  Lua("Replaced = false OnLevelStart = function() if not Replaced then Replaced = true "
      "Room:LoadLevel('" + next + "') end end");
  EXPECT_TRUE(state_->LoadLevel(first));
  ASSERT_NE(state_->GetBoard(), nullptr);
  EXPECT_EQ(state_->GetBoard()->GetFileName(), next);

  Lua("OnLevelStart = function() Room:ShutdownLevel() end");
  EXPECT_TRUE(state_->LoadLevel(first));
  EXPECT_EQ(state_->GetBoard(), nullptr);
}

TEST_F(PlayingStateTest, TheWonScriptMayEndOrReplaceTheLevelFromInsideTheBoardsTick) {
  const std::string next = Room("next_room", "QOR = { Width = 20, Height = 12 }\n");
  const struct {
    std::string script;
    std::string boardAfter;  // the file of the board left, "" for none
  } cases[] = {{"Room:ShutdownLevel()", ""}, {"Room:LoadLevel('" + next + "')", next}};
  for (const auto& c : cases) {
    ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
    Enter();
    Lua("LevelWasWon = function(grade) " + c.script + " end");
    static_cast<RecordingBoard*>(state_->GetBoard())->winOnTick = true;
    state_->Tick(0.05f);
    EXPECT_EQ(state_->GetBoard() ? state_->GetBoard()->GetFileName() : "", c.boardAfter) << c.script;
    state_->Tick(0.05f);
    state_->OnExit();
  }
}

TEST_F(PlayingStateTest, TheLuaClassHasEveryMethodAndAnswersWithoutABoard) {
  const char* const methods[] = {
      "LoadLevel", "SaveWell", "LoadWell", "LoadRace", "SetLevelID", "SetLevelTime", "ShutdownLevel",
      "SetGameState", "IsPaused", "SetAutoTrigger", "GetAutoTrigger", "SetBackgroundEffect", "SetBackground",
      "LoadEditor", "StartEditor", "SetEditorColor", "SetEditorSize", "ReplayLevel", "SetEditorCurrentTile",
      "SetEditorCurrentDecoration", "SetEditorCurrentBlock", "SetEditorCurrentColor", "SetEditorCurrentMode",
      "SetEditorCurrentWalker", "SetupGrid", "TriggerSpecial", "SetRaceBet", "SetScrollOn", "GetMapState",
      "SetMapState", "StartRace"};
  std::string missing;
  for (const char* method : methods) {
    Lua(std::string("Found = type(Room.") + method + ") == 'function'");
    if (!luabind::object_cast<bool>(luabind::globals(lua_)["Found"])) missing += std::string(method) + " ";
  }
  EXPECT_EQ(missing, "");
  // Without a board every call is ignored and every query answers no.
  LogCapture log;
  Lua("Room:SetLevelID(2) Room:SetBackground('img/Background_1.jpg') Room:SetBackgroundEffect('snow') "
      "Room:TriggerSpecial(1) Room:SetMapState(true) Room:SetScrollOn(true) Room:SaveWell('x.lua') "
      "Room:LoadWell('x.lua') Room:SetupGrid(true, 1) Room:SetRaceBet(10) Room:StartRace() "
      "Room:SetAutoTrigger(true) MapOpen = Room:GetMapState() Trigger = Room:GetAutoTrigger()");
  EXPECT_FALSE(luabind::object_cast<bool>(luabind::globals(lua_)["MapOpen"]));
  EXPECT_TRUE(luabind::object_cast<bool>(luabind::globals(lua_)["Trigger"]));
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();
  EXPECT_TRUE(LogCapture::At(MSG_SCRIPT).empty()) << LogCapture::Text();
}

TEST_F(PlayingStateTest, LevelIndexesFromLuaAreTruncated) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  const struct {
    const char* value;
    int index;
  } cases[] = {{"1.9", 1}, {"-0.5", 0}, {"0", 0}, {"-2.7", -2}};
  for (const auto& c : cases) {
    Lua(std::string("Room:SetLevelID(") + c.value + ")");
    EXPECT_EQ(state_->GetBoard()->GetLevelIndex(), c.index) << c.value;
  }
}

TEST_F(PlayingStateTest, EditorColoursSwitchTheColourTheEngineNames) {
  const struct {
    const char* name;
    bool on;
    int colour;  // the switch that changes, -1 for none
  } cases[] = {{"violet", false, 9},  {"generic12", false, 23}, {"no such colour", false, 2},
               {"none", false, -1}, {"any", false, -1},         {"RED", true, 2}};
  for (const auto& c : cases) {
    std::vector<uint8_t> before(state_->GetColorSwitches(),
                                state_->GetColorSwitches() + QORGameState::kColorSwitchCount);
    Lua(std::string("Room:SetEditorColor('") + c.name + "', " + (c.on ? "true" : "false") + ")");
    for (int i = 0; i < QORGameState::kColorSwitchCount; ++i) {
      const uint8_t expected = i == c.colour ? (c.on ? 1 : 0) : before[static_cast<size_t>(i)];
      EXPECT_EQ(state_->GetColorSwitches()[i], expected) << c.name << " switch " << i;
    }
  }
}

TEST_F(PlayingStateTest, GetMapStateIsFalseWithoutAGoalMapAndOnlyPowersOneToNineAreTriggered) {
  ASSERT_TRUE(state_->LoadLevel(Room("bare_room", "Blocks = {}\n")));
  static_cast<RecordingBoard*>(state_->GetBoard())->DropGoalMap();
  Lua("Room:SetMapState(true) MapOpen = Room:GetMapState()");
  EXPECT_FALSE(luabind::object_cast<bool>(luabind::globals(lua_)["MapOpen"]));
  LogCapture log;
  Lua("Room:TriggerSpecial(0) Room:TriggerSpecial(10) Room:TriggerSpecial(-3) Room:TriggerSpecial(1.9)");
  EXPECT_TRUE(LogCapture::At(MSG_SCRIPT).empty()) << LogCapture::Text();
}

TEST_F(PlayingStateTest, TriggerSpecialArmsAPowerWithAChargeOnceTheTutorialIsOver) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  QORWellUI* hud = state_->GetBoard()->GetHud();
  ASSERT_NE(hud, nullptr);
  ProfileForTest profile(app_->GetRecordStore());
  const int32_t charges = GetInt(game_var::kFirstPowerCount + 2);
  SetInt(game_var::kFirstPowerCount + 2, 1);
  ASSERT_EQ(GetInt(game_var::kFirstPowerCount + 2), 1);
  hud->SetTutorialDone(false);
  Lua("Room:TriggerSpecial(3)");
  EXPECT_EQ(hud->GetArmedPower(), nullptr) << "not while a tutorial runs";
  hud->SetTutorialDone(true);
  Lua("Room:TriggerSpecial(2)");
  EXPECT_EQ(hud->GetArmedPower(), nullptr) << "no charge of power 2";
  Lua("Room:TriggerSpecial(3)");
  ASSERT_NE(hud->GetArmedPower(), nullptr);
  EXPECT_EQ(hud->GetArmedPower()->GetIndex(), 3);
  Lua("Room:TriggerSpecial(3)");
  EXPECT_EQ(hud->GetArmedPower(), nullptr) << "the armed one again disarms it";
  SetInt(game_var::kFirstPowerCount + 2, charges);
}

TEST_F(PlayingStateTest, TheMapStateOpensAndClosesTheBoardsGoalMap) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Lua("MapOpen = Room:GetMapState()");
  EXPECT_TRUE(luabind::object_cast<bool>(luabind::globals(lua_)["MapOpen"])) << "opened at level start";
  const struct {
    const char* flag;
    bool open;
  } cases[] = {{"false", false}, {"false", false}, {"true", true}, {"true", true}, {"false", false}};
  for (const auto& c : cases) {
    Lua(std::string("Room:SetMapState(") + c.flag + ") MapOpen = Room:GetMapState()");
    EXPECT_EQ(luabind::object_cast<bool>(luabind::globals(lua_)["MapOpen"]), c.open) << c.flag;
    EXPECT_EQ(state_->GetBoard()->GetGoalMap()->IsOpen(), c.open) << c.flag;
  }
}

TEST_F(PlayingStateTest, InsideTheOpenGoalMapALeftPressReachesTheBoardAndAnyOtherTheMap) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  // The map is open after the board's first moments and lays out its floor
  // as it is drawn.
  state_->Tick(0.5f);
  ASSERT_TRUE(state_->Render());
  QORGoalMap* map = state_->GetBoard()->GetGoalMap();
  QORWellUI* hud = state_->GetBoard()->GetHud();
  ASSERT_NE(hud, nullptr);
  ASSERT_TRUE(map->IsOpen());
  // An image under the map's corner.
  const std::filesystem::path panelFile = rooms_.Path() / "corner.ui";
  std::ofstream(panelFile) << "Panel = { Name = 'test_corner', Pos = { 0.7, 0.75 }, Size = { 0.3, 0.25 },\n"
                              "  MouseOff = 'ui_img/button_off.png' }\n";
  ui::UIWidget* corner = GetUIMan()->AddPanel(panelFile.string());
  ASSERT_NE(corner, nullptr);
  const math::Vec2 inMap{(QORGoalMap::kPanelLeft + QORGoalMap::kPanelRight) * 0.5f,
                         (QORGoalMap::kPanelTop + QORGoalMap::kPanelBottom) * 0.5f};
  const struct {
    int button;
    math::Vec2 point;
    bool mapOpen;
    Calls calls;
    bool mapClicked;
    bool popupEnds;  // the press stayed with the UI
  } cases[] = {
      {0, inMap, true, {"left"}, false, false}, {1, inMap, true, {}, true, false},
      {2, inMap, true, {}, true, false},        {0, inMap, false, {}, false, true},
      {1, inMap, false, {}, false, true},       {1, {0.2f, 0.2f}, true, {"right"}, false, false},
  };
  for (const auto& c : cases) {
    state_->SetMapState(c.mapOpen);
    hud->GetPopupTimer().remaining = QORWellUI::kPopupSeconds;
    const int32_t clicks = map->GetClicks();
    Take();
    Press(c.button, c.point);
    EXPECT_EQ(Take(), c.calls) << c.button << (c.mapOpen ? " open" : " closed");
    // What the board does with a left press is its own.
    if (c.button != 0) {
      EXPECT_EQ(map->GetClicks() - clicks, c.mapClicked ? 1 : 0) << c.button;
    }
    // A press the board took may end the popup by the board's own rules.
    if (c.calls.empty()) {
      EXPECT_EQ(hud->GetPopupTimer().IsExpired(), c.popupEnds) << c.button << (c.mapOpen ? " open" : " closed");
    }
  }
  GetUIMan()->DropPanel(corner, true);
}

// A new profile in the first room meets several things at once: each first
// hint opens in its turn, once the one before it is dismissed.
TEST_F(PlayingStateTest, ANewProfileInTheFirstRoomSeesEachFirstHintInItsTurn) {
  ProfileForTest profile(app_->GetRecordStore());
  std::vector<int32_t> flags;
  for (int32_t id = QORGameHelp::kFirstId; id <= QORGameHelp::kLastId; ++id) {
    flags.push_back(GetInt(id));
    SetInt(id, 0);
  }
  SetInt(game_var::kHintsEnabled, 1);
  ASSERT_TRUE(state_->LoadLevel("level/temple_1_level_1.lua"));
  Enter();
  QORGameHelp* help = state_->GetBoard()->GetHelp();
  ASSERT_NE(help, nullptr);
  float& now = GetFrameTimer().totalTime;
  const float then = now;
  std::vector<std::string> seen;
  for (int i = 0; i < 600; ++i) {
    state_->Tick(0.05f);
    now += 0.05f;
    if (!help->IsHintOpen()) continue;
    const std::string& text = help->GetPanel()->GetTextId();
    if (seen.empty() || seen.back() != text) seen.push_back(text);
    help->Dismiss();
  }
  now = then;
  for (int32_t id = QORGameHelp::kFirstId; id <= QORGameHelp::kLastId; ++id) SetInt(id, flags[id - QORGameHelp::kFirstId]);

  std::string shown;
  for (const std::string& text : seen) shown += text + " ";
  EXPECT_NE(std::find(seen.begin(), seen.end(), "HINT_FIRST_2_CLICK_TILE"), seen.end()) << shown;
  EXPECT_GT(seen.size(), 1u) << shown;
}

TEST_F(PlayingStateTest, SetLevelIDBuildsTheTutorialOfTheFirstTwoRoomsWhileHintsAreOn) {
  ProfileForTest profile(app_->GetRecordStore());
  const struct {
    int level;
    bool hints;
    size_t steps;  // 0 for no tutorial
  } cases[] = {{0, true, 5}, {0, false, 0}, {1, true, 8}, {2, true, 0}};
  for (const auto& c : cases) {
    ASSERT_TRUE(state_->LoadLevel("level/temple_1_level_1.lua"));
    SetInt(game_var::kHintsEnabled, c.hints ? 1 : 0);
    LogCapture log;
    Lua("Room:SetLevelID(" + std::to_string(c.level) + ")");
    const well::HandHold* tutorial = state_->GetBoard()->GetHandHold();
    EXPECT_EQ(tutorial ? tutorial->GetStepCount() : 0u, c.steps) << c.level << (c.hints ? " hints" : "");
    // Room 1 has the row its tutorial recolours.
    EXPECT_FALSE(LogCapture::Has("The tutorial finds no block")) << LogCapture::Text();
  }
}

TEST_F(PlayingStateTest, LoadsTakeTheColourSwitchesOfTheBoardsHud) {
  const std::string room = PlainRoom();
  const std::string saved = (rooms_.Path() / "saved_board.lua").string();
  const int colour = SwitchingHud::kSwitchedOff;
  ASSERT_TRUE(state_->LoadLevel(room));
  EXPECT_EQ(state_->GetColorSwitches()[colour], 1) << "a board without a HUD leaves them";
  ASSERT_TRUE(state_->SaveWell(saved));
  state_->switchingHuds = true;
  ASSERT_TRUE(state_->LoadLevel(room));
  EXPECT_EQ(state_->GetColorSwitches()[colour], 0);
  state_->SetEditorColor(well::ColorToName(colour), true);
  ASSERT_EQ(state_->GetColorSwitches()[colour], 1);
  state_->LoadWell(saved);
  EXPECT_EQ(state_->GetColorSwitches()[colour], 0);
}

TEST_F(PlayingStateTest, ABoardLoadedAgainStartsWithoutTheRivalOfTheLastOne) {
  const auto rivalStart = [this] {
    std::pair<int32_t, int32_t> cell{-1, -1};
    state_->GetBoard()->GetShadyStart(cell.first, cell.second);
    return cell;
  };
  ASSERT_TRUE(state_->LoadLevel(Room("rival_room", "QOR = { Width = 20, Height = 12 }\n"
                                                   "Spiders = { { X = 7, Y = 3, ID = 1 } }\n")));
  ASSERT_TRUE(state_->GetBoard()->IsShadyLevel());
  ASSERT_EQ(rivalStart(), std::make_pair(7, 3));

  ASSERT_TRUE(state_->LoadWell(PlainRoom()));
  EXPECT_FALSE(state_->GetBoard()->IsShadyLevel());
  EXPECT_EQ(rivalStart(), std::make_pair(0, 0)) << "no start cell";
}

TEST_F(PlayingStateTest, GetGameAnswersTheRegisteredPlayingState) {
  Lua("Game = GetGame()");
  QORGameState* game = luabind::object_cast<QORGameState*>(luabind::globals(lua_)["Game"]);
  EXPECT_EQ(game, gameflow::GetGameFlowManager().FindState("game"));
  Lua("Game = nil collectgarbage()");
  // Lua's collector never owns it.
  EXPECT_EQ(gameflow::GetGameFlowManager().FindState("game"), game);
}

// Frames read back from the device.
class PlayingStateFrameTest : public PlayingStateTest {
 protected:
  uint32_t Pixel(uint32_t x, uint32_t y) {
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(GetDx8Graphics()->GetDevice(), pixels, w, h));
    return pixels.empty() ? 0xDEADu : pixels[static_cast<size_t>(y) * w + x] | 0xFF000000u;
  }
};

TEST_F(PlayingStateFrameTest, WithoutABoardTheFrameIsTheClearColourOutsideThePanels) {
  Enter();
  ASSERT_TRUE(state_->Render());
  EXPECT_EQ(Pixel(400, 300), QORGameState::kClearColour);
  EXPECT_EQ(Pixel(790, 10), QORGameState::kClearColour);
}

TEST_F(PlayingStateFrameTest, PausedTheFrameShowsThePausePanelWithoutTheBoardsOverlay) {
  ASSERT_TRUE(state_->LoadLevel(PlainRoom()));
  Enter();
  Take();
  ASSERT_TRUE(state_->Render());
  EXPECT_EQ(Take(), Calls{"overlay"});
  const uint32_t before = Pixel(400, 300);
  state_->SetPaused(true);
  ASSERT_TRUE(state_->Render());
  EXPECT_EQ(Take(), Calls{});
  EXPECT_NE(Pixel(400, 300), before);
  EXPECT_NE(Pixel(400, 300), QORGameState::kClearColour);
}

TEST_F(PlayingStateFrameTest, ALostDeviceFailsTheFrame) {
  Enter();
  IDirect3DDevice8* device = GetDx8Graphics()->GetDevice();
  platform::testing::LoseDevice(device);
  EXPECT_FALSE(state_->Render());
  platform::testing::AllowDeviceReset(device);
  app_->ResetDevice();
  EXPECT_TRUE(state_->Render());
}

}  // namespace
