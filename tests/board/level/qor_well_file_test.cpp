#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/game_board_support.h"
#include "board/walkers/qor_shady.h"
#include "board/walkers/qor_spider.h"
#include "core/script/lua_test_support.h"
#include "log_capture.h"
#include "read_file.h"

namespace {

using board_testing::GameBoardTest;
using board_testing::TestWell;
using testsupport::RunStockLua;

class GameBoardFileTest : public GameBoardTest {
 protected:
  // Saved under a folder "level", so that its level id is the file's name.
  std::string SavePath(const std::string& name) { return scratch_.Path("level/" + name); }
  void SetUp() override {
    GameBoardTest::SetUp();
    scratch_.Write("level/.keep", "");
  }

  testsupport::ScratchDir scratch_;
};

TEST_F(GameBoardFileTest, SavedSizeCoversTheUsedAreaUpToSixtyCells) {
  struct Case {
    uint32_t width, height;
    int32_t tileX, tileY;
    const char* expected;
  } cases[] = {
      // A used area reaching column 70 keeps the first sixty columns.
      {80, 12, 70, 3, "60 4"},
      {80, 80, 59, 59, "60 60"},
      {8, 6, 2, 1, "3 2"},
      {8, 6, -1, -1, "0 0"},  // no floor at all
  };
  for (const Case& c : cases) {
    TestWell board;
    uint8_t flags[QORWell::kColorCount] = {};
    board.Setup(c.width, c.height, flags);
    if (QORTile* tile = board.GetTile(c.tileX, c.tileY)) tile->type = kTileSand;
    const std::string path = SavePath("sized.lua");
    ASSERT_TRUE(board.Save(path));
    EXPECT_EQ(RunStockLua(path, "print(QOR.Width .. ' ' .. QOR.Height)"), std::string(c.expected) + "\n");
  }
}

TEST_F(GameBoardFileTest, TheLayoutsRecordsWidenTheSavedArea) {
  TestWell board;
  uint8_t flags[QORWell::kColorCount] = {};
  board.Setup(20, 20, flags);
  board.GetTile(1, 1)->type = kTileMetal;
  board.Put("tomb", 6, 3, 2, 2);
  board.RecordLayout();
  ASSERT_TRUE(board.Save(SavePath("records.lua")));
  EXPECT_EQ(RunStockLua(SavePath("records.lua"), "print(QOR.Width .. ' ' .. QOR.Height)"), "8 5\n");
}

TEST_F(GameBoardFileTest, HeaderWritesTheBoardsOwnColours) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  const std::string path = SavePath("colours.lua");
  ASSERT_TRUE(board.Save(path));
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("QOR = \n{ \n   Width = 0,\n   Height = 0,\n   Background = \"img/red_room.jpg\",\n", 0), 0u)
      << text;
  EXPECT_EQ(RunStockLua(path,
                        "local on = {} for name, v in pairs(QOR.Colors) do if v == 1 then on[#on + 1] = name end end "
                        "local n = 0 for _ in pairs(QOR.Colors) do n = n + 1 end "
                        "print(table.concat(on, ','), n)"),
            "red\t24\n");
}

TEST_F(GameBoardFileTest, SaveThenLoadKeepsFloorWebsAndBarriers) {
  TestWell first;
  ASSERT_TRUE(first.LoadLevel("level/floor.lua"));
  const std::string path = SavePath("floor.lua");
  ASSERT_TRUE(first.Save(path));
  EXPECT_EQ(RunStockLua(path, "print(QOR.Width, QOR.Height, #BackgroundTiles, #Barriers, Barriers[1].From[2], "
                              "BackgroundTiles[3].Webbed, BackgroundTiles[5].Index, Spiders)"),
            "6\t2\t12\t2\t0.2\t1\t2\tnil\n");

  TestWell second;
  ASSERT_TRUE(second.LoadLevel(path));
  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 2; ++y) {
      const QORTile* a = first.GetTile(x, y);
      const QORTile* b = second.GetTile(x, y);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(a->type, b->type) << x << "," << y;
      EXPECT_EQ(a->crackVariant, b->crackVariant) << x << "," << y;
      EXPECT_EQ(a->webbed, b->webbed) << x << "," << y;
    }
  }
  ASSERT_EQ(second.GetBarriers().size(), 2u);
  EXPECT_FLOAT_EQ(second.GetBarriers()[0].to.y, 0.4f);
  EXPECT_FLOAT_EQ(second.GetBarriers()[1].from.y, 0.25f);
  // The saved area lists its void cells too, and they count.
  EXPECT_EQ(first.GetTileTotal(), 6);
  EXPECT_EQ(second.GetTileTotal(), 10);
}

TEST_F(GameBoardFileTest, TheEditingBoardIsSixtyCellsASideAndKeepsItsLastColumn) {
  TestWell board;
  board.editing = true;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  EXPECT_EQ(board.GetWidth(), 60u);
  EXPECT_EQ(board.GetHeight(), 60u);
  board.GetTile(59, 2)->type = kTileEditOnly;
  board.RefreshTile(*board.GetTile(59, 2));
  EXPECT_EQ(board.GetTile(59, 2)->sprite.GetName(), "tile_edit_only");
  const std::string path = SavePath("edited.lua");
  ASSERT_TRUE(board.Save(path));
  EXPECT_EQ(RunStockLua(path, "local t = BackgroundTiles[#BackgroundTiles] print(QOR.Width, t.X, t.Y, t.Type)"),
            "60\t59\t2\t6\n");
}

TEST_F(GameBoardFileTest, ARoomWithoutFloorSavesASizeThatReloadsItsBlocks) {
  const std::string source =
      scratch_.Write("level/floorless_source.lua",
                     "QOR = { Width = 8, Height = 6 }\n"
                     "Blocks = { { Type = 'stone', X = 5, Y = 3, Width = 1, Height = 1 },\n"
                     "           { Type = 'tomb', X = 1, Y = 1, Width = 2, Height = 2 } }\n");
  TestWell first;
  ASSERT_TRUE(first.LoadLevel(source));
  const std::string path = SavePath("floorless.lua");
  ASSERT_TRUE(first.Save(path));
  EXPECT_EQ(RunStockLua(path, "print(QOR.Width, QOR.Height, #Blocks)"), "6\t4\t2\n");

  TestWell second;
  ASSERT_TRUE(second.LoadLevel(path)) << LogCapture::Text();
  ASSERT_NE(second.GetBlock(5, 3), nullptr);
  EXPECT_EQ(second.GetBlock(5, 3)->GetTypeName(), "stone");
  ASSERT_NE(second.GetBlock(2, 2), nullptr);
  EXPECT_EQ(second.GetBlock(2, 2)->GetTypeName(), "tomb");
}

TEST_F(GameBoardFileTest, AFileWithoutHeaderIsPlayedOnTheFallBackBoardWithAWarning) {
  const std::string empty = scratch_.Write("level/empty.lua", "");
  for (const std::string& path : {std::string("level/no_header.lua"), empty}) {
    LogCapture log;
    TestWell board;
    EXPECT_TRUE(board.LoadLevel(path)) << path;
    EXPECT_TRUE(board.IsHeaderMissing()) << path;
    EXPECT_EQ(board.GetWidth(), QORWell::kFallbackWidth) << path;
    // Nothing else of the file is read: its stone is not made.
    for (const std::string& made : board.created) EXPECT_EQ(made.find("stone"), std::string::npos) << made;
    ASSERT_EQ(log.At(MSG_WARNING).size(), 1u) << log.Text();
    EXPECT_NE(log.At(MSG_WARNING)[0].find(path + " has no QOR table"), std::string::npos) << log.Text();
  }
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/red_only.lua"));
  EXPECT_FALSE(board.IsHeaderMissing());
}

TEST_F(GameBoardFileTest, ARoomThatLoopsForeverFailsToLoadAndTheBoardFallsBack) {
  const std::string path = scratch_.Write("level/loop.lua", "QOR = { Width = 4, Height = 4 }\nwhile true do end\n");
  LogCapture log;
  TestWell board;
  EXPECT_FALSE(board.LoadLevel(path));
  EXPECT_TRUE(log.Has("ran past the")) << log.Text();
  EXPECT_TRUE(log.Has("Unable to parse script file " + path));
  EXPECT_TRUE(log.Has("Failed to load level! " + path));
  EXPECT_EQ(board.GetWidth(), QORWell::kFallbackWidth);
  // The board goes on: it ticks and takes another level.
  board.Tick(0.05f);
  EXPECT_TRUE(board.LoadLevel("level/red_only.lua"));
}

// Every walker is written with its kind, cell and turn sense; loaded back,
// the rival's entry gives the level its rival's start.
TEST_F(GameBoardFileTest, TheWalkersAreSavedAsSpidersAndTheRivalComesBack) {
  TestWell board;
  uint8_t flags[QORWell::kColorCount] = {};
  board.Setup(8, 6, flags);
  for (int32_t x = 0; x < 8; ++x)
    for (int32_t y = 0; y < 6; ++y) board.GetTile(x, y)->type = kTileMetal;
  auto* spider = new QORSpider(&board, nullptr);
  spider->PlaceAt(2, 4);
  spider->SetTurnSense(-1);
  ASSERT_TRUE(board.AddWalker(spider));
  auto* rival = new QORShady(&board);
  rival->PlaceAt(6, 1);
  ASSERT_TRUE(board.AddWalker(rival));
  const std::string path = SavePath("walkers.lua");
  ASSERT_TRUE(board.Save(path));
  EXPECT_EQ(RunStockLua(path, "for _, s in ipairs(Spiders) do print(s.ID, s.X, s.Y, s.Dir) end"),
            "0\t2\t4\t-1\n1\t6\t1\t1\n");

  TestWell loaded;
  ASSERT_TRUE(loaded.LoadLevel(path));
  EXPECT_TRUE(loaded.IsShadyLevel());
  int32_t x = -1, y = -1;
  loaded.GetShadyStart(x, y);
  EXPECT_EQ(x, 6);
  EXPECT_EQ(y, 1);
}

}  // namespace
