// Board files (tables Blocks, Decorations and Info) loaded onto a scrolling
// board, at once and queued, saved and loaded again, then played for a few
// frames: blocks fall, arrive, die and are buried, and everything is deleted
// with the board. Seeds: the board test fixtures.
#include <cstddef>
#include <cstdint>

#include "core/frame_timer.h"
#include "fuzz_target.h"
#include "well/block.h"
#include "well/game_scroll_well.h"

namespace {

class FuzzBlock : public well::Block {
 public:
  FuzzBlock(well::BaseWell* board, std::string type) : Block(board), type_(std::move(type)) {}
  void Init() override {}
  std::string GetTypeName() override { return type_; }

 private:
  std::string type_;
};

// Blocks of every type the file names; "dead" ones die as they arrive.
class FuzzWell : public well::GameScrollWell {
 public:
  FuzzWell() : GameScrollWell(nullptr) {
    SetViewCells(4, 3);
    Create(8, 6, {0.0f, 0.0f}, {0.4f, 0.3f}, {0.1f, 0.1f});
  }
  void ReservedHook(int32_t, int32_t) override {}
  well::Block* CreateBlock(const std::string& type, const std::string& color, int32_t, int32_t, int32_t width,
                           int32_t height) override {
    if (type == "none") return nullptr;
    FuzzBlock* block = new FuzzBlock(this, type);
    block->SetColor(well::NameToColor(color));
    block->SetSize(width, height);
    if (type == "dead") block->SetErased();
    return block;
  }
};

void Play(FuzzWell& board) {
  for (int frame = 0; frame < 8; ++frame) {
    GetFrameTimer().totalTime += 0.06f;
    board.Tick(0.06f);
  }
  board.RecordLayout();
  board.TriggerRestore();
  board.SetScroll({0.15f, 0.15f});
  board.DrawBlocksBatched();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("board.lua", data, size);
  {
    FuzzWell board;
    board.Load(path, -1.0f);
    board.Load(path, 0.1f);
    Play(board);
    const std::string saved = fuzz::ScratchPath("saved.lua");
    if (board.Save(saved)) {
      FuzzWell again;
      again.Load(saved, -1.0f);
      Play(again);
    }
    board.ClearWell();
    Play(board);
  }
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("tests/well/data/saved_board.lua");
  seeds.AddSourceFile("tests/well/data/board_cases.lua");
}
