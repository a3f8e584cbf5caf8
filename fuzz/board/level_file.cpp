// libFuzzer target: level files as the game board loads them, with their
// header, floor, barriers and rival start, and the level data beside them.
// The input is the level file, optionally followed by a line "--data" and the
// text of "level/level_data.lua" (else a fixed entry for the level is used).
// The board is loaded, ticked, saved and loaded again from what it wrote.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "board/qor_well.h"
#include "fuzz_target.h"
#include "render/dx8/dx8_graphics.h"
#include "render/sprites/sprite_set.h"

namespace {

const std::string kDataMark = "\n--data\n";
constexpr const char* kDefaultData = "room = { Background = 'img/Background_1.jpg', red = 1, Timer = 2 }\n";

// The scratch folder becomes the current folder, where "level/level_data.lua"
// is found, with the game's pictures, effects and sounds beside it; a
// headless device holds the sprite sets the game loads at start, so boards
// find their pictures as in play.
bool Prepare() {
  std::error_code failed;
  std::filesystem::create_directories(fuzz::ScratchPath("level"), failed);
  if (failed || chdir(fuzz::ScratchPath("").c_str()) != 0) return false;
  const std::filesystem::path data = std::filesystem::path(VANTOR_SOURCE_DIR) / "data";
  for (const char* folder : {"img", "effects", "ui_img", "particles", "sounds"})
    std::filesystem::create_directory_symlink(data / folder, folder, failed);
  std::filesystem::create_symlink(data / "Cursor.png", "Cursor.png", failed);
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  if (!graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) return false;
  graphics->SetDefaultRenderStates();
  ui::GetSpriteSet()->Load("img/sprites.lua");
  ui::GetSpriteSet()->Load("ui_img/sprites.lua");
  return true;
}

void WriteText(const std::string& name, const std::string& text) {
  std::ofstream(fuzz::ScratchPath(name), std::ios::binary) << text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool prepared = Prepare();
  if (!prepared) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t mark = input.find(kDataMark);
  WriteText("level/room.lua", input.substr(0, mark));
  WriteText("level/level_data.lua", mark == std::string::npos ? kDefaultData : input.substr(mark + kDataMark.size()));
  {
    QORWell board(nullptr);
    board.LoadLevel("level/room.lua");
    for (int i = 0; i < 3; ++i) board.Tick(0.05f);
    board.Save(fuzz::ScratchPath("level/room.lua"));
  }
  QORWell again(nullptr);
  again.LoadLevel("level/room.lua");
  again.Tick(0.05f);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  for (const char* name : {"floor", "red_only", "unlisted", "no_header", "width_300"}) {
    seeds.AddSourceFile(std::string("tests/board/data/level/") + name + ".lua");
  }
  // Every shipped room, as the build wrote it.
  std::error_code failed;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(VANTOR_SOURCE_DIR) + "/data/level", failed)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".lua" && name != "level_data.lua") seeds.AddSourceFile("data/level/" + name);
  }
  seeds.AddText("with_data.lua", "QOR = { Width = 4, Height = 3, Colors = { red = 1 } }\n"
                                 "BackgroundTiles = { { X = 1, Y = 1, Type = 3, Webbed = 1 } }\n"
                                 "--data\nroom = { green = 1, Timer = 0.5 }\n");
}
