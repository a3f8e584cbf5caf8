// Frames of batched sprites through the engine's renderer, timed as a whole
// program so that another engine's program drawing the same scene can be
// timed alike. Its own main; see kUsage.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/files/resman.h"
#include "platform/window/win32.h"
#include "render/dx8/dx8_graphics.h"
#include "sprite_scene.h"

namespace {

constexpr int kWarmUpFrames = 10;

const char kUsage[] =
    "usage: sprite_frames N M T\n"
    "  Opens an 800 x 600 window and draws M frames (after 10 frames of warm-up). Each frame\n"
    "  clears to black, draws N sprites of 32 x 32 pixels through one sprite batch (flushed\n"
    "  sorted by texture whenever it holds 400, and at the end) and presents.\n"
    "  Sprite i in frame f shows texture i mod T (1 <= T <= 8, 32 x 32 PNG files) with its\n"
    "  top-left corner at pixel x = (37 i + 5 f) mod 768, y = (91 i + 3 f) mod 568.\n"
    "  Prints N, M, T and the mean milliseconds per timed frame.\n";

// A whole non-negative number, or -1.
long ParseCount(const char* text) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value >= 0 && value <= 10000000 ? value : -1;
}

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class Scene {
 public:
  Scene(long count, int textures) : sprites_(count, textures) {}
  bool Loaded() const { return sprites_.Loaded(); }

  void Draw(Graphics& graphics, long frame) {
    graphics.BeginScene();
    graphics.Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
    sprites_.Draw(frame);
    graphics.EndScene();
    graphics.Present();
  }

 private:
  bench::EngineSprites sprites_;
};

}  // namespace

int main(int argc, char** argv) {
  const long count = argc == 4 ? ParseCount(argv[1]) : -1;
  const long frames = argc == 4 ? ParseCount(argv[2]) : -1;
  const long textures = argc == 4 ? ParseCount(argv[3]) : -1;
  if (count < 0 || frames < 1 || textures < 1 || textures > bench::kMaxSpriteTextures) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.lpszClassName = "SpriteFrames";
  RegisterClassExA(&windowClass);
  HWND window = CreateWindowExA(0, "SpriteFrames", "sprite_frames", WS_POPUP | WS_CAPTION, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  graphics->SetWindow(window);
  if (!window || !graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) {
    std::fputs("sprite_frames: unable to open the window and renderer\n", stderr);
    return 1;
  }
  graphics->SetDefaultRenderStates();
  graphics->SetDefaultTextureStages();

  int status = 0;
  {
    Scene scene(count, static_cast<int>(textures));
    if (!scene.Loaded()) {
      std::fputs("sprite_frames: unable to load the sprite textures\n", stderr);
      status = 1;
    } else {
      for (long f = 0; f < kWarmUpFrames; ++f) {
        PumpMessages();
        scene.Draw(*graphics, f);
      }
      const auto start = std::chrono::steady_clock::now();
      for (long f = 0; f < frames; ++f) {
        PumpMessages();
        scene.Draw(*graphics, kWarmUpFrames + f);
      }
      const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
      std::printf("sprite_frames N=%ld M=%ld T=%ld mean_ms=%.4f\n", count, frames, textures,
                  elapsed.count() / static_cast<double>(frames));
    }
  }
  res::GetResMan().ClearResources();
  Graphics::SHUTDOWN();
  DestroyWindow(window);
  return status;
}
