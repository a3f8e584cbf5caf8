// The game's content as it comes with it: every room of the two temples and
// the race track has its level file and its table in the level data, runs in
// a plain Lua state, keeps its tombs on bare floor, and can be won once its
// floor is gold; every image a panel names and every file a script or panel
// quotes is there; every function the game calls by name is defined.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <vector>
#include <sstream>
#include <string>

#include "board/blocks/qor_block.h"
#include "board/explorer/qor_explorer.h"
#include "board/qor_tile.h"
#include "board/qor_well.h"
#include "well/block_names.h"
#include "game/game_test_support.h"
#include "game/rooms.h"
#include "game/qor_game_state.h"
#include "game/qor_mini_game_state.h"
#include "core/script/console.h"
#include "ui/gameflow/game_flow_manager.h"

namespace {

constexpr const char* kDataFolder = VANTOR_SOURCE_DIR "/data/";

using game_test::ConsoleRanSince;
using game_test::kRooms;
using game_test::LevelFile;
using game_test::Room;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// A file of data/, its name compared without regard to case as the loose
// files are found.
bool DataFileExists(const std::string& name) {
  std::filesystem::path path = kDataFolder;
  std::stringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '/')) {
    bool found = false;
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (Lower(entry.path().filename().string()) == Lower(part)) {
          path = entry.path();
          found = true;
          break;
        }
      }
    }
    if (!found) return false;
  }
  return std::filesystem::is_regular_file(path);
}

// A fresh Lua state that ran one data file; null, with a failure, when the
// file does not run.
class LuaFile {
 public:
  explicit LuaFile(const std::string& file) : lua_(luaL_newstate()) {
    luaL_openlibs(lua_);
    if (luaL_dofile(lua_, (kDataFolder + file).c_str()) != 0) {
      ADD_FAILURE() << file << ": " << lua_tostring(lua_, -1);
      lua_close(lua_);
      lua_ = nullptr;
    }
  }
  ~LuaFile() {
    if (lua_) lua_close(lua_);
  }
  LuaFile(const LuaFile&) = delete;
  LuaFile& operator=(const LuaFile&) = delete;

  lua_State* get() const { return lua_; }
  // The type of the field of a global table, or of the global itself.
  int TypeOf(const char* global, const char* field = nullptr) {
    lua_getglobal(lua_, global);
    if (field && lua_istable(lua_, -1)) {
      lua_getfield(lua_, -1, field);
      lua_remove(lua_, -2);
    }
    const int type = lua_type(lua_, -1);
    lua_pop(lua_, 1);
    return type;
  }

 private:
  lua_State* lua_;
};

TEST(GameContent, EveryRoomHasItsLevelDataTableWithColoursSetTo1AndATimer) {
  LuaFile data("level/level_data.lua");
  ASSERT_NE(data.get(), nullptr);
  for (const Room& room : kRooms) {
    SCOPED_TRACE(room.id);
    ASSERT_EQ(data.TypeOf(room.id), LUA_TTABLE);
    EXPECT_EQ(data.TypeOf(room.id, "Timer"), LUA_TNUMBER);
    EXPECT_EQ(data.TypeOf(room.id, "Background"), LUA_TSTRING);
    lua_getglobal(data.get(), room.id);
    lua_getfield(data.get(), -1, "Background");
    const char* background = lua_tostring(data.get(), -1);
    EXPECT_TRUE(background && DataFileExists(background)) << (background ? background : "no background");
    lua_pop(data.get(), 2);
    lua_getglobal(data.get(), room.id);
    int colours = 0;
    lua_pushnil(data.get());
    while (lua_next(data.get(), -2) != 0) {
      const std::string key = lua_tostring(data.get(), -2);
      if (key != "Timer" && key != "Background") {
        EXPECT_EQ(lua_tointeger(data.get(), -1), 1) << key;
        ++colours;
      }
      lua_pop(data.get(), 1);
    }
    lua_pop(data.get(), 1);
    EXPECT_GE(colours, 3);
  }
}

// Each cell's floor type from a level's BackgroundTiles, 0 where none is set.
int FloorAt(lua_State* lua, int x, int y) {
  int type = 0;
  lua_getglobal(lua, "BackgroundTiles");
  const int count = static_cast<int>(lua_rawlen(lua, -1));
  for (int i = 1; i <= count; ++i) {
    lua_rawgeti(lua, -1, i);
    lua_getfield(lua, -1, "X");
    lua_getfield(lua, -2, "Y");
    lua_getfield(lua, -3, "Type");
    if (lua_tointeger(lua, -3) == x && lua_tointeger(lua, -2) == y) type = static_cast<int>(lua_tointeger(lua, -1));
    lua_pop(lua, 4);
  }
  lua_pop(lua, 1);
  return type;
}

TEST(GameContent, EveryLevelRunsInAPlainLuaStateAndEachRoomsTombsStandOnBareFloor) {
  for (const Room& room : kRooms) {
    SCOPED_TRACE(room.id);
    LuaFile level(LevelFile(room));
    ASSERT_NE(level.get(), nullptr);
    for (const char* table : {"QOR", "Blocks", "BackgroundTiles", "Info"})
      EXPECT_EQ(level.TypeOf(table), LUA_TTABLE) << table;
    EXPECT_EQ(level.TypeOf("Spiders") == LUA_TTABLE, room.rival);
    if (room.index < 0) continue;
    int tombs = 0;
    lua_State* lua = level.get();
    lua_getglobal(lua, "Blocks");
    const int count = static_cast<int>(lua_rawlen(lua, -1));
    for (int i = 1; i <= count; ++i) {
      lua_rawgeti(lua, -1, i);
      lua_getfield(lua, -1, "Type");
      const std::string type = lua_tostring(lua, -1);
      lua_getfield(lua, -2, "X");
      lua_getfield(lua, -3, "Y");
      const int x = static_cast<int>(lua_tointeger(lua, -2)), y = static_cast<int>(lua_tointeger(lua, -1));
      lua_pop(lua, 4);
      if (type != "qor_entrance" && type != "qor_exit") continue;
      ++tombs;
      for (int dx = 0; dx < 2; ++dx)
        for (int dy = 0; dy < 2; ++dy) EXPECT_EQ(FloorAt(lua, x + dx, y + dy), kTileBare) << type;
    }
    lua_pop(lua, 1);
    EXPECT_EQ(tombs, 2);
  }
}

// The names of the entries of both sprite sets, in lower case (names fold
// case).
std::set<std::string> EntryNames(const std::vector<const char*>& files, const char* table) {
  std::set<std::string> names;
  for (const char* file : files) {
    LuaFile sprites(file);
    if (!sprites.get()) continue;
    lua_State* lua = sprites.get();
    lua_getglobal(lua, table);
    const int count = static_cast<int>(lua_rawlen(lua, -1));
    for (int i = 1; i <= count; ++i) {
      lua_rawgeti(lua, -1, i);
      lua_getfield(lua, -1, "Name");
      if (lua_isstring(lua, -1)) names.insert(Lower(lua_tostring(lua, -1)));
      lua_pop(lua, 2);
    }
    lua_pop(lua, 1);
  }
  return names;
}

std::set<std::string> SpriteNames() { return EntryNames({"img/sprites.lua", "ui_img/sprites.lua"}, "Sprites"); }

// Every image that the widget table on the stack or one of its children
// names.
void CollectImages(lua_State* lua, std::vector<std::string>& images) {
  static const char* const kImageKeys[] = {"MouseOff",    "MouseOver",    "MouseClick",    "SliderIcon",
                                           "CheckedImg",  "UncheckedImg", "ProgressFull",  "ProgressEmpty",
                                           "Image"};
  for (const char* key : kImageKeys) {
    lua_getfield(lua, -1, key);
    if (lua_isstring(lua, -1)) images.push_back(lua_tostring(lua, -1));
    lua_pop(lua, 1);
  }
  lua_getfield(lua, -1, "Children");
  if (lua_istable(lua, -1)) {
    const int count = static_cast<int>(lua_rawlen(lua, -1));
    for (int i = 1; i <= count; ++i) {
      lua_rawgeti(lua, -1, i);
      if (lua_istable(lua, -1)) CollectImages(lua, images);
      lua_pop(lua, 1);
    }
  }
  lua_pop(lua, 1);
}

std::vector<std::string> DataFiles(const char* folder, const char* extension) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(kDataFolder) + folder))
    if (entry.path().extension() == extension) files.push_back(std::string(folder) + "/" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GameContent, EveryImageAPanelNamesIsASpriteEntryOrAFile) {
  const std::set<std::string> sprites = SpriteNames();
  ASSERT_FALSE(sprites.empty());
  const std::vector<std::string> panels = DataFiles("ui", ".ui");
  ASSERT_FALSE(panels.empty());
  for (const std::string& panel : panels) {
    SCOPED_TRACE(panel);
    LuaFile file(panel);
    ASSERT_NE(file.get(), nullptr);
    lua_getglobal(file.get(), "Panel");
    ASSERT_TRUE(lua_istable(file.get(), -1));
    std::vector<std::string> images;
    CollectImages(file.get(), images);
    lua_pop(file.get(), 1);
    for (const std::string& image : images)
      EXPECT_TRUE(sprites.count(Lower(image)) || DataFileExists(image)) << image;
  }
}

// A file name in double quotes in a script or a panel names a file of the
// game's data.
TEST(GameContent, EveryFileTheScriptsAndPanelsQuoteExists) {
  const std::regex quoted("\"([A-Za-z0-9_./-]+\\.(png|jpg|ogg|wav|ui|lua|swf|p2d|avi|ttf|lang))\"");
  std::vector<std::string> sources = DataFiles("scripts", ".lua");
  const std::vector<std::string> panels = DataFiles("ui", ".ui");
  sources.insert(sources.end(), panels.begin(), panels.end());
  int quotes = 0;
  for (const std::string& source : sources) {
    std::ifstream in(std::string(kDataFolder) + source);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto match = std::sregex_iterator(text.begin(), text.end(), quoted); match != std::sregex_iterator(); ++match) {
      EXPECT_TRUE(DataFileExists((*match)[1])) << source << ": " << (*match)[1];
      ++quotes;
    }
  }
  EXPECT_GT(quotes, 20);
}

// The functions the game runs by name in the console.
TEST(GameContent, EveryEntryPointTheGameCallsIsALuaFunction) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  std::vector<std::string> names = {
      "ReloadGame",  "OnInitUI",    "OnEnterGame",  "EditorStart",   "OnEnterMap",     "OnEnterMinigame",
      "OnEnterCredits", "OnExitGeneric", "OnLevelStart", "OnRaceStart",  "LevelWasWon",  "ShadyWasWon",
      "OnGameLose",  "SetupBetting", "EndRaceTimer", "WinRace",      "WonPuzzle",      "LoosePuzzle",
      "DefeatShady", "StartArcade", "CaptureAutoScreenshot", "CaptureMiniScreenshot"};
  for (int key = 1; key <= 12; ++key) names.push_back("EditorKey" + std::to_string(key));
  lua_State* lua = GetConsole()->GetState()->GetCState();
  for (const std::string& name : names) {
    lua_getglobal(lua, name.c_str());
    EXPECT_TRUE(lua_isfunction(lua, -1)) << name;
    lua_pop(lua, 1);
  }
}

// The room loaded by the real playing state, its floor turned gold: the
// explorer walks to the exit and the scripts hear of the win.
TEST(GameContent, EachRoomWithItsFloorTurnedGoldIsWonByTheExplorer) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  auto* game = dynamic_cast<QORGameState*>(gameflow::GetGameFlowManager().FindState("game"));
  ASSERT_NE(game, nullptr);
  for (const Room& room : kRooms) {
    if (room.index < 0) continue;
    SCOPED_TRACE(room.id);
    const std::string mark = std::string("-- the content test plays ") + room.id;
    GetConsole()->Do(mark);
    ASSERT_TRUE(game->LoadLevel(LevelFile(room)));
    game->SetLevelID(room.index);
    QORWell* board = game->GetBoard();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->IsShadyLevel(), room.rival);
    ASSERT_NE(board->GetExit(), nullptr);
    EXPECT_EQ(board->GetExit()->GetSprite().GetName(), room.rival ? "subgoal_token" : "Tomb_Closed");
    for (int32_t x = 0; x < static_cast<int32_t>(board->GetWidth()); ++x) {
      for (int32_t y = 0; y < static_cast<int32_t>(board->GetHeight()); ++y) {
        QORTile* tile = board->GetTile(x, y);
        if (tile && tile->type >= kTileMetal && tile->type < kTileGold) {
          tile->type = kTileGold;
          board->RefreshTile(*tile);
        }
      }
    }
    ASSERT_NE(board->GetExplorer(), nullptr);
    ASSERT_NE(board->GetExit(), nullptr);
    board->GetExplorer()->SetGoal(board->GetExit()->GetCell().x, board->GetExit()->GetCell().y + 1);
    for (int i = 0; i < 2400 && !board->GetGameEnd(); ++i) board->Tick(0.05f);
    ASSERT_NE(board->GetGameEnd(), nullptr) << "the explorer stopped on " << board->GetExplorer()->GetCell().x
                                            << ", " << board->GetExplorer()->GetCell().y;
    EXPECT_TRUE(ConsoleRanSince(mark, room.rival ? "ShadyWasWon(" : "LevelWasWon("));
    EXPECT_FALSE(ConsoleRanSince(mark, "OnGameLose("));
    game->ShutdownLevel();
  }
}

// A nest takes the floor under it away: neither the explorer's way nor the
// rival's crosses it once the room has loaded.
TEST(GameContent, EveryNestOfEveryRoomStandsOnNoFloor) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  auto* game = dynamic_cast<QORGameState*>(gameflow::GetGameFlowManager().FindState("game"));
  ASSERT_NE(game, nullptr);
  int nests = 0;
  for (const Room& room : kRooms) {
    if (room.index < 0) continue;
    SCOPED_TRACE(room.id);
    ASSERT_TRUE(game->LoadLevel(LevelFile(room)));
    QORWell* board = game->GetBoard();
    ASSERT_NE(board, nullptr);
    std::set<const well::Block*> seen;
    for (int32_t x = 0; x < static_cast<int32_t>(board->GetWidth()); ++x) {
      for (int32_t y = 0; y < static_cast<int32_t>(board->GetHeight()); ++y) {
        const well::Block* block = board->GetBlock(x, y);
        const int32_t type = block ? board->GetBlockType(block) : -1;
        if (type < QORBlock::kMummyNest || type > QORBlock::kLocustNest || !seen.insert(block).second) continue;
        ++nests;
        const well::Cell at = block->GetCell();
        for (int32_t dx = 0; dx < 2; ++dx)
          for (int32_t dy = 0; dy < 2; ++dy)
            EXPECT_EQ(board->GetTile(at.x + dx, at.y + dy)->type, kTileVoid) << "a nest on " << at.x << ", " << at.y;
      }
    }
    game->ShutdownLevel();
  }
  EXPECT_EQ(nests, 12);
}

// The tutorials of the first two rooms point at fixed cells: as the room
// starts, with the view on the explorer, each lies wholly on screen above the
// HUD's lower bar (its panel starts at 0.8867), where the player can click it.
TEST(GameContent, TheTutorialsCellsAreOnScreenAsTheirRoomsStart) {
  ASSERT_NE(game_test::StartedGame(), nullptr);
  auto* game = dynamic_cast<QORGameState*>(gameflow::GetGameFlowManager().FindState("game"));
  ASSERT_NE(game, nullptr);
  struct Tutorial {
    const Room& room;
    std::vector<std::pair<int32_t, int32_t>> cells;
  };
  const Tutorial tutorials[] = {{kRooms[0], {{29, 31}, {30, 31}, {31, 31}, {32, 31}}},
                                {kRooms[1], {{23, 44}, {24, 45}}}};
  for (const Tutorial& tutorial : tutorials) {
    SCOPED_TRACE(tutorial.room.id);
    ASSERT_TRUE(game->LoadLevel(LevelFile(tutorial.room)));
    game->SetLevelID(tutorial.room.index);
    QORWell* board = game->GetBoard();
    ASSERT_NE(board, nullptr);
    board->Tick(0.05f);
    const math::Vec2 cell = board->CellsToSize(1, 1);
    for (const auto& [x, y] : tutorial.cells) {
      const math::Vec2 at = board->CellToScreen(x, y);
      EXPECT_TRUE(at.x >= 0.0f && at.x + cell.x <= 1.0f && at.y >= 0.0f && at.y + cell.y <= 0.8867f)
          << x << ", " << y << " is drawn at " << at.x << ", " << at.y;
    }
    game->ShutdownLevel();
  }
}

// The files and sound sets the game's code loads by name.
TEST(GameContent, EveryFileAndSoundSetTheCodeLoadsByNameResolves) {
  const char* const kFiles[] = {
      "effects/add_star.p2d",      "effects/bonus_part.p2d",        "effects/burn.p2d",
      "effects/dust.p2d",          "effects/power1.p2d",            "effects/power2.p2d",
      "effects/power3.p2d",        "effects/power4.p2d",            "effects/power5.p2d",
      "effects/power6.p2d",        "effects/power7.p2d",            "effects/power8.p2d",
      "effects/power9.p2d",        "effects/sand_minigame.p2d",     "effects/scarabsmoke.p2d",
      "effects/scarabsprintsmoke.p2d", "effects/selected.p2d",      "effects/selected_cont.p2d",
      "effects/tokenstart.p2d",    "img/Background_1.jpg",          "img/Explosion_blue.png",
      "img/Explosion_white.png",   "img/Explosion_yellow.png",      "img/block_select.png",
      "img/locust_trail.png",      "img/popup_number.lua",          "img/scarab_trail.png",
      "img/sprites.lua",           "img/time_number.lua",           "ui/betting.ui",
      "ui/credits.ui",             "ui/editor.ui",                  "ui/game_screen.ui",
      "ui/map.ui",                 "ui/minigame.ui",                "ui/minipause.ui",
      "ui/pause.ui",               "ui/qor_defeat.ui",              "ui/race.ui",
      "ui/race_summary.ui",        "ui/treasurefound.ui",           "sounds/Game Play Cue 1.ogg",
      "sounds/Game Play Cue 2.ogg", "sounds/Game Play Cue 3.ogg",   "sounds/Level Complete Cue.ogg",
      "sounds/Menu Cue.ogg",       "sounds/Puzzle Cue.ogg",         "sounds/Scarab Race.ogg",
  };
  for (const char* file : kFiles) EXPECT_TRUE(DataFileExists(file)) << file;
  const std::set<std::string> sets = EntryNames({"sounds/soundbank.lua"}, "SoundBank");
  std::vector<std::string> wanted = {"FOUND_TREASURE", "START_FLASH", "block_select", "button_press",
                                     "end_flash.ogg",  "help_close",  "help_open",    "hint_down",
                                     "hint_up",        "puzzle_landed", "scarab strike"};
  // The powers' sounds go by their number, breaking rocks being the sixth.
  for (int power = 1; power <= 9; ++power) wanted.push_back("special " + std::to_string(power));
  for (const std::string& set : wanted) EXPECT_EQ(sets.count(Lower(set)), 1u) << set;
}

// An image named by a sprite entry is a file of data/: a missing one only
// shows as a log line when the entry is first drawn.
TEST(GameContent, EveryImageASpriteEntryNamesExists) {
  int entries = 0;
  for (const char* file : {"img/sprites.lua", "ui_img/sprites.lua"}) {
    LuaFile sprites(file);
    ASSERT_NE(sprites.get(), nullptr);
    lua_State* lua = sprites.get();
    lua_getglobal(lua, "Sprites");
    const int count = static_cast<int>(lua_rawlen(lua, -1));
    for (int i = 1; i <= count; ++i, ++entries) {
      lua_rawgeti(lua, -1, i);
      lua_getfield(lua, -1, "Name");
      lua_getfield(lua, -2, "ImageFile");
      const std::string name = lua_isstring(lua, -2) ? lua_tostring(lua, -2) : "";
      const char* image = lua_tostring(lua, -1);
      EXPECT_TRUE(image && DataFileExists(image)) << file << ": " << name;
      lua_pop(lua, 3);
    }
    lua_pop(lua, 1);
  }
  EXPECT_GT(entries, 100);
}

// The images the board and the race name by joining a colour, a state or a
// direction to a stem: every one they can ask for is a sprite entry or a
// file.
TEST(GameContent, EveryImageNameTheCodeBuildsResolves) {
  const std::set<std::string> sprites = SpriteNames();
  std::vector<std::string> names;
  for (int32_t colour = well::kColorBlue; colour < well::kColorUnnamed; ++colour) {
    const std::string name = well::ColorToName(colour);
    for (int32_t state : {well::kStateStand, well::kStateSelected})
      names.push_back("token_" + well::StateToName(state) + "_" + name);
    names.push_back("img/token_emptybottle_" + name + ".png");
    names.push_back("img/token_fullbottle_" + name + ".png");
  }
  for (const char* stem : {"Mummy_Appear_", "Mummy_Idle_", "Mummy_Disappear_", "Mummy_Walk_", "Mummy_Magic_",
                           "Shady_Walk_"})
    for (const char* direction : {"left", "Right", "Up", "Down"}) names.push_back(std::string(stem) + direction);
  for (const char* direction : {"_left", "_right", "_up", "_down"})
    names.push_back(std::string("scorpion_walk") + direction);
  for (const char* racer : {"Yellow", "red", "green", "blue"})
    for (const char* stem : {"Scarab_run_", "Scarab_fly_"}) names.push_back(std::string(stem) + racer);
  for (int sand = 1; sand <= 3; ++sand)
    for (const char* stem : {"Tile_Normal_Sand", "Tile_Crack_Sand"}) names.push_back(stem + std::to_string(sand));
  for (int count = 1; count <= 9; ++count) names.push_back("power_" + std::to_string(count));
  for (const std::string& name : names) EXPECT_TRUE(sprites.count(Lower(name)) || DataFileExists(name)) << name;
}

// The pieces of a puzzle picture, each shrunk to 8 x 8 pixels of red, green
// and blue by ImageMagick; empty when it cannot read the picture.
std::vector<std::vector<int>> PuzzlePieces(const std::string& path) {
  constexpr int kSide = 8;
  const int columns = QORMiniGameState::kColumns, rows = QORMiniGameState::kRows;
  const int width = static_cast<int>(std::lround(QORMiniGameState::kPieceU * 512)) * columns;
  const int height = static_cast<int>(std::lround(QORMiniGameState::kPieceV * 512)) * rows;
  const std::string command = "convert '" + path + "' -crop " + std::to_string(width) + "x" + std::to_string(height) +
                              "+0+0 +repage -scale " + std::to_string(columns * kSide) + "x" +
                              std::to_string(rows * kSide) + "! -depth 8 RGB:- 2>/dev/null";
  std::vector<unsigned char> bytes;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    unsigned char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    pclose(pipe);
  }
  std::vector<std::vector<int>> pieces;
  if (bytes.size() != static_cast<size_t>(columns * kSide * rows * kSide * 3)) return pieces;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      std::vector<int> piece;
      for (int y = 0; y < kSide; ++y) {
        const size_t at = ((static_cast<size_t>(row) * kSide + y) * columns * kSide + column * kSide) * 3;
        piece.insert(piece.end(), bytes.begin() + at, bytes.begin() + at + kSide * 3);
      }
      pieces.push_back(piece);
    }
  }
  return pieces;
}

// A piece in another's slot must show: no two pieces of a picture look
// alike, each differing from every other by a clear mean shade.
TEST(GameContent, EveryPieceOfEveryPuzzlePictureIsToldApartAtAGlance) {
  constexpr double kLeastDifference = 8.0;  // of 255, averaged over the shrunk piece
  // The pictures the map's script deals.
  LuaFile map("scripts/map.lua");
  ASSERT_NE(map.get(), nullptr);
  std::vector<std::string> pictures;
  lua_getglobal(map.get(), "PuzzlePictures");
  for (int i = 1; lua_istable(map.get(), -1); ++i) {
    lua_rawgeti(map.get(), -1, i);
    const bool named = lua_type(map.get(), -1) == LUA_TSTRING;
    if (named) pictures.push_back(lua_tostring(map.get(), -1));
    lua_pop(map.get(), 1);
    if (!named) break;
  }
  EXPECT_FALSE(pictures.empty());
  for (const std::string& name : pictures) {
    const std::vector<std::vector<int>> pieces = PuzzlePieces(kDataFolder + name);
    ASSERT_EQ(pieces.size(), static_cast<size_t>(QORMiniGameState::kPieceCount)) << name;
    for (size_t a = 0; a < pieces.size(); ++a) {
      for (size_t b = a + 1; b < pieces.size(); ++b) {
        double sum = 0.0;
        for (size_t i = 0; i < pieces[a].size(); ++i) sum += std::abs(pieces[a][i] - pieces[b][i]);
        EXPECT_GE(sum / static_cast<double>(pieces[a].size()), kLeastDifference) << name << ": pieces " << a << " and " << b;
      }
    }
  }
}

}  // namespace
