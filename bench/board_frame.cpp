// The game board's frame in play on the headless device, for rooms of
// 20 x 12, 60 x 40, 120 x 80 and 256 x 256 cells: the picture of
// ../shared/bench/love_board. Floor type 1 + (x + y) mod 4 (variant
// 1 + x mod 3), a web where (7 x + y) mod 5 = 0, a token of blue, red or
// green by (13 x + 7 y) mod 3 on every cell (no line of three anywhere, so
// the board stays settled), and one row of gold through the middle along
// which the explorer walks from the middle column towards the right edge; the
// view follows him. The room is ticked past its start flash before the 600
// timed frames, each a tick of 1/60 s, the board's drawing and its overlay.
// Time is wall time per frame, CPU the main thread's; "frame_share" is the
// mean frame over 16.7 ms, and "worst_over_median" the dearest timed frame
// over their median in the main thread's CPU time, which a machine shared
// with others does not stretch.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/effects/qor_start_flash.h"
#include "board/explorer/qor_explorer.h"
#include "board/qor_well.h"
#include "core/files/resman.h"
#include "render/dx8/dx8_graphics.h"
#include "render/sprites/sprite_set.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kTimedFrames = 600;
constexpr int kMaxWarmUpFrames = 60 * 120;
constexpr const char* kTokenColours[] = {"blue", "red", "green"};

// A scratch folder as the current folder, holding the room and its level
// data, with the game's images, effects, sounds and pointer at hand.
class Room {
 public:
  Room(int width, int height) : previous_(std::filesystem::current_path()) {
    char pattern[] = "/tmp/vantor_board_frame_XXXXXX";
    folder_ = ::mkdtemp(pattern) ? pattern : "/tmp";
    std::filesystem::current_path(folder_);
    const std::filesystem::path data = std::filesystem::path(VANTOR_SOURCE_DIR) / "data";
    std::error_code ignored;
    for (const char* folder : {"img", "effects", "ui_img", "particles", "sounds"})
      std::filesystem::create_directory_symlink(data / folder, folder, ignored);
    std::filesystem::create_symlink(data / "Cursor.png", "Cursor.png", ignored);
    std::filesystem::create_directory("level");
    std::ofstream("level/level_data.lua") << "bench_room = { blue = 1, red = 1, green = 1, Timer = 6 }\n";
    std::ofstream room("level/bench_room.lua");
    room << "QOR = { Width = " << width << ", Height = " << height << " }\nBlocks = {\n";
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        room << "  { Type = \"qor_block\", Color = \"" << kTokenColours[(x * 13 + y * 7) % 3] << "\", X = " << x
             << ", Y = " << y << ", Width = 1, Height = 1 },\n";
      }
    }
    room << "}\nBackgroundTiles = {\n";
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        const bool walk = y == WalkRow(height);
        room << "  { X = " << x << ", Y = " << y << ", Type = " << (walk ? 4 : 1 + (x + y) % 4)
             << ", Index = " << 1 + x % 3 << ", Webbed = " << (!walk && (x * 7 + y) % 5 == 0 ? 1 : 0) << " },\n";
      }
    }
    room << "}\n";
  }
  ~Room() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  static int WalkRow(int height) { return height / 2; }

 private:
  std::filesystem::path previous_;
  std::string folder_;
};

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Frame(QORWell& board, Graphics& graphics) {
  board.Tick(kFrameSeconds);
  graphics.BeginScene();
  graphics.Clear(0xFF000000u, 1.0f, 0, 1, 1, 0);
  board.Draw();
  board.DrawOverlay();
  graphics.EndScene();
  graphics.Present();
}

void BM_BoardFrame(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  Room room(width, height);
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  if (!graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) {
    Graphics::SHUTDOWN();
    return state.SkipWithError("no headless device");
  }
  graphics->SetDefaultRenderStates();
  ui::GetSpriteSet()->Load("img/sprites.lua");
  std::vector<double> seconds;
  seconds.reserve(kTimedFrames);
  {
    QORWell board(nullptr);
    board.LoadLevel("level/bench_room.lua");
    // The flash's wave only ticks: nothing of it is drawn any more.
    for (int frame = 0; board.GetStartFlash() && frame < kMaxWarmUpFrames; ++frame) board.Tick(kFrameSeconds);
    QORExplorer* explorer = board.GetExplorer();
    const int row = Room::WalkRow(height);
    explorer->PlaceAt(std::max(1, width / 2 - 5), row);
    explorer->SetGoal(width - 2, row);
    // The goal marker's burst and the first steps settle.
    for (int frame = 0; frame < 30; ++frame) Frame(board, *graphics);
    for (auto _ : state) {
      const double start = ThreadSeconds();
      Frame(board, *graphics);
      seconds.push_back(ThreadSeconds() - start);
    }
  }
  state.counters["frame_share"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  if (!seconds.empty()) {
    std::vector<double> sorted = seconds;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double worst = *std::max_element(seconds.begin(), seconds.end());
    state.counters["worst_over_median"] = median > 0 ? worst / median : 0;
  }
  ui::GetSpriteSet()->Clear();
  res::GetResMan().ClearResources();
  Graphics::SHUTDOWN();
}
BENCHMARK(BM_BoardFrame)
    ->Args({20, 12})
    ->Args({60, 40})
    ->Args({120, 80})
    ->Args({256, 256})
    ->Iterations(kTimedFrames)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
