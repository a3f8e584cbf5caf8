// A player's tour of the whole game, headless, through its scripts, panels
// and input devices: a new profile, the map, the first room with its
// tutorial won with the key Q, its summary and the second room opened; the
// rival's room lost; the race, the picture puzzle, the credits and the
// level editor. No step may leave a load failure or a script error in the
// log.
#include <gtest/gtest.h>

#include <SDL_scancode.h>
#include <lua.hpp>

#include <set>
#include <string>
#include <vector>

#include "board/hud/qor_well_ui.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/qor_well.h"
#include "board/game_variables.h"
#include "well/block_names.h"
#include "well/help/help_panel.h"
#include "board/help/qor_game_help.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "core/text/strman.h"
#include "render/fonts/font.h"
#include "render/fonts/font_manager.h"
#include "game/game_test_support.h"
#include "game/qor_game_state.h"
#include "game/qor_race_well.h"
#include "log_capture.h"
#include "temp_folder.h"
#include "text_contrast.h"
#include "platform/input/dinput_testing.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/ui_widget.h"

namespace {

using input_testing::Click;
using input_testing::Stroke;

// What no step of the tour may write into the log.
const char* const kFailures[] = {"Unable to load",  "Missing Sprite",  "Error loading Particle system object",
                                 "Unable to dataset!", "attempt to call", "Failed to load level!"};

class TourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(game_test::StartedGame(), nullptr);
    game_ = dynamic_cast<QORGameState*>(flow().FindState("game"));
    ASSERT_NE(game_, nullptr);
  }
  static gameflow::GameFlowManager& flow() { return gameflow::GetGameFlowManager(); }

  // The state change the scripts asked for, made as the next frame makes it.
  void Settle() {
    if (flow().GetPendingState()) flow().SetState(flow().GetPendingState());
  }
  // Frames of 0.05 s: the frame clock advances as the main loop advances it,
  // and the flow runs the scripts that fall due.
  void Tick(float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.05f) {
      GetFrameTimer().frameDelta = 0.05f;
      GetFrameTimer().totalTime += 0.05f;
      flow().Tick();
    }
  }
  std::string CurrentState() { return flow().GetCurrentState() ? flow().GetCurrentState()->GetName() : ""; }
  void Lua(const std::string& text) { GetConsole()->Do(text); }
  // The console's global as text (tostring).
  std::string Global(const std::string& expression) {
    Lua("TourValue = tostring(" + expression + ")");
    lua_State* lua = GetConsole()->GetState()->GetCState();
    lua_getglobal(lua, "TourValue");
    const std::string value = lua_tostring(lua, -1) ? lua_tostring(lua, -1) : "";
    lua_pop(lua, 1);
    return value;
  }
  ui::UIWidget* Widget(const char* panel, const char* name) {
    ui::UIWidget* p = GetUIMan()->GetPanel(panel);
    return p ? p->GetWidgetByName(name) : nullptr;
  }
  // A left press on a cell of the room, through the playing state.
  void ClickCell(int32_t x, int32_t y) {
    ClickAt(game_->GetBoard()->CellToScreen(x, y) + math::Vec2(0.02f, 0.03f));
  }
  void ClickAt(math::Vec2 point, int button = 0) { input_testing::Press(*game_, button, point); }
  // The game's own scripts with no profile left but a new one of the name.
  void StartAsNewPlayer(const std::string& name) {
    Lua("dofile('scripts/console.lua')");
    Lua("while GetRMS():GetProfileC() > 0 do GetRMS():DeleteProfile(0) end");
    Lua("UseProfile('" + name + "')");
    ASSERT_EQ(Global("GetRMS():GetName()"), name);
  }
  // A first start: the game's own scripts, no profile yet, and Play pressed
  // on the title, which asks for a name in the welcome box.
  void OpenWelcomeBox() {
    Lua("dofile('scripts/console.lua')");
    Lua("while GetRMS():GetProfileC() > 0 do GetRMS():DeleteProfile(0) end");
    Lua("JumpState('title')");
    Settle();
    Click(Widget("title", "play"));
    ASSERT_NE(GetUIMan()->GetPanel("profile"), nullptr);
    ASSERT_TRUE(GetUIMan()->GetPanel("profile")->IsVisible());
  }
  // The title's Editor pressed: the level editor's board in play.
  void OpenEditor() {
    Lua("JumpState('title')");
    Settle();
    Click(Widget("title", "editor"));
    Settle();
    ASSERT_EQ(CurrentState(), "game");
    ASSERT_NE(game_->GetBoard(), nullptr);
    ASSERT_TRUE(game_->GetBoard()->IsEditorWell());
  }
  // The hint the room's help box shows, by its name; "" with the box closed.
  std::string ShownHint() {
    QORGameHelp* help = game_->GetBoard()->GetHelp();
    return help && help->IsHintOpen() && help->GetPanel() ? help->GetPanel()->GetTextId() : "";
  }
  void ExpectCleanLog(const char* step) {
    for (const char* failure : kFailures) EXPECT_FALSE(LogCapture::Has(failure)) << step << ": " << LogCapture::Text();
    EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << step << ": " << LogCapture::Text();
  }
  // Ticks the room until its end screen is up and shown; a hint that opens
  // on the way (it holds the room still) is closed with a press.
  void PlayToTheEnd(float seconds) {
    for (float t = 0.0f; t < seconds && !game_->GetBoard()->GetGameEnd(); t += 0.05f) {
      if (game_->GetBoard()->GetHelp()->IsHintOpen()) ClickAt(math::Vec2(0.3f, 0.3f));
      Tick(0.05f);
    }
    ASSERT_NE(game_->GetBoard()->GetGameEnd(), nullptr);
    Tick(8.0f);
  }

  QORGameState* game_ = nullptr;
};

TEST_F(TourTest, ANewPlayerWinsTheFirstRoomLosesToTheRivalRacesPlaysThePuzzleSeesTheCreditsAndOpensTheEditor) {
  LogCapture log;
  ASSERT_NO_FATAL_FAILURE(OpenWelcomeBox());
  Widget("profile", "name")->SetText("Tamsin");
  Click(Widget("profile", "ok"));
  EXPECT_EQ(Global("GetRMS():GetName()"), "Tamsin");
  EXPECT_EQ(Global("IsHintEnabled()"), "true");
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  Lua("DisableHint()");
  Tick(0.1f);
  // Only the first room is open.
  ASSERT_NE(Widget("map", "room_1"), nullptr);
  EXPECT_TRUE(Widget("map", "room_1")->IsVisible());
  EXPECT_FALSE(Widget("map", "room_2")->IsVisible());
  EXPECT_FALSE(Widget("map", "room_6")->IsVisible());
  ExpectCleanLog("map");

  // Room 1 and its tutorial, won with the key Q.
  Click(Widget("map", "temple_1"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  ASSERT_NE(game_->GetBoard(), nullptr);
  EXPECT_EQ(game_->GetBoard()->GetLevelId(), "temple_1_level_1");
  // The tutorial points at two tokens to swap, then at the run they make.
  Tick(2.0f);
  EXPECT_NE(game_->GetBoard()->GetHandHold(), nullptr);
  ClickCell(31, 31);
  Tick(0.1f);
  ClickCell(32, 31);
  Tick(2.5f);
  ClickCell(20, 20);
  Tick(0.1f);
  EXPECT_EQ(game_->GetBoard()->GetHandHold(), nullptr);
  Stroke(SDL_SCANCODE_Q);
  // A first-time hint that opens holds the explorer until a press closes it.
  // Queued hints open one after another; each stays at least a second.
  for (int i = 0; i < 20 && game_->GetBoard()->GetHelp()->IsHintOpen(); ++i) {
    ClickAt(math::Vec2(0.3f, 0.3f));
    Tick(0.5f);
  }
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(10.0f));
  ui::UIWidget* summary = GetUIMan()->GetPanel("score_summary");
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->IsVisible());
  EXPECT_GT(std::stoi(Global("GetRMS():GetRank(0)")), 0);
  EXPECT_EQ(Global("GetRMS():IsOpen(1)"), "1");
  // CONTINUE waits for the summary's total, which is the score kept.
  EXPECT_FALSE(Widget("score_summary", "CONTINUE")->IsVisible());
  EXPECT_EQ(Global("GetRMS():GetScore(0)"), "0");
  // The total stands after ten seconds; other scripts due may hold the
  // flow's queue a few frames longer.
  for (int frame = 0; frame < 100 && !Widget("score_summary", "CONTINUE")->IsVisible(); ++frame) Tick(0.05f);
  EXPECT_TRUE(Widget("score_summary", "CONTINUE")->IsVisible());
  const int32_t total = game_->GetBoard()->GetHud()->GetScore();
  EXPECT_GT(total, 0);
  EXPECT_EQ(Global("GetRMS():GetScore(0)"), std::to_string(total));
  Click(Widget("score_summary", "CONTINUE"));
  // The room stays a moment after the press, so that its release does not
  // reach the map's buttons.
  Settle();
  EXPECT_EQ(CurrentState(), "game");
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  EXPECT_TRUE(Widget("map", "room_2")->IsVisible());
  ExpectCleanLog("room 1");

  // Room 5, where the rival reaches the exit while the explorer stands.
  Lua("GetRMS():SetOpen(4, 1)");
  Lua("ShowMapRooms()");
  Click(Widget("map", "room_5"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  ASSERT_TRUE(game_->GetBoard()->IsShadyLevel());
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(game_->GetBoard()->GetTimeLimit()));
  ui::UIWidget* defeat = GetUIMan()->GetPanel("qor_defeat");
  ASSERT_NE(defeat, nullptr);
  EXPECT_TRUE(defeat->IsVisible());
  Click(Widget("qor_defeat", "CONTINUE"));
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  // The map offers the room again; the player stays on the map.
  ASSERT_NE(GetUIMan()->GetPanel("yesno"), nullptr);
  EXPECT_TRUE(GetUIMan()->GetPanel("yesno")->IsVisible());
  Click(Widget("yesno", "no"));
  EXPECT_FALSE(GetUIMan()->GetPanel("yesno")->IsVisible());
  ExpectCleanLog("room 5");

  // The race, its bet taken from the gold.
  Lua("SetGold(100)");
  Click(Widget("map", "Race"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  Tick(0.5f);
  Lua("SetRaceBet(50)");
  Lua("StartRace()");
  EXPECT_EQ(Global("GetGold()"), "50");
  Tick(10.0f);
  Lua("EndRace()");
  Tick(0.4f);
  Settle();
  ASSERT_EQ(CurrentState(), "map");
  ExpectCleanLog("race");

  // The picture puzzle and the credits.
  Click(Widget("map", "Puzzle"));
  Settle();
  ASSERT_EQ(CurrentState(), "minigame");
  Tick(3.0f);
  Lua("GoState('map', 0.3)");
  Settle();
  Click(Widget("map", "Credits"));
  Settle();
  ASSERT_EQ(CurrentState(), "credits");
  Tick(3.0f);
  ExpectCleanLog("puzzle and credits");

  // The level editor, from the title.
  ASSERT_NO_FATAL_FAILURE(OpenEditor());
  Tick(1.0f);
  ExpectCleanLog("editor");
  Lua("EditorBack()");
  Settle();
  EXPECT_EQ(CurrentState(), "title");
}

// Room 2's tutorial pressed through as a player presses: each step's text
// says what ends it, and only that ends it.
TEST_F(TourTest, EachStepOfTheSecondRoomsTutorialEndsAsItsTextSays) {
  LogCapture log;
  ASSERT_NO_FATAL_FAILURE(StartAsNewPlayer("Ismay"));
  Lua("SetupLanguage('english')");
  Lua("GetRMS():SetOpen(1, 1)");
  Lua("PlayRoom(1)");
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  QORWell* board = game_->GetBoard();
  ASSERT_EQ(board->GetLevelId(), "temple_1_level_2");
  ASSERT_NE(board->GetHandHold(), nullptr);
  const well::Block* stone = board->GetBlock(23, 44);
  ASSERT_NE(stone, nullptr);
  // Where a press lands: the stone as the view shows it then, inside the
  // mini-map but left of its framed part (where the help box points), inside
  // that part, or elsewhere on the board.
  enum Where { kOnStone, kMapLeft, kInFrame, kElsewhere };
  auto pointOf = [&](Where where) {
    switch (where) {
      case kOnStone: return stone->GetScreenPosition() + stone->GetDrawSize() * 0.5f;
      case kMapLeft: return math::Vec2(QORGoalMap::kPanelLeft + 0.04f, 0.9f);
      case kInFrame: return math::Vec2(0.875f, 0.9f);
      default: return math::Vec2(0.3f, 0.3f);
    }
  };
  constexpr int kLeft = 0, kRight = 1;
  struct Press {
    Where at;
    int button;
  };
  const struct {
    const char* hint;
    const char* says;
    std::vector<Press> refused;
    Press ends;
  } steps[] = {
      {"HINT_RIGHT_CLICK_1", "Right-click this stone", {{kOnStone, kLeft}, {kElsewhere, kRight}}, {kOnStone, kRight}},
      {"HINT_RIGHT_CLICK_2", "Click anywhere", {}, {kElsewhere, kRight}},
      {"HINT_MAP_1", "Click inside the framed part of the map", {{kMapLeft, kLeft}, {kOnStone, kLeft}},
       {kInFrame, kLeft}},
      {"HINT_MAP_2", "Click inside the framed part of the map", {{kOnStone, kLeft}, {kMapLeft, kLeft}},
       {kInFrame, kLeft}},
  };
  for (const auto& step : steps) {
    for (int frame = 0; frame < 200 && ShownHint() != step.hint; ++frame) Tick(0.05f);
    ASSERT_EQ(ShownHint(), step.hint);
    std::string text;
    for (char16_t c : lang::GetStrMan().Lookup(step.hint)) text += static_cast<char>(c);
    EXPECT_NE(text.find(step.says), std::string::npos) << step.hint << ": " << text;
    for (const Press& press : step.refused) {
      ClickAt(pointOf(press.at), press.button);
      Tick(0.1f);
      EXPECT_EQ(ShownHint(), step.hint) << "refused: press " << press.at << " with button " << press.button;
      EXPECT_EQ(board->GetSelectedA(), nullptr) << step.hint << ": no stone taken up";
    }
    const int32_t mapClicks = board->GetGoalMap()->GetClicks();
    ClickAt(pointOf(step.ends.at), step.ends.button);
    Tick(0.1f);
    EXPECT_NE(ShownHint(), step.hint);
    if (std::string(step.hint) == "HINT_MAP_1") {
      // The text promises that the explorer heads for the spot clicked.
      EXPECT_EQ(board->GetGoalMap()->GetClicks(), mapClicks + 1);
      EXPECT_EQ(board->GetExplorer()->GetGoal().x, board->GetGoalMap()->GetTargetX());
    }
  }
  EXPECT_EQ(board->GetHandHold(), nullptr) << "the tutorial is over";
  ExpectCleanLog("room 2's tutorial");
  Lua("QuitRoom()");
  Settle();
}

// A won room pays gold by its grade: enough for the race, which then takes a
// bet of it.
TEST_F(TourTest, AWonRoomPaysGoldThatTheRaceThenTakesAsABet) {
  LogCapture log;
  ASSERT_NO_FATAL_FAILURE(StartAsNewPlayer("Odile"));
  Lua("SetHintEnabled(false)");
  EXPECT_EQ(Global("GetGold()"), "0");
  Lua("PlayRoom(0)");
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  Tick(0.5f);
  Stroke(SDL_SCANCODE_Q);
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(10.0f));
  const int gold = std::stoi(Global("GetGold()"));
  EXPECT_GE(gold, 50) << "the race's smallest bet";
  EXPECT_EQ(Global("GetRMS():IsOpen(1)"), "1");
  Lua("LeaveRoom()");
  Settle();
  ASSERT_EQ(CurrentState(), "map");

  Click(Widget("map", "Race"));
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  Tick(0.5f);
  Click(Widget("betting", "Bet_50"));
  Click(Widget("betting", "Start"));
  ASSERT_NE(game_->GetRace(), nullptr);
  EXPECT_EQ(game_->GetRace()->GetBet(), 50);
  EXPECT_EQ(Global("GetGold()"), std::to_string(gold - 50));
  ExpectCleanLog("gold");
  Lua("EndRace()");
  Tick(0.4f);
  Settle();
}

// The colours some shipped room plays with, as the level data names them.
std::set<std::string> ShippedColours() {
  std::set<std::string> colours;
  lua_State* lua = luaL_newstate();
  if (luaL_dofile(lua, VANTOR_SOURCE_DIR "/data/level/level_data.lua") != 0) {
    ADD_FAILURE() << lua_tostring(lua, -1);
  } else {
    lua_pushglobaltable(lua);
    lua_pushnil(lua);
    while (lua_next(lua, -2) != 0) {
      if (lua_istable(lua, -1)) {
        lua_pushnil(lua);
        while (lua_next(lua, -2) != 0) {
          const std::string key = lua_type(lua, -2) == LUA_TSTRING ? lua_tostring(lua, -2) : "";
          const int32_t colour = well::NameToColor(key);
          if (colour < QORWell::kColorCount && well::ColorToName(colour) == key) colours.insert(key);
          lua_pop(lua, 1);
        }
      }
      lua_pop(lua, 1);
    }
  }
  lua_close(lua);
  return colours;
}

// The title's Editor: a new level plays with the shipped rooms' colours
// only, ticked so on the colour panel, whose every name fits its own box on
// one line and no two of whose boxes overlap.
TEST_F(TourTest, TheEditorStartsWithTheShippedRoomsColoursUnderLegibleLabels) {
  LogCapture log;
  Lua("dofile('scripts/console.lua')");
  ASSERT_NO_FATAL_FAILURE(OpenEditor());
  QORWell* board = game_->GetBoard();
  Tick(0.2f);
  const std::set<std::string> shipped = ShippedColours();
  EXPECT_GE(shipped.size(), 5u);
  struct Box {
    std::string name;
    math::Vec2 min, max;
  };
  std::vector<Box> boxes;
  int labels = 0;
  for (int32_t colour = 0; colour < QORWell::kColorCount; ++colour) {
    const std::string name = well::ColorToName(colour);
    const bool used = shipped.count(name) > 0;
    EXPECT_EQ(board->GetColorWeights().weights[colour] > 0.0f, used) << name;
    auto* box = dynamic_cast<ui::UICheckBox*>(Widget("editor_3", ("check_" + name).c_str()));
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(box->IsChecked(), used) << name;
    for (const char* part : {"check_", "stone_"}) {
      ui::UIWidget* widget = Widget("editor_3", (part + name).c_str());
      ASSERT_NE(widget, nullptr) << part << name;
      boxes.push_back({part + name, widget->GetPosition(), widget->GetPosition() + widget->GetSize()});
    }
    // A name, where there is one, on one line inside its box's borders.
    ui::UIWidget* label = Widget("editor_3", ("pick_" + name).c_str());
    if (!label) continue;
    ++labels;
    boxes.push_back({"pick_" + name, label->GetPosition(), label->GetPosition() + label->GetSize()});
    Font* font = GetFontManager()->Find(label->GetFont());
    ASSERT_NE(font, nullptr) << label->GetFont();
    math::Vec2 at = label->GetPosition(), inked;
    font->GetTextRect(label->GetText(), {10.0f, 10.0f}, at, inked, ui::UIText::kNoJustification);
    const math::Vec2 room = label->GetSize() - label->GetTextBlock().border * 2.0f;
    EXPECT_LE(inked.x, room.x) << name << ": " << label->GetText();
    EXPECT_LE(inked.y, label->GetSize().y) << name << ": " << label->GetText();
  }
  EXPECT_GE(labels, 12);
  for (size_t i = 0; i < boxes.size(); ++i) {
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const bool apart = boxes[i].max.x <= boxes[j].min.x || boxes[j].max.x <= boxes[i].min.x ||
                         boxes[i].max.y <= boxes[j].min.y || boxes[j].max.y <= boxes[i].min.y;
      EXPECT_TRUE(apart) << boxes[i].name << " overlaps " << boxes[j].name;
    }
  }
  ExpectCleanLog("editor");
  Lua("EditorBack()");
  Settle();
}

// The title's name box shows who plays; a name entered there picks that
// player's profile, or adds one for a new name, and renames none.
TEST_F(TourTest, TheTitlesNameBoxShowsThePlayerAndTakesAnotherByName) {
  LogCapture log;
  ASSERT_NO_FATAL_FAILURE(StartAsNewPlayer("Ismay"));
  Lua("JumpState('title')");
  Settle();
  Tick(0.1f);
  ui::UIWidget* box = Widget("title", "name_box");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetText(), "Ismay");
  const struct {
    const char* typed;
    const char* player;
    const char* profiles;
  } entries[] = {
      {"Bertil", "Bertil", "2"},
      {"  Ismay ", "Ismay", "2"},
      {"", "Ismay", "2"},
      {"Bertil", "Bertil", "2"},
  };
  for (const auto& entry : entries) {
    box->SetText(entry.typed);
    Lua("TitleNameEntered()");
    EXPECT_EQ(Global("GetRMS():GetName()"), entry.player) << "typed '" << entry.typed << "'";
    EXPECT_EQ(Global("GetRMS():GetProfileC()"), entry.profiles) << entry.typed;
    EXPECT_EQ(box->GetText(), entry.player) << entry.typed;
  }
  EXPECT_EQ(Global("GetRMS():GetNameFromID(0)"), "Ismay");
  EXPECT_EQ(Global("GetRMS():GetNameFromID(1)"), "Bertil");
  ExpectCleanLog("title");
}

// The texts a newcomer found hard to read, on the game's own screenshots:
// the welcome box with a name typed in, a yes/no question, the armed
// power's line over the stones and the editor's colour names. Each reads at
// 4.5:1 or better against what lies behind it.
class TextContrastTest : public TourTest {
 protected:
  static constexpr double kLeastContrast = 4.5;
  // The test game's window.
  static constexpr float kScreenWidth = 800.0f, kScreenHeight = 600.0f;

  // The next frame as the game saves a screenshot, in the folder.
  std::string Screenshot(const char* name) {
    const std::string path = (shots_.Path() / name).string();
    Lua("TakeScreenshot([[" + path + "]], false) ForceRedraw()");
    return path + ".bmp";
  }
  // The named text of a shown panel reads at the least contrast on the shot.
  void ExpectReadable(const std::string& shot, const char* panel, const std::string& name) {
    ui::UIWidget* widget = Widget(panel, name.c_str());
    ASSERT_NE(widget, nullptr) << panel << "/" << name;
    EXPECT_TRUE(GetUIMan()->GetPanel(panel)->IsVisible() && widget->IsVisible()) << panel << "/" << name;
    // A text of several lines is drawn in the widget's colour.
    auto* lines = dynamic_cast<ui::UIMultiLine*>(widget);
    EXPECT_FALSE(lines ? lines->GetStoredText().empty() : widget->GetText().empty()) << panel << "/" << name;
    const uint32_t colour = lines ? widget->GetColor() : widget->GetTextBlock().colour;
    const math::Vec2 at = widget->GetPosition(), size = widget->GetSize();
    const double contrast =
        TextContrast(shot, static_cast<int>(at.x * kScreenWidth), static_cast<int>(at.y * kScreenHeight),
                     static_cast<int>(size.x * kScreenWidth), static_cast<int>(size.y * kScreenHeight), colour);
    EXPECT_GE(contrast, kLeastContrast) << panel << "/" << name;
  }

  TempFolder shots_;
};

TEST_F(TextContrastTest, TheWelcomeBoxAndAYesNoQuestionRead) {
  ASSERT_NO_FATAL_FAILURE(OpenWelcomeBox());
  Widget("profile", "name")->SetText("Tamsin");
  const std::string welcome = Screenshot("welcome");
  for (const char* name : {"heading", "message", "name"}) ExpectReadable(welcome, "profile", name);
  Click(Widget("profile", "ok"));
  Settle();
  // Past the map's fade-in, whose shade would darken the question.
  Lua("DisableHint()");
  Tick(2.0f);

  Lua("AskYesNo('Leave the room? The treasures found in it are lost.', '', '')");
  const std::string question = Screenshot("yesno");
  ExpectReadable(question, "yesno", "question");
  Lua("AnswerYesNo(false)");
}

TEST_F(TextContrastTest, TheArmedPowersLineReadsOverTheStones) {
  ASSERT_NO_FATAL_FAILURE(StartAsNewPlayer("Halvard"));
  Lua("SetHintEnabled(false)");
  Lua("GetRMS():SetOpen(2, 1)");
  SetInt(game_var::kFirstPowerCount, 1);
  Lua("PlayRoom(2)");
  Settle();
  ASSERT_EQ(CurrentState(), "game");
  Tick(4.0f);
  Click(Widget("GameScreen", "Special_1"));
  ASSERT_NE(game_->GetBoard()->GetHud()->GetArmedPower(), nullptr);
  ExpectReadable(Screenshot("power"), "GameScreen", "INSTRUCTIONS");
  Lua("LeaveRoom()");
  Settle();
}

TEST_F(TextContrastTest, TheEditorsColourNamesRead) {
  Lua("dofile('scripts/console.lua')");
  ASSERT_NO_FATAL_FAILURE(OpenEditor());
  Tick(0.2f);
  Lua("EditorKey2()");
  const std::string shot = Screenshot("editor");
  int labels = 0;
  for (int32_t colour = 0; colour < QORWell::kColorCount; ++colour) {
    const std::string name = "pick_" + well::ColorToName(colour);
    if (!Widget("editor_3", name.c_str())) continue;
    ++labels;
    ExpectReadable(shot, "editor_3", name);
  }
  EXPECT_GE(labels, 12);
  Lua("EditorBack()");
  Settle();
}

}  // namespace
