#include <gtest/gtest.h>

#include "well/decoration.h"
#include "board_test_support.h"
#include "core/script/lua_test_support.h"
#include "core/script/script_helper.h"
#include "core/script/lua_writer.h"
#include "render/recording_graphics.h"

namespace {

using board_testing::StubBlock;
using board_testing::StubWell;
using testsupport::RunStockLua;
using testsupport::ScratchDir;

const std::string kData = VANTOR_TEST_DATA;

// Boards whose blocks and decorations have images, on a renderer that
// makes them up.
class BoardFileTest : public ::testing::Test {
 protected:
  void Make(StubWell& board) {
    board.image = "block_45x45.png";
    board.CreateCells(3, 2);
  }
  RecordingGraphics graphics_;
  ScratchDir scratch_;
};

// The board that saved_board.lua holds.
void Fill(StubWell& board) {
  board.Put("normal", 0, 0);
  board.Put("plain", 0, 1)->GetSprite().Invalidate();  // no image: not saved
  board.Put("say \"hi\"\\there", 1, 0, 2, 2)->SetColor(well::kColorNone);
  board.AddDecoration("sun.png", 0, 1, 0, 0, {0.0f, 0.0f}, 0, 0);
  board.AddDecoration("torch.png", 2, 1, 1, 1, {0.0f, 0.0f}, 3, 3);
  board.AddDecoration("img\\vine \"left\".png", 1, 0, 0, 0, {0.0125f, -0.025f}, 2, 1);
  board.AddDecoration("moon.png", 2, 0, 0, 0, {0.1f, 0.0f}, 0, 2);
  board.SetBackgroundName("temple");
  board.SetEffectName("sand");
}

TEST_F(BoardFileTest, ABoardSavesToItsTextByteForByteAndStockLuaReadsIt) {
  StubWell board;
  Make(board);
  Fill(board);
  const std::string path = scratch_.Path("board.lua");
  ASSERT_TRUE(board.Save(path));
  EXPECT_EQ(ReadFile(path), ReadFile(kData + "/saved_board.lua"));
  EXPECT_EQ(RunStockLua(path,
                        "print(#Blocks, Blocks[2].Type, Blocks[2].Color, Blocks[2].Height, #Decorations, "
                        "Decorations[2].Image, Decorations[2].OffsetY, Decorations[4].Rotation, Info.Background, "
                        "Info.Effect)"),
            "2\tsay \"hi\"\\there\tnone\t2\t4\timg\\vine \"left\".png\t-0.025\t2\ttemple\tsand\n");
}

TEST_F(BoardFileTest, LoadingAndSavingAgainGivesTheSameBytes) {
  StubWell board;
  Make(board);
  ASSERT_TRUE(board.Load(kData + "/saved_board.lua", -1.0f));
  EXPECT_EQ(board.GetFileName(), kData + "/saved_board.lua");
  ASSERT_NE(board.GetBlock(1, 0), nullptr);
  EXPECT_EQ(board.GetBlock(1, 0)->GetColor(), well::kColorUnnamed);  // 27 came back as 24
  EXPECT_EQ(board.GetBlock(1, 0)->GetHeight(), 2);
  ASSERT_EQ(board.GetDecorations().size(), 4u);
  EXPECT_EQ(board.GetDecorations()[1]->GetImageName(), "img\\vine \"left\".png");
  EXPECT_FLOAT_EQ(board.GetDecorations()[1]->GetOffset().x, 0.0125f);
  EXPECT_EQ(board.GetBackgroundName(), "temple");
  const std::string again = scratch_.Path("again.lua");
  ASSERT_TRUE(board.Save(again));
  EXPECT_EQ(ReadFile(again), ReadFile(kData + "/saved_board.lua"));
}

TEST_F(BoardFileTest, FieldsOutOfShapeReadAsTheirDefaults) {
  LogCapture log;
  StubWell board;
  Make(board);
  board.SetBackgroundName("mine");
  board.SetEffectName("kept");
  ASSERT_TRUE(board.Load(kData + "/board_cases.lua", 0.0f));
  EXPECT_EQ(board.created,
            (std::vector<std::string>{"normal GREEN", "refused red", "normal mauve", "normal red"}));
  well::Block* green = board.GetBlock(1, 0);
  ASSERT_NE(green, nullptr);
  EXPECT_EQ(green->GetColor(), well::kColorGreen);
  EXPECT_EQ(green->GetWidth(), 0);  // no Width or Height: 0 reaches CreateBlock
  EXPECT_EQ(board.GetBlock(0, 1)->GetColor(), well::kColorRed);
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);  // CreateBlock refused it
  // X of -1 lies off the board: the block is buried, with a warning.
  ASSERT_EQ(board.GetGraveyard().size(), 1u);
  EXPECT_EQ(board.GetGraveyard()[0]->GetColor(), well::kColorRed);
  EXPECT_EQ(log.At(MSG_WARNING).size(), 1u);

  const std::vector<well::Decoration*>& decorations = board.GetDecorations();
  ASSERT_EQ(decorations.size(), 3u);
  const struct {
    const char* image;
    int32_t layer, rotation;
  } expected[] = {{"c.png", 3, 2}, {"a.png", 2, 1}, {"b.png", 0, 3}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(decorations[i]->GetImageName(), expected[i].image);
    EXPECT_EQ(decorations[i]->GetLayer(), expected[i].layer) << expected[i].image;
    EXPECT_EQ(decorations[i]->GetRotation(), expected[i].rotation) << expected[i].image;
  }
  EXPECT_EQ(decorations[0]->GetCell(), (well::Cell{1, 1}));
  EXPECT_FLOAT_EQ(decorations[0]->GetOffset().x, 0.25f);
  EXPECT_FLOAT_EQ(decorations[0]->GetOffset().y, 0.0f);
  // No Info: both names keep their values.
  EXPECT_EQ(board.GetBackgroundName(), "mine");
  EXPECT_EQ(board.GetEffectName(), "kept");
}

TEST_F(BoardFileTest, APositiveDelayQueuesTheBlocksAndDecorationsCanBeSkipped) {
  struct PlainWell : StubWell {
    bool SkipDecorationsOnLoad() override { return true; }
  };
  PlainWell board;
  Make(board);
  ASSERT_TRUE(board.Load(kData + "/saved_board.lua", 0.5f));
  EXPECT_EQ(board.GetPlacementQueue().size(), 2u);
  EXPECT_EQ(board.GetBlock(0, 0), nullptr);
  EXPECT_TRUE(board.GetDecorations().empty());
  EXPECT_EQ(board.GetBackgroundName(), "random");  // Info goes with the decorations
}

// Records its hooks, refuses the load when told to, and adds tables of its own.
class HookedWell : public StubWell {
 public:
  bool BeforeLoad(LuaPlus::LuaState* state) override {
    hooks.push_back("before load");
    version = script::ReadInt(script::GetGlobalObject(state, "Header"), "Version", 0);
    return !refuse;
  }
  void AfterLoad(LuaPlus::LuaState*) override { hooks.push_back("after load"); }
  void BeforeSave(WriteLua& writer) override {
    writer.BeginTable("Header");
    writer.WriteInt("Version", 7);
    writer.EndTable(false);
  }
  void SaveExtra(WriteLua& writer) override {
    writer.BeginTable("Extra");
    writer.EndTable(false);
  }
  std::vector<std::string> hooks;
  int version = 0;
  bool refuse = false;
};

TEST_F(BoardFileTest, DerivedBoardsAddTheirTablesAroundTheBaseTablesAndMayRefuseALoad) {
  HookedWell saved;
  Make(saved);
  Fill(saved);
  const std::string path = scratch_.Path("hooked.lua");
  ASSERT_TRUE(saved.Save(path));
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.find("Header = \n"), 0u);
  EXPECT_LT(text.find("Decorations = \n"), text.find("Extra = \n"));
  EXPECT_LT(text.find("Extra = \n"), text.find("Info = \n"));

  HookedWell loaded;
  Make(loaded);
  ASSERT_TRUE(loaded.Load(path, -1.0f));
  EXPECT_EQ(loaded.hooks, (std::vector<std::string>{"before load", "after load"}));
  EXPECT_EQ(loaded.version, 7);

  // A refusing BeforeLoad: true, with nothing read.
  HookedWell refusing;
  Make(refusing);
  refusing.refuse = true;
  EXPECT_TRUE(refusing.Load(path, -1.0f));
  EXPECT_EQ(refusing.hooks, std::vector<std::string>{"before load"});
  EXPECT_TRUE(refusing.created.empty());
  EXPECT_TRUE(refusing.GetDecorations().empty());
  EXPECT_EQ(refusing.GetBackgroundName(), "random");
}

TEST_F(BoardFileTest, FilesThatDoNotRunLeaveTheBoardAsItWas) {
  for (const std::string name : {"/no_such_board.lua", "/broken_board.lua"}) {
    LogCapture log;
    StubWell board;
    Make(board);
    board.Put("kept", 0, 0);
    const std::string path = kData + name;
    EXPECT_FALSE(board.Load(path, -1.0f));
    const std::vector<std::string> errors = log.At(MSG_ERROR);
    ASSERT_FALSE(errors.empty()) << name;
    EXPECT_NE(errors.back().find("> Unable to load well from file " + path + "!  [MSG_ERROR]"), std::string::npos)
        << errors.back();
    EXPECT_EQ(board.GetFileName(), path);
    EXPECT_EQ(board.GetBlock(0, 0)->GetTypeName(), "kept");
    EXPECT_TRUE(board.created.empty());
  }

  // A file without any of the tables loads and leaves the board empty.
  StubWell empty;
  Make(empty);
  EXPECT_TRUE(empty.Load(kData + "/no_tables.lua", -1.0f));
  EXPECT_TRUE(empty.created.empty());
  EXPECT_TRUE(empty.GetDecorations().empty());
  EXPECT_EQ(empty.GetBackgroundName(), "random");
  EXPECT_EQ(empty.GetEffectName(), "none");

  // A path that cannot be written.
  EXPECT_FALSE(empty.Save(scratch_.Path("no/such/folder/board.lua")));
}

}  // namespace
