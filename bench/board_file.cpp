// Rooms as the game board meets them. "BM_LoadBlocks/N" loads a room whose
// Blocks table holds N entries (most of them on cells already taken): the
// time must grow with N, not with its square. "BM_FeedBottles" is the work a
// cleared token does for the bottles near the explorer, on the fall-back
// board of a file without a header and on a shipped room with a bottle: the
// fall-back board, which has none, must cost no more.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "board/qor_well.h"

namespace {

constexpr int kSide = 60;

// A scratch folder holding the rooms written here, removed afterwards.
class Scratch {
 public:
  Scratch() {
    char pattern[] = "/tmp/vantor_board_file_XXXXXX";
    folder_ = ::mkdtemp(pattern) ? pattern : "/tmp";
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

// The game's data folder as the current folder, for the level data and the
// shipped rooms.
class InData {
 public:
  InData() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(std::filesystem::path(VANTOR_SOURCE_DIR) / "data");
  }
  ~InData() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }

 private:
  std::filesystem::path previous_;
};

void BM_LoadBlocks(benchmark::State& state) {
  InData data;
  Scratch scratch;
  const std::string path = scratch.Path("blocks.lua");
  {
    std::ofstream room(path);
    room << "QOR = { Width = " << kSide << ", Height = " << kSide << " }\nBlocks = {\n";
    for (int64_t i = 0; i < state.range(0); ++i) {
      room << "  { Type = \"normal\", Color = \"red\", X = " << i % kSide << ", Y = " << i / kSide % kSide
           << ", Width = 1, Height = 1 },\n";
    }
    room << "}\n";
  }
  for (auto _ : state) {
    QORWell board(nullptr);
    benchmark::DoNotOptimize(board.LoadLevel(path));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadBlocks)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The feeding itself, reached from outside the board.
class FeedingWell : public QORWell {
 public:
  FeedingWell() : QORWell(nullptr) {}
  using QORWell::FeedBottlenecks;
  using QORWell::PlaceExplorer;
};

// Argument 0: a file without a header, played on the fall-back board;
// argument 1: a shipped room with a bottle.
void BM_FeedBottles(benchmark::State& state) {
  InData data;
  Scratch scratch;
  const std::string bare = scratch.Path("bare.lua");
  std::ofstream(bare) << "Blocks = {}\n";
  auto board = std::make_unique<FeedingWell>();
  board->LoadLevel(state.range(0) == 0 ? bare : "level/temple_2_level_3.lua");
  // Both boards feed from an explorer; the fall-back board has no entrance
  // to put one on.
  int32_t x = 0, y = 0;
  if (!board->GetExplorerCell(x, y)) board->PlaceExplorer(1, 1);
  std::unique_ptr<well::Block> token(board->CreateBlock("normal", "blue", -1, -1, 1, 1));
  if (!token || !board->GetExplorerCell(x, y)) return state.SkipWithError("no explorer or token");
  for (auto _ : state) board->FeedBottlenecks(token.get());
  state.SetLabel(state.range(0) == 0 ? "fall-back board" : "shipped room");
}
BENCHMARK(BM_FeedBottles)->Arg(0)->Arg(1);

}  // namespace
