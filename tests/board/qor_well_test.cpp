#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/effects/qor_start_flash.h"
#include "board/explorer/qor_explorer.h"
#include "well/game_end.h"
#include "core/input/keyboard.h"
#include "core/script/console.h"
#include "render/fonts/font_manager.h"
#include "core/script/lua_test_support.h"
#include "game_board_support.h"
#include "log_capture.h"

namespace {

using board_testing::GameBoardTest;
using board_testing::TestWell;

TEST(QORWellLevelId, FollowsTheFileNameRule) {
  struct Case {
    const char* path;
    const char* id;
  } cases[] = {
      {"level/Temple_2_Level_3.lua", "temple_2_level_3"},
      {"rooms/temple/ROOM_7.lua", "room_7"},
      {"Temple_2_Level_3.lua", "temple_1_level_1"},  // no folder
      {"level/room", "temple_1_level_1"},            // no extension
      {"/room.lua", "temple_1_level_1"},             // the slash at position 0
      {"", "temple_1_level_1"},
      // A folder of one or two characters keeps at most `dot` characters.
      {"ab/room.lua", "roo"},
      // Under four characters after the cut: only what is there goes.
      {"ab/x.lua", ""},
      {"a/b.c", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(QORWell::LevelIdOf(c.path), c.id) << c.path;
}

TEST_F(GameBoardTest, ConstructionGivesTheDefaults) {
  TestWell board;
  EXPECT_FLOAT_EQ(board.GetTimeLimit(), 360.0f);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().period, 360.0f);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 360.0f);
  EXPECT_NE(board.GetGameEffects(), nullptr);
  EXPECT_FALSE(board.ReservedFlag());
  // Tokens are plain and rocks may come; no colour until a level sets them.
  EXPECT_FLOAT_EQ(board.GetTypeWeights().weights[0], 1.0f);
  EXPECT_FLOAT_EQ(board.GetTypeWeights().weights[1], 1.0f);
  EXPECT_FLOAT_EQ(board.GetColorWeights().total, 0.0f);
}

TEST_F(GameBoardTest, TimeLimitIsClampedAndTheTimerAlwaysCountsOver360Seconds) {
  TestWell board;
  struct Case {
    float asked, limit;
  } cases[] = {{30.0f, 72.0f}, {500.0f, 360.0f}, {200.0f, 200.0f}, {72.0f, 72.0f}};
  for (const Case& c : cases) {
    board.SetTimeLimit(c.asked);
    EXPECT_FLOAT_EQ(board.GetTimeLimit(), c.limit) << c.asked;
    EXPECT_FLOAT_EQ(board.GetLevelTimer().period, 360.0f);
    EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, c.limit);
  }
  board.SpendTime(50.0f);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 22.0f);
  board.SpendTime(-1000.0f);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 360.0f);
}

TEST_F(GameBoardTest, SetupMakesGridFloorAndBackground) {
  TestWell board;
  uint8_t flags[QORWell::kColorCount] = {};
  flags[3] = flags[11] = 1;
  board.Setup(40, 20, flags);
  EXPECT_EQ(board.GetWidth(), 40u);
  EXPECT_EQ(board.GetViewColumns(), 18u);
  EXPECT_EQ(board.GetViewRows(), 12u);
  EXPECT_FLOAT_EQ(board.GetCellSize().x, 0.05625f);
  EXPECT_FLOAT_EQ(board.GetViewSize().y, 0.95f);
  // 40 x 0.05625 / 0.64 + 1 = 4.5; 20 x 0.075 / 0.8533 + 1 = 2.76.
  EXPECT_EQ(board.GetBackgroundColumns(), 4);
  EXPECT_EQ(board.GetBackgroundRows(), 2);
  // The board's background name, as the base leaves it until a level names one.
  EXPECT_EQ(board.GetBackgroundImage(), "random");
  for (int32_t x = 0; x < 40; ++x) {
    for (int32_t y = 0; y < 20; ++y) {
      const QORTile* tile = board.GetTile(x, y);
      ASSERT_NE(tile, nullptr);
      EXPECT_EQ(tile->type, kTileVoid);
      EXPECT_GE(tile->crackVariant, 1);
      EXPECT_LE(tile->crackVariant, 3);
      EXPECT_EQ(tile->x, x);
      EXPECT_EQ(tile->y, y);
    }
  }
  EXPECT_EQ(board.GetTile(40, 0), nullptr);
  EXPECT_EQ(board.GetTile(0, -1), nullptr);
  // Only plain tokens come at random; the flagged colours are enabled.
  EXPECT_FLOAT_EQ(board.GetTypeWeights().weights[1], 0.0f);
  EXPECT_FLOAT_EQ(board.GetColorWeights().weights[3], 1.0f);
  EXPECT_FLOAT_EQ(board.GetColorWeights().weights[11], 1.0f);
  EXPECT_FLOAT_EQ(board.GetColorWeights().total, 2.0f);
}

TEST_F(GameBoardTest, GetBlockFindsTwoByTwoBlocksFromEveryCell) {
  TestWell board;
  uint8_t flags[QORWell::kColorCount] = {};
  board.Setup(8, 8, flags);
  well::Block* big = board.Put("tomb", 2, 2, 2, 2);
  well::Block* wide = board.Put("wide", 5, 5, 2, 1);
  well::Block* tall = board.Put("tall", 0, 5, 1, 2);
  well::Block* huge = board.Put("huge", 4, 0, 3, 3);
  EXPECT_EQ(board.GetBlock(2, 2), big);
  EXPECT_EQ(board.GetBlock(3, 2), big);
  EXPECT_EQ(board.GetBlock(2, 3), big);
  EXPECT_EQ(board.GetBlock(3, 3), big);
  EXPECT_EQ(board.GetBlock(6, 5), wide);
  EXPECT_EQ(board.GetBlock(5, 6), nullptr);
  EXPECT_EQ(board.GetBlock(0, 6), tall);
  EXPECT_EQ(board.GetBlock(1, 5), nullptr);
  // Larger blocks are found only from the cells the rule reaches.
  EXPECT_EQ(board.GetBlock(5, 1), huge);
  EXPECT_EQ(board.GetBlock(6, 2), nullptr);
  EXPECT_EQ(board.GetBlock(-1, 0), nullptr);
  EXPECT_EQ(board.GetBlock(8, 0), nullptr);
}

// The outcomes of a load, with the board each leaves.
TEST_F(GameBoardTest, LoadOutcomes) {
  struct Case {
    const char* path;
    bool result;
    uint32_t width, height;
    float colours;  // enabled colours
    const char* logged;
  } cases[] = {
      {"level/missing.lua", false, 80, 12, 24.0f, "Failed to load level! level/missing.lua"},
      {"level/broken.lua", false, 80, 12, 24.0f, "Failed to load level! level/broken.lua"},
      {"level/width_0.lua", false, 80, 12, 24.0f, "Level size 0 x 6 in level/width_0.lua is out of range"},
      {"level/width_300.lua", false, 80, 12, 24.0f, "Level size 300 x 6 in level/width_300.lua is out of range"},
      {"level/no_header.lua", true, 80, 12, 0.0f, nullptr},
      {"level/red_only.lua", true, 8, 6, 1.0f, nullptr},
  };
  for (const Case& c : cases) {
    LogCapture log;
    TestWell board;
    EXPECT_EQ(board.LoadLevel(c.path), c.result) << c.path;
    EXPECT_EQ(board.GetWidth(), c.width) << c.path;
    EXPECT_EQ(board.GetHeight(), c.height) << c.path;
    EXPECT_FLOAT_EQ(board.GetColorWeights().total, c.colours) << c.path;
    if (c.logged) {
      EXPECT_TRUE(log.Has(c.logged)) << c.path;
    }
    EXPECT_EQ(log.Has("Failed to load level!"), !c.result) << c.path;
  }
}

TEST_F(GameBoardTest, WithoutLevelDataTheBoardStaysEmptyAndRunsWithoutFault) {
  testsupport::ScratchDir scratch(true);
  scratch.Write("level/room.lua", "QOR = { Width = 8, Height = 6 }\nBackgroundTiles = { { X = 1, Y = 1 } }\n");
  LogCapture log;
  TestWell board;
  EXPECT_TRUE(board.LoadLevel("level/room.lua"));
  EXPECT_TRUE(log.Has("Unable to dataset!"));
  EXPECT_FALSE(log.Has("Failed to load level!"));
  EXPECT_EQ(board.GetWidth(), 0u);
  EXPECT_EQ(board.GetHeight(), 0u);
  EXPECT_EQ(board.GetTile(0, 0), nullptr);
  for (int i = 0; i < 60; ++i) board.Tick(0.05f);
  board.Draw();
  board.DrawOverlay();
  EXPECT_EQ(board.GetStartFlash(), nullptr);  // nothing to show: finished at once
}

TEST_F(GameBoardTest, LevelDataGivesBackgroundColoursAndTime) {
  struct Case {
    const char* path;
    std::vector<int> colours;
    float limit;
    const char* background;
  } cases[] = {
      // Only a value of exactly 1 enables a colour.
      {"level/red_only.lua", {2}, 72.0f, "img/red_room.jpg"},
      // No colour at 1: blue to purple.
      {"level/no_colour.lua", {0, 1, 2, 3, 4}, 360.0f, "img/plain.jpg"},
      {"level/no_timer.lua", {4, 23}, 300.0f, "img/background_1.jpg"},
      // No entry: the header's colours (any number but 0) and blue to purple;
      // the time limit and the background name stay.
      {"level/unlisted.lua", {0, 1, 2, 3, 4, 8, 10}, 360.0f, "random"},
  };
  for (const Case& c : cases) {
    TestWell board;
    ASSERT_TRUE(board.LoadLevel(c.path)) << c.path;
    std::vector<int> enabled;
    for (int i = 0; i < QORWell::kColorCount; ++i)
      if (board.GetColorWeights().weights[i] != 0.0f) enabled.push_back(i);
    EXPECT_EQ(enabled, c.colours) << c.path;
    EXPECT_FLOAT_EQ(board.GetTimeLimit(), c.limit) << c.path;
    EXPECT_EQ(board.GetBackgroundImage(), c.background) << c.path;
  }
}

TEST_F(GameBoardTest, FloorBarriersAndRivalComeFromTheFile) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/floor.lua"));
  struct Case {
    int32_t x, y, type, variant;
    bool webbed;
  } cases[] = {
      {0, 0, kTileMetal, -1, false}, {1, 0, kTileSand, 3, true},    {2, 0, kTileCracked, 2, false},
      {3, 0, kTileGold, 1, false},   {4, 0, kTileBare, 1, false},   {5, 0, kTileEditOnly, 1, false},
      {6, 0, kTileVoid, 1, true},    {2, 1, kTileSand, 2, false},   {7, 5, kTileVoid, -1, false},
  };
  for (const Case& c : cases) {
    const QORTile* tile = board.GetTile(c.x, c.y);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->type, c.type) << c.x << "," << c.y;
    if (c.variant > 0) {
      EXPECT_EQ(tile->crackVariant, c.variant) << c.x << "," << c.y;
    }
    EXPECT_EQ(tile->webbed != 0, c.webbed) << c.x << "," << c.y;
  }
  EXPECT_EQ(board.GetTile(1, 0)->sprite.GetName(), "Tile_Normal_Sand3");
  EXPECT_EQ(board.GetTile(3, 0)->sprite.GetName(), "Tile_Normal_Gold");
  EXPECT_FALSE(board.GetTile(4, 0)->sprite.HasImage());
  EXPECT_FALSE(board.GetTile(5, 0)->sprite.HasImage());  // only while editing
  // Types 0 to 4 on the board count, 5 and 6 do not.
  EXPECT_EQ(board.GetTileTotal(), 6);
  // Invisible blockers fill void and editor-only cells, column by column.
  EXPECT_EQ(board.created.front(), "qor_invisible 0,1");
  EXPECT_NE(board.GetBlock(5, 0), nullptr);
  EXPECT_NE(board.GetBlock(6, 0), nullptr);
  // Floor cells get no blocker (the arcade mode fills them with tokens).
  for (const auto& [x, y] : {std::pair{4, 0}, std::pair{2, 1}}) {
    well::Block* block = board.GetBlock(x, y);
    EXPECT_TRUE(!block || block->GetTypeName() != "qor_invisible") << x << "," << y;
  }
  ASSERT_EQ(board.GetBarriers().size(), 2u);
  EXPECT_FLOAT_EQ(board.GetBarriers()[0].from.y, 0.2f);
  EXPECT_FLOAT_EQ(board.GetBarriers()[0].to.x, 0.3f);
  EXPECT_FLOAT_EQ(board.GetBarriers()[1].from.x, 0.5f);
  EXPECT_FLOAT_EQ(board.GetBarriers()[1].to.x, 0.0f);
  EXPECT_TRUE(board.IsShadyLevel());
  int32_t x = 0, y = 0;
  board.GetShadyStart(x, y);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 1);
  const QORWell::FloorBounds& bounds = board.GetFloorBounds();
  EXPECT_EQ(bounds.minX, 0);
  EXPECT_EQ(bounds.maxX, 5);
  EXPECT_EQ(bounds.minY, 0);
  EXPECT_EQ(bounds.maxY, 1);
}

// Counts its own ticks, to show the board ticks it once a frame.
class CountingEnd : public well::GameEnd {
 public:
  explicit CountingEnd(well::BaseWell* board) : GameEnd(board, "") {}
  void Tick(float dt) override {
    ++ticks;
    GameEnd::Tick(dt);
  }
  int ticks = 0;
};

TEST_F(GameBoardTest, AnEndScreenIsTickedOnceAFrameAndStopsTheLevelTimer) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  board.Tick(0.5f);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 71.5f);
  auto* end = new CountingEnd(&board);
  board.SetGameEnd(end);
  for (int i = 0; i < 5; ++i) board.Tick(0.1f);
  EXPECT_EQ(end->ticks, 5);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 71.5f);
}

TEST_F(GameBoardTest, DebugKeys) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  ASSERT_NE(board.GetExplorer(), nullptr);
  const well::Cell explorer = board.GetExplorer()->GetCell();
  const float timeLeft = board.GetLevelTimer().remaining;
  ASSERT_GT(timeLeft, 0.0f);
  input::KeyState key;
  // Q needs the exit and P the HUD: without them, as for any other key,
  // nothing changes.
  for (int32_t code : {16, 25, 30}) {
    key.code = code;
    board.OnKey(&key);
    EXPECT_EQ(board.GetExplorer()->GetCell(), explorer) << code;
    EXPECT_FALSE(board.GetRaceDebug()) << code;
    EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, timeLeft) << code;
  }
  board.OnKey(nullptr);
  key.code = 17;  // W: the time runs out
  board.OnKey(&key);
  EXPECT_FLOAT_EQ(board.GetLevelTimer().remaining, 0.0f);
  key.code = 32;  // D: the race's debug view
  board.OnKey(&key);
  EXPECT_TRUE(board.GetRaceDebug());
  board.OnKey(&key);
  EXPECT_FALSE(board.GetRaceDebug());
}

TEST_F(GameBoardTest, TheStartFlashRunsOnTheGameBoardOnly) {
  struct Case {
    bool race, editing, flash;
  } cases[] = {{false, false, true}, {true, false, false}, {false, true, false}};
  for (const Case& c : cases) {
    TestWell board;
    board.race = c.race;
    board.editing = c.editing;
    ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
    EXPECT_EQ(board.GetStartFlash() != nullptr, c.flash);
  }
  // Without an entrance the explorer stands on (1, 1): the wave spreads from
  // there and ends after the far corner's delay and duration,
  // 0.7 x 10 x 0.2 + 0.4 + 0.7.
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  QORStartFlash* flash = board.GetStartFlash();
  ASSERT_NE(flash, nullptr);
  EXPECT_FLOAT_EQ(flash->GetDelay(1, 1), 0.4f);
  EXPECT_FLOAT_EQ(flash->GetDelay(0, 0), 0.68f);
  EXPECT_FLOAT_EQ(flash->GetDelay(3, 0), 0.82f);
  for (int i = 0; i < 24; ++i) board.Tick(0.1f);
  EXPECT_NE(board.GetStartFlash(), nullptr);
  board.Tick(0.1f);
  board.Tick(0.1f);
  EXPECT_EQ(board.GetStartFlash(), nullptr);
}

TEST_F(GameBoardTest, TheLevelStartRunsItsScriptOnTheConsole) {
  struct Case {
    bool race, editing;
    const char* started;
  } cases[] = {{false, false, "level"}, {true, false, "race"}, {false, true, ""}};
  for (const Case& c : cases) {
    GetConsole()->Init("scripts/level_start.lua", "");
    TestWell board;
    board.race = c.race;
    board.editing = c.editing;
    ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
    GetConsole()->Do("ran = table.concat(started, ',')");
    EXPECT_STREQ(GetConsole()->GetState()->GetGlobal("ran").GetString(), c.started);
    GetConsole()->Shutdown();
  }
}

// Stands in for the current font: keeps the lines it is asked to draw.
class LineFont : public Font {
 public:
  LineFont() : Font("Default") {}
  void DrawTextW(const std::u16string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void DrawText(const std::string& text, const math::Vec2& position, const math::Vec2&, uint32_t, uint32_t,
                int) override {
    lines.push_back(text);
    positions.push_back(position);
  }
  void GetTextRectW(const std::u16string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  void GetTextRect(const std::string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}

  std::vector<std::string> lines;
  std::vector<math::Vec2> positions;
};

TEST_F(GameBoardTest, TheOverlayWritesTheLevelsPathInTheCorner) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  FontManager* fonts = GetFontManager();
  auto* font = new LineFont();
  ASSERT_TRUE(fonts->Add("Default", font));
  fonts->LoadFonts("any", 6, 12);
  ASSERT_EQ(fonts->GetCurrentFont(), font);
  fonts->FlushText();
  font->lines.clear();
  font->positions.clear();
  board.DrawOverlay();
  fonts->FlushText();
  EXPECT_EQ(font->lines, std::vector<std::string>{"Level level/red_only.lua"});
  ASSERT_EQ(font->positions.size(), 1u);
  EXPECT_FLOAT_EQ(font->positions[0].x, 0.01f);
  EXPECT_FLOAT_EQ(font->positions[0].y, 0.01f);
  // Deletes the font.
  fonts->UnloadFonts();
}

TEST_F(GameBoardTest, TheEditingBoardScrollsWithThePointerAtTheScreensEdge) {
  struct Case {
    bool editing, edgeScrolling;
    math::Vec2 pointer, start, end;
  } cases[] = {
      {true, true, {0.01f, 0.5f}, {1.0f, 1.0f}, {0.92f, 1.0f}},
      {true, true, {0.99f, 0.99f}, {1.0f, 1.0f}, {1.08f, 1.08f}},
      {true, true, {0.5f, 0.01f}, {1.0f, 1.0f}, {1.0f, 0.92f}},
      // The pointer away from the edges leaves the view where it is, however far it is scrolled.
      {true, true, {0.5f, 0.5f}, {1.0f, 1.5f}, {1.0f, 1.5f}},
      {false, true, {0.01f, 0.01f}, {1.0f, 1.0f}, {1.0f, 1.0f}},
      {true, false, {0.01f, 0.01f}, {1.0f, 1.0f}, {1.0f, 1.0f}},
  };
  for (const Case& c : cases) {
    TestWell board;
    board.editing = true;
    ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
    board.editing = c.editing;
    board.SetEdgeScrolling(c.edgeScrolling);
    board.SetScroll(c.start);
    board.SetMousePosition(c.pointer);
    board.EdgeScroll(0.1f);
    EXPECT_NEAR(board.GetScroll().x, c.end.x, 1e-5f) << c.pointer.x << "," << c.pointer.y;
    EXPECT_NEAR(board.GetScroll().y, c.end.y, 1e-5f) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST_F(GameBoardTest, ClearingTheBoardForgetsTheBlocksItDeletes) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/floor.lua"));
  EXPECT_NE(board.GetBlock(6, 0), nullptr);
  EXPECT_TRUE(board.ClearWell());
  EXPECT_EQ(board.GetBlock(6, 0), nullptr);
  EXPECT_EQ(board.GetEntrance(), nullptr);
  EXPECT_EQ(board.GetExit(), nullptr);
  EXPECT_TRUE(board.GetMilestones().empty());
  board.Tick(0.05f);
}

TEST_F(GameBoardTest, RaisedSoundCuesAreLoweredAtTheEndOfTheStep) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  board.RaiseSoundCue(QORWell::kCueBlockSwitch);
  board.RaiseSoundCue(QORWell::kCueBaseClear3 + 4);
  EXPECT_TRUE(board.IsSoundCueRaised(QORWell::kCueBaseClear3 + 4));
  EXPECT_STREQ(QORWell::kSoundCueNames[QORWell::kCueBaseClear3 + 4], "base_clear_7");
  board.Step();
  for (int cue = 0; cue < QORWell::kSoundCueCount; ++cue) EXPECT_FALSE(board.IsSoundCueRaised(cue)) << cue;
}

}  // namespace
