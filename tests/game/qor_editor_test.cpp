// The level editor in the running game, driven as a designer drives it:
// through the playing state's clicks and keys and the "GameState" methods
// its panels call.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <luabind/luabind.hpp>

#include "board/blocks/qor_block.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "core/script/lua_test_support.h"
#include "game/game_test_support.h"
#include "game/qor_editor_ui.h"
#include "game/qor_editor_well.h"
#include "game/qor_game_state.h"
#include "log_capture.h"
#include "platform/input/dinput.h"
#include "platform/input/dinput_testing.h"
#include "platform/window/win32_testing.h"
#include "temp_folder.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/ui_widget.h"
#include "well/decoration.h"

namespace {

using testsupport::RunStockLua;

constexpr int kLeft = 0;
constexpr int kRight = 1;

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
    const char* tmp = std::getenv("TMPDIR");
    if (tmp) oldTmp_ = tmp;
    hadTmp_ = tmp != nullptr;
    setenv("TMPDIR", folder_.Path().c_str(), 1);
    state_ = std::make_unique<QORGameState>(app_->GetCamera());
    state_->SetName("game");
    lua_ = GetConsole()->GetState()->GetCState();
    luabind::globals(lua_)["Room"] = state_.get();
    GetUIMan()->ForEachPanel([this](ui::UIWidget* panel) {
      if (panel->IsVisible()) hidden_.push_back(panel);
      panel->SetIsVisible(false);
    });
    Lua("Room:StartEditor()");
    state_->OnEnter();
    editor_ = state_->GetEditor();
    ASSERT_NE(editor_, nullptr);
    // The editor's panels would take the clicks made over them.
    ASSERT_NE(editor_->GetHud(), nullptr);
    editor_->GetHud()->Hide();
  }
  void TearDown() override {
    ReleaseCtrl();
    if (GetConsole()->IsOpen()) ToggleConsole();
    luabind::globals(lua_)["Room"] = luabind::object();
    if (state_ && state_->IsActive()) state_->OnExit();
    state_.reset();
    for (ui::UIWidget* panel : hidden_) panel->SetIsVisible(true);
    if (hadTmp_) {
      setenv("TMPDIR", oldTmp_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  void Lua(const std::string& script) { GetConsole()->Do(script); }
  // The centre of a cell on the screen.
  math::Vec2 At(int32_t x, int32_t y) const {
    return editor_->CellToScreen(x, y) + editor_->GetCellSize() * 0.5f;
  }
  void Click(int button, const math::Vec2& point) {
    math::Vec2 moved = point;
    state_->OnMouseMove(&moved, &moved);
    input_testing::Press(*state_, button, moved);
  }
  void Key(int code) { input_testing::PressKey(*state_, code); }
  void FeedCtrl(bool down) {
    platform::testing::FeedKey(SDL_SCANCODE_LCTRL, down);
    now_ += 0.1f;
    input::GetInput().GetKeyboard()->Update(false, 0.1f, now_);
  }
  void ReleaseCtrl() {
    if (input::GetInput().GetKeyboard()->GetKeyState(DIK_LCONTROL).down) FeedCtrl(false);
  }
  void ToggleConsole() { input_testing::PressKey(*GetConsole(), 41); }
  std::string Save(const std::string& name) {
    const std::string path = (folder_.Path() / name).string();
    Lua("Room:SaveWell('" + path + "')");
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Floor under a rectangle of cells, inclusive.
  void PaintSand(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    Lua("Room:SetEditorCurrentTile('Tile_Normal_Sand2')");
    for (int32_t x = x0; x <= x1; ++x) {
      for (int32_t y = y0; y <= y1; ++y) Click(kLeft, At(x, y));
    }
  }
  int32_t TileType(int32_t x, int32_t y) { return editor_->GetTile(x, y)->type; }

  game_test::HeadlessGame* app_ = nullptr;
  TempFolder folder_;
  std::string oldTmp_;
  bool hadTmp_ = false;
  std::unique_ptr<QORGameState> state_;
  QOREditorWell* editor_ = nullptr;
  lua_State* lua_ = nullptr;
  std::vector<ui::UIWidget*> hidden_;
  float now_ = 1000.0f;
};

// First in the file: in a run of the whole program the count starts at 0.
TEST_F(EditorTest, MilestonesAreNumberedOverTheWholeRun) {
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    Lua("Room:SetEditorCurrentBlock('qor_milestone')");
    ASSERT_NE(editor_->GetBlockInHand(), nullptr);
    names.push_back(editor_->GetBlockInHand()->GetTypeName());
  }
  int first = -1;
  ASSERT_EQ(std::sscanf(names[0].c_str(), "qor_milestone[%d]", &first), 1) << names[0];
  for (int i = 0; i < 3; ++i) EXPECT_EQ(names[i], "qor_milestone[" + std::to_string(first + i) + "]");
  // A milestone lies 2 x 2 and may stand without floor; a token may not.
  Click(kLeft, At(10, 10));
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(11, 11)), QORBlock::kMilestone);
  Lua("Room:SetEditorCurrentBlock('qor_block')");
  Click(kLeft, At(20, 20));
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(20, 20)), QORBlock::kInvisible);
}

TEST_F(EditorTest, TheTileToolPaintsKindsAndKeepsOneEditOnlyTile) {
  struct Case {
    const char* tile;
    int32_t type;
    int32_t variant;
  };
  const Case cases[] = {{"Tile_Normal_Sand3", kTileSand, 3}, {"Tile_Crack_Sand1", kTileCracked, 1},
                        {"Tile_normal_metal", kTileMetal, 1}, {"Tile_Normal_Gold", kTileGold, 1}};
  for (const Case& c : cases) {
    Lua(std::string("Room:SetEditorCurrentTile('") + c.tile + "')");
    Click(kLeft, At(5, 5));
    EXPECT_EQ(TileType(5, 5), c.type) << c.tile;
    EXPECT_EQ(editor_->GetTile(5, 5)->crackVariant, c.variant) << c.tile;
  }
  Lua("Room:SetEditorCurrentTile('tile_edit_only')");
  Click(kLeft, At(3, 3));
  Click(kLeft, At(4, 7));
  EXPECT_EQ(TileType(3, 3), kTileVoid);
  EXPECT_EQ(TileType(4, 7), kTileEditOnly);
  // No floor again: the token there goes, an invisible block fills the cell.
  PaintSand(8, 8, 8, 8);
  Lua("Room:SetEditorCurrentBlock('qor_block')");
  Click(kLeft, At(8, 8));
  ASSERT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(8, 8)), QORBlock::kToken);
  Lua("Room:SetEditorCurrentTile('Tile_None')");
  Click(kLeft, At(8, 8));
  EXPECT_EQ(TileType(8, 8), kTileVoid);
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(8, 8)), QORBlock::kInvisible);
}

TEST_F(EditorTest, PlayingAndGoingBackGivesBackTheLayoutByteForByte) {
  PaintSand(2, 2, 9, 9);
  Lua("Room:SetEditorCurrentBlock('qor_entrance')");
  Click(kLeft, At(2, 2));
  Lua("Room:SetEditorCurrentBlock('qor_exit')");
  Click(kLeft, At(8, 8));
  Lua("Room:SetEditorCurrentBlock('qor_rock')");
  Click(kLeft, At(5, 5));
  Lua("Room:SetEditorCurrentDecoration('deco_vase')");
  Click(kLeft, At(6, 3));
  const std::string before = Read(Save("before.lua"));
  ASSERT_FALSE(before.empty());

  Lua("Room:SetEditorCurrentMode('PLAY_track')");
  EXPECT_EQ(editor_->GetEditMode(), QOREditorWell::kPlay);
  EXPECT_FALSE(editor_->IsEditing());
  EXPECT_TRUE(std::filesystem::is_regular_file(folder_.Path() / "temp_level.lua"));
  for (int i = 0; i < 20; ++i) state_->Tick(0.05f);

  Lua("Room:SetEditorCurrentMode('edit_normal')");
  EXPECT_EQ(editor_->GetEditMode(), QOREditorWell::kEditNormal);
  EXPECT_EQ(Read(Save("after.lua")), before);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder_.Path() / "temp_level.lua"));

  Lua("Room:SetEditorCurrentMode('EDIT_FROZEN')");
  EXPECT_EQ(editor_->GetEditMode(), QOREditorWell::kEditFrozen);
  EXPECT_FALSE(editor_->HasGravity());
}

TEST_F(EditorTest, AnUnwritableTemporaryLevelKeepsTheLayoutAndTheEditMode) {
  PaintSand(4, 4, 6, 6);
  Lua("Room:SetEditorCurrentBlock('qor_rock')");
  Click(kLeft, At(5, 5));
  std::filesystem::create_directory(folder_.Path() / "temp_level.lua");
  LogCapture log;
  Lua("Room:SetEditorCurrentMode('PLAY_arcade')");
  const std::vector<std::string> errors = LogCapture::At(MSG_ERROR);
  ASSERT_EQ(errors.size(), 1u) << LogCapture::Text();
  EXPECT_NE(errors[0].find((folder_.Path() / "temp_level.lua").string()), std::string::npos) << errors[0];
  EXPECT_EQ(editor_->GetEditMode(), QOREditorWell::kEditNormal);
  EXPECT_EQ(TileType(4, 4), kTileSand);
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(5, 5)), QORBlock::kRock);
}

TEST_F(EditorTest, CtrlWithTheArrowsMovesOnlyTheViewFrame) {
  Lua("Room:SetEditorCurrentDecoration('deco_palm')");
  well::Decoration* palm = editor_->GetDecorationInHand();
  ASSERT_NE(palm, nullptr);
  const int32_t layer = palm->GetLayer();
  FeedCtrl(true);
  for (int code : {DIK_UP, DIK_UP, DIK_LEFT, DIK_RIGHT, DIK_RIGHT, DIK_DOWN}) Key(code);
  EXPECT_EQ(editor_->GetFrameX(), 31);
  EXPECT_EQ(editor_->GetFrameY(), 29);
  EXPECT_EQ(palm->GetLayer(), layer);
  EXPECT_EQ(palm->GetRotation(), 0);
  FeedCtrl(false);
  // Without Ctrl they set the decoration's layer and turn it.
  for (int code : {DIK_UP, DIK_UP, DIK_DOWN, DIK_LEFT}) Key(code);
  EXPECT_EQ(palm->GetLayer(), layer + 1);
  EXPECT_EQ(palm->GetRotation(), 3);
  for (int32_t i = 0; i <= layer + 1; ++i) Key(DIK_DOWN);
  EXPECT_EQ(palm->GetLayer(), 0);
  EXPECT_EQ(editor_->GetFrameX(), 31);
}

TEST_F(EditorTest, SpaceDropsTheDecorationAndTheNextClickPicksOneUp) {
  Lua("Room:SetEditorCurrentDecoration('deco_column')");
  Click(kLeft, At(6, 6));
  ASSERT_EQ(editor_->GetDecorations().size(), 1u);
  EXPECT_EQ(editor_->GetDecorations()[0]->GetTint(), 0xFFFFFFFFu);
  Key(57);
  EXPECT_EQ(editor_->GetDecorationInHand(), nullptr);
  Click(kLeft, At(6, 6));
  ASSERT_NE(editor_->GetDecorationInHand(), nullptr);
  EXPECT_EQ(editor_->GetDecorationInHand()->GetImageName(), "deco_column");
  EXPECT_TRUE(editor_->GetDecorations().empty());
}

TEST_F(EditorTest, NumberKeysRunTheirScriptsButNoKeyActsWhileTheConsoleIsOpen) {
  Key(4);
  ui::UIWidget* third = GetUIMan()->GetPanel("editor_4");
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(third->IsVisible());
  EXPECT_FALSE(GetUIMan()->GetPanel("editor_2")->IsVisible());

  Lua("Room:SetEditorCurrentDecoration('deco_torch')");
  ToggleConsole();
  ASSERT_TRUE(GetConsole()->IsOpen());
  input::KeyState space;
  space.code = 57;
  space.down = 1;
  editor_->OnKey(&space);
  input::KeyState five;
  five.code = 6;
  five.down = 1;
  editor_->OnKey(&five);
  EXPECT_NE(editor_->GetDecorationInHand(), nullptr);
  EXPECT_TRUE(third->IsVisible());
  ToggleConsole();
}

TEST_F(EditorTest, ARightClickOffTheBoardErasesNoBlockYetRemovesADecorationThere) {
  // The cell a careless index of (-1, 6) would reach: (59, 5).
  editor_->SetScroll(editor_->CellsToSize(50, 0));
  PaintSand(59, 5, 59, 5);
  Lua("Room:SetEditorCurrentBlock('qor_rock')");
  Click(kLeft, At(59, 5));
  ASSERT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(59, 5)), QORBlock::kRock);
  // Just past the board's right edge, beside the centre of (59, 6).
  const math::Vec2 off = editor_->CellToScreen(60, 6) + math::Vec2(0.005f, editor_->GetCellSize().y * 0.5f);
  ASSERT_FALSE(editor_->IsInside(editor_->ScreenToCell(off).x, 6));
  Key(57);
  Click(kRight, off);
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(59, 5)), QORBlock::kRock);
  EXPECT_EQ(TileType(59, 5), kTileSand);

  // A decoration hanging over the edge is still taken away there.
  Lua("Room:SetEditorCurrentDecoration('deco_palm')");
  Click(kLeft, At(59, 6));
  ASSERT_EQ(editor_->GetDecorations().size(), 1u);
  Key(57);
  Click(kRight, off);
  EXPECT_TRUE(editor_->GetDecorations().empty());
  EXPECT_EQ(state_->GetBoard()->GetBlockType(editor_->GetBlock(59, 5)), QORBlock::kRock);
  // On the board the block goes first, then the floor.
  Click(kRight, At(59, 5));
  EXPECT_EQ(editor_->GetBlock(59, 5), nullptr);
  EXPECT_EQ(TileType(59, 5), kTileSand);
  Click(kRight, At(59, 5));
  EXPECT_EQ(TileType(59, 5), kTileVoid);
}

TEST_F(EditorTest, ARightClickOnAWalkerRemovesIt) {
  PaintSand(12, 12, 12, 12);
  Lua("Room:SetEditorCurrentWalker('SHADY')");
  EXPECT_TRUE(editor_->HasRivalInHand());
  Click(kLeft, At(12, 12));
  ASSERT_EQ(editor_->GetWalkers().size(), 1u);
  Key(57);
  Click(kRight, At(12, 12));
  EXPECT_TRUE(editor_->GetWalkers().empty());
  EXPECT_EQ(TileType(12, 12), kTileSand);
}

TEST_F(EditorTest, ASavedLevelRunsInStockLuaAndLoadsBackAsALevel) {
  PaintSand(59, 10, 59, 12);
  Lua("Room:SetEditorCurrentTile('Tile_Crack_Sand2')");
  Click(kLeft, At(0, 0));
  Lua("Room:SetEditorColor('orange', true)");
  const std::string path = Save("painted.lua");
  EXPECT_EQ(std::system(("lua5.2 " + path).c_str()), 0) << Read(path);
  EXPECT_NE(Read(path).find("Width = 60"), std::string::npos) << Read(path);

  LogCapture log;
  ASSERT_TRUE(state_->LoadLevel(path));
  QORWell* level = state_->GetBoard();
  EXPECT_FALSE(level->IsEditorWell());
  ASSERT_NE(level->GetTile(59, 11), nullptr);
  EXPECT_EQ(level->GetTile(59, 11)->type, kTileSand);
  EXPECT_EQ(level->GetTile(0, 0)->type, kTileCracked);
  EXPECT_EQ(level->GetTile(0, 0)->crackVariant, 2);

  // Back into the editor: 60 x 60 whatever the header says, colours ticked.
  const std::string small = (folder_.Path() / "small.lua").string();
  std::ofstream(small) << "QOR = { Width = 8, Height = 5, Colors = { blue = 1, orange = 1 } }\n";
  {
    LogCapture again;
    Lua("Room:LoadEditor('" + small + "')");
    EXPECT_TRUE(LogCapture::Has("Level loaded successfully!"));
  }
  ASSERT_NE(state_->GetEditor(), nullptr);
  EXPECT_EQ(state_->GetEditor()->GetWidth(), 60u);
  EXPECT_EQ(state_->GetEditor()->GetHeight(), 60u);
  {
    LogCapture missing;
    Lua("Room:LoadEditor('" + (folder_.Path() / "none.lua").string() + "')");
    EXPECT_FALSE(LogCapture::Has("Level loaded successfully!"));
  }
}

// The rival room opened in the editor, by either way in, shows the treasure
// token on its exit, as in play.
TEST_F(EditorTest, TheRivalRoomsExitShowsTheTreasureTokenInTheEditor) {
  const std::string room = std::string(VANTOR_SOURCE_DIR) + "/data/level/temple_1_level_5.lua";
  for (const char* call : {"LoadEditor", "LoadWell"}) {
    SCOPED_TRACE(call);
    Lua(std::string("Room:") + call + "('" + room + "')");
    QOREditorWell* editor = state_->GetEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsShadyLevel());
    std::set<const well::Block*> exits;
    for (int32_t x = 0; x < static_cast<int32_t>(editor->GetWidth()); ++x) {
      for (int32_t y = 0; y < static_cast<int32_t>(editor->GetHeight()); ++y) {
        const well::Block* block = editor->GetBlock(x, y);
        if (!block || editor->GetBlockType(block) != QORBlock::kExit || !exits.insert(block).second) continue;
        EXPECT_EQ(block->GetSprite().GetName(), "subgoal_token");
      }
    }
    EXPECT_EQ(exits.size(), 1u);
  }
}

// The editor's Save button, as its panel runs it: the chooser's path gets a
// level that the stock interpreter reads, every table of it.
TEST_F(EditorTest, TheSaveButtonWritesALevelStockLuaReadsTableByTable) {
  PaintSand(2, 2, 8, 6);
  Lua("Room:SetEditorCurrentBlock('qor_exit')");
  Click(kLeft, At(2, 2));
  Lua("Room:SetEditorCurrentWalker('SHADY')");
  Click(kLeft, At(7, 5));
  Lua("Room:SetEditorCurrentDecoration('deco_palm')");
  Click(kLeft, At(5, 3));
  Key(57);
  editor_->GetBarriers().push_back({{0.25f, 0.5f}, {0.75f, 0.5f}});
  const std::string path = (folder_.Path() / "saved by the button.lua").string();
  platform::testing::SetFileDialogAnswerer([&](const platform::testing::FileDialogRequest&, std::string& chosen) {
    chosen = path;
    return true;
  });
  Lua("local getGame = GetGame GetGame = function() return Room end EditorSave() GetGame = getGame");
  platform::testing::SetFileDialogAnswerer(nullptr);

  EXPECT_EQ(RunStockLua(path, "print(QOR.Width, QOR.Height, #BackgroundTiles, Blocks[1].Type, "
                              "Decorations[1].Image, Barriers[1].From[1], Barriers[1].To[1], #Spiders)"),
            "9\t7\t63\tqor_exit\tdeco_palm\t0.25\t0.75\t" + std::to_string(editor_->GetWalkers().size()) + "\n")
      << Read(path);
}

TEST_F(EditorTest, TheColourBoxesFollowTheBoardAndAreWhatASaveKeeps) {
  auto* hud = dynamic_cast<QOREditorUI*>(editor_->GetHud());
  ASSERT_NE(hud, nullptr);
  for (int colour = 0; colour < QORWell::kColorCount; ++colour) ASSERT_NE(hud->GetColourBox(colour), nullptr);
  Lua("Room:SetEditorColor('green', false)");
  Lua("Room:SetEditorColor('generic12', true)");
  EXPECT_FALSE(hud->GetColourBox(1)->IsChecked());
  EXPECT_TRUE(hud->GetColourBox(23)->IsChecked());
  const std::string saved = Read(Save("colours.lua"));
  EXPECT_NE(saved.find("generic12 = 1"), std::string::npos) << saved;
  EXPECT_NE(saved.find("green = 0"), std::string::npos) << saved;
}

}  // namespace
