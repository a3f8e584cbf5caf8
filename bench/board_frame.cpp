// One frame of the game board on the headless device: a room of 60 x 40
// cells, every cell floored, one in five webbed, scrolled to its middle,
// ticked and drawn with its overlay. "frame_share" is the frame's time over
// 16.7 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "board/qor_well.h"
#include "core/files/resman.h"
#include "render/device/dx8_graphics.h"
#include "render/sprites/sprite_set.h"

namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kWidth = 60;
constexpr int kHeight = 40;

// A scratch folder as the current folder, holding the room and its level
// data, with the game's images and effects at hand.
class Room {
 public:
  Room() : previous_(std::filesystem::current_path()) {
    char pattern[] = "/tmp/vantor_board_frame_XXXXXX";
    folder_ = ::mkdtemp(pattern) ? pattern : "/tmp";
    std::filesystem::current_path(folder_);
    const std::filesystem::path data = std::filesystem::path(VANTOR_SOURCE_DIR) / "data";
    std::error_code ignored;
    std::filesystem::create_directory_symlink(data / "img", "img", ignored);
    std::filesystem::create_directory_symlink(data / "effects", "effects", ignored);
    std::filesystem::create_directory("level");
    std::ofstream("level/level_data.lua") << "bench_room = { blue = 1, red = 1, green = 1, Timer = 6 }\n";
    std::ofstream room("level/bench_room.lua");
    room << "QOR = { Width = " << kWidth << ", Height = " << kHeight << " }\nBackgroundTiles = {\n";
    for (int x = 0; x < kWidth; ++x) {
      for (int y = 0; y < kHeight; ++y) {
        room << "  { X = " << x << ", Y = " << y << ", Type = " << 1 + (x + y) % 4 << ", Index = " << 1 + x % 3
             << ", Webbed = " << ((x * 7 + y) % 5 == 0 ? 1 : 0) << " },\n";
      }
    }
    room << "}\n";
  }
  ~Room() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path previous_;
  std::string folder_;
};

void BM_BoardFrame(benchmark::State& state) {
  Room room;
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  if (!graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) {
    Graphics::SHUTDOWN();
    return state.SkipWithError("no headless device");
  }
  graphics->SetDefaultRenderStates();
  ui::GetSpriteSet()->Load("img/sprites.lua");
  {
    QORWell board(nullptr);
    board.LoadLevel("level/bench_room.lua");
    board.SetScroll(math::Vec2(1.0f, 1.0f));
    for (auto _ : state) {
      board.Tick(static_cast<float>(kFrameSeconds));
      graphics->BeginScene();
      graphics->Clear(0xFF000000u, 1.0f, 0, 1, 1, 0);
      board.Draw();
      board.DrawOverlay();
      graphics->EndScene();
      graphics->Present();
    }
  }
  state.counters["frame_share"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  ui::GetSpriteSet()->Clear();
  res::GetResMan().ClearResources();
  Graphics::SHUTDOWN();
}
BENCHMARK(BM_BoardFrame)->Unit(benchmark::kMillisecond);

}  // namespace
