// The game, and the engine with none of the game in it, as processes against
// a bare SDL + OpenGL program that opens the same window and only clears and
// presents it: time from launch to the first presented frame, the length of a
// frame once idle, and the resident memory then. The engine's frame is timed
// also with 1,000 sprites in it, against the bare program drawing the same
// sprites. Each run starts this program again as a child of each kind in
// turn, so both sides of each ratio come from one run on the same machine
// state. The children see their frames by taking SDL's swap call over.
// Headless unless SDL_VIDEODRIVER says otherwise.
//
//   bench_game_process [runs]
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_application.h"
#include "app/game_rms.h"
#include "app/win32_application.h"
#include "core/script/console.h"
#include "game/qor_app.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "sprite_scene.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/gameflow/game_state.h"
#include "ui/gameflow/plain_frame.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

constexpr int kReportFd = 3;      // where a child writes its figures
constexpr int kSettleFrames = 30;  // first frames that still load and compile
constexpr int kIdleFrames = 300;   // frames timed once idle
constexpr long kSceneSprites = 1000;
constexpr int kSceneTextures = bench::kMaxSpriteTextures;

struct Figures {
  double firstFrameSeconds = 0;  // from the parent's spawn to the child's first present
  double frameSeconds = 0;       // per frame, once idle
  double residentMegabytes = 0;  // at the end of the idle frames
};

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

// Counts presented frames, wherever they are presented, and reports to the
// parent once the idle frames are done; the child then ends without shutting
// anything down. Each frame is finished before the next begins, as a display
// that shows it needs: the offscreen driver's swap alone would leave the
// renderer's work queued.
class FrameProbe {
 public:
  void Presented() {
    glFinish();
    if (firstFrame_ == 0) firstFrame_ = Now();
    if (!idle_) return;
    if (++idleFrames_ == kSettleFrames) idleStart_ = Now();
    if (idleFrames_ < kSettleFrames + kIdleFrames) return;
    const double frameNs = static_cast<double>(Now() - idleStart_) / kIdleFrames;
    dprintf(kReportFd, "%lld %.0f %.1f\n", static_cast<long long>(firstFrame_), frameNs, ResidentMegabytes());
    _exit(0);
  }
  // From now on the program only runs its main loop.
  void StartIdle() { idle_ = true; }

 private:
  bool idle_ = false;
  int idleFrames_ = 0;
  int64_t firstFrame_ = 0, idleStart_ = 0;
};

FrameProbe probe;

// The engine with none of the game in it: no fonts of its own, splash pages,
// scripts or states; its frames are the console over a cleared screen.
class EmptyApp : public GameApp {
 public:
  EmptyApp(const std::string& folder)
      : GameApp(folder + "vantor.lua", nullptr, "bench", folder + "vantor.log") {}
  void InitFonts() override {}
  void ShowSplash() override {}
  void InitScripts() override {}
  void OnCreateStates() override { gameflow::GetGameFlowManager().SetApplication(this); }
  std::string GetRMSFileName() override { return "vantor.rms"; }
  void MountArchives() override {}
};

// The empty engine's frame with the sprite scene drawn under the console, as
// a state of a game draws.
class SpriteState : public gameflow::GameState {
 public:
  bool Render() override {
    Graphics& graphics = *GetGraphics();
    if (!gameflow::BeginPlainFrame(graphics)) return false;
    graphics.SetDefaultRenderStates();
    sprites_.Draw(frame_++);
    GetConsole()->Render();
    GetFontManager()->FlushText();
    return gameflow::EndPlainFrame(graphics);
  }

 private:
  bench::EngineSprites sprites_{kSceneSprites, kSceneTextures};
  long frame_ = 0;
};

class SpriteApp : public EmptyApp {
 public:
  using EmptyApp::EmptyApp;
  void OnCreateStates() override {
    EmptyApp::OnCreateStates();
    auto* state = new SpriteState;
    gameflow::GetGameFlowManager().AddTransitionState("sprites", state);
    gameflow::GetGameFlowManager().SetState(state);
  }
};

// Start-up as the entry point runs it, splash pages included, then the main
// loop. Windowed like the bare loop: a first start would take the whole
// screen, which draws through a buffer of another size.
int RunApp(GameApp* app) {
  {
    GameRMS settings(GetUserDataPath() + app->GetRMSFileName());
    settings.SetUseFullscreenEnabled(false);
  }
  SetApp(app);
  if (!app->InitWindow("bench", 800, 600) || !app->Init()) return 1;
  probe.StartIdle();
  while (app->Tick()) {
  }
  return 1;
}

int RunGame() {
  const std::string folder = GetUserDataPath();
  return RunApp(new QORApp(folder + "vantor.log", "bench", nullptr, folder + "vantor.lua"));
}

int RunEmptyEngine() { return RunApp(new EmptyApp(GetUserDataPath())); }

int RunSpriteEngine() { return RunApp(new SpriteApp(GetUserDataPath())); }

// The sprite scene as a program written by hand draws it, blended and alpha
// tested as the engine draws sprites: the quads of each texture gathered into
// one client array, drawn with one call.
class BareSprites {
 public:
  bool Load() {
    glViewport(0, 0, bench::kSceneWidth, bench::kSceneHeight);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, bench::kSceneWidth, bench::kSceneHeight, 0, -1, 1);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GEQUAL, 16 / 255.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    textures_.resize(kSceneTextures);
    quads_.resize(kSceneTextures);
    glGenTextures(kSceneTextures, textures_.data());
    for (int t = 0; t < kSceneTextures; ++t) {
      SDL_Surface* file = IMG_Load(bench::SpriteTextureFile(t).c_str());
      SDL_Surface* pixels = file ? SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_ABGR8888, 0) : nullptr;
      SDL_FreeSurface(file);
      if (!pixels) return false;
      glBindTexture(GL_TEXTURE_2D, textures_[t]);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      glPixelStorei(GL_UNPACK_ROW_LENGTH, pixels->pitch / 4);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pixels->w, pixels->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels->pixels);
      SDL_FreeSurface(pixels);
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return true;
  }

  void Draw(long frame) {
    for (std::vector<Vertex>& quads : quads_) quads.clear();
    for (long i = 0; i < kSceneSprites; ++i) {
      const bench::SpriteCorner corner = bench::SpriteCornerAt(i, frame);
      const float x0 = static_cast<float>(corner.x), y0 = static_cast<float>(corner.y);
      const float x1 = x0 + bench::kSpritePixels, y1 = y0 + bench::kSpritePixels;
      std::vector<Vertex>& quads = quads_[i % kSceneTextures];
      quads.insert(quads.end(),
                   {{x0, y0, 0, 0}, {x0, y1, 0, 1}, {x1, y1, 1, 1}, {x0, y0, 0, 0}, {x1, y1, 1, 1}, {x1, y0, 1, 0}});
    }
    for (int t = 0; t < kSceneTextures; ++t) {
      glBindTexture(GL_TEXTURE_2D, textures_[t]);
      glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &quads_[t][0].x);
      glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &quads_[t][0].u);
      glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads_[t].size()));
    }
  }

 private:
  struct Vertex {
    float x, y, u, v;
  };
  std::vector<GLuint> textures_;
  std::vector<std::vector<Vertex>> quads_;
};

// The least a program on the same libraries does for a frame, with or
// without the sprite scene.
int RunBare(bool drawSprites) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!window || !SDL_GL_CreateContext(window)) return 1;
  SDL_GL_SetSwapInterval(0);
  BareSprites sprites;
  if (drawSprites && !sprites.Load()) return 1;
  probe.StartIdle();
  for (long frame = 0;; ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (drawSprites) sprites.Draw(frame);
    SDL_GL_SwapWindow(window);
  }
}

}  // namespace

// Every swap of both kinds of child, the engine's included, comes here first.
extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Swap = void (*)(SDL_Window*);
  static const auto sdlSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  sdlSwap(window);
  probe.Presented();
}

namespace {
// Starts this program as a child of the given kind in the game's content
// folder and reads its figures; false when it reported nothing.
bool RunChild(const char* self, const char* kind, const std::string& home, Figures* figures) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;  // the child keeps only its copy on kReportFd
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, report[1], kReportFd);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, VANTOR_SOURCE_DIR "/data");
  std::vector<std::string> env = {"XDG_DATA_HOME=" + home, "XDG_RUNTIME_DIR=" + home, "HOME=" + home};
  for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER", "PATH", "LP_NUM_THREADS"}) {
    const char* value = std::getenv(name);
    if (value) env.push_back(std::string(name) + "=" + value);
  }
  if (!std::getenv("SDL_VIDEODRIVER")) env.push_back("SDL_VIDEODRIVER=offscreen");
  if (!std::getenv("SDL_AUDIODRIVER")) env.push_back("SDL_AUDIODRIVER=dummy");
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string program = self, mode = "--child", which = kind;
  char* argv[] = {program.data(), mode.data(), which.data(), nullptr};

  const int64_t start = Now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(report[1]);
  char line[128] = {};
  ssize_t got = spawned == 0 ? read(report[0], line, sizeof line - 1) : -1;
  close(report[0]);
  if (spawned == 0) waitpid(pid, nullptr, 0);
  long long firstFrame = 0;
  double frameNs = 0, megabytes = 0;
  if (got <= 0 || std::sscanf(line, "%lld %lf %lf", &firstFrame, &frameNs, &megabytes) != 3) return false;
  figures->firstFrameSeconds = static_cast<double>(firstFrame - start) / 1e9;
  figures->frameSeconds = frameNs / 1e9;
  figures->residentMegabytes = megabytes;
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintRow(const char* what, const char* unit, double scale, const std::vector<Figures>& ours,
              const std::vector<Figures>& bare, double Figures::*figure) {
  std::vector<double> a, b, ratios;
  for (size_t i = 0; i < ours.size(); ++i) {
    a.push_back(ours[i].*figure * scale);
    b.push_back(bare[i].*figure * scale);
    ratios.push_back(ours[i].*figure / bare[i].*figure);
  }
  std::printf("%-38s %10.2f %-3s %12.2f %-3s %8.2fx\n", what, Median(a), unit, Median(b), unit, Median(ratios));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
    if (std::strcmp(argv[2], "game") == 0) return RunGame();
    if (std::strcmp(argv[2], "engine") == 0) return RunEmptyEngine();
    if (std::strcmp(argv[2], "sprites") == 0) return RunSpriteEngine();
    return RunBare(std::strcmp(argv[2], "bare_sprites") == 0);
  }

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char pattern[] = "/tmp/vantor_bench_XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string home = pattern;
  char path[4096] = {};
  if (readlink("/proc/self/exe", path, sizeof path - 1) <= 0) return 1;

  // One launch of each first, so that all find their files in the cache.
  const char* const kinds[] = {"game", "engine", "bare", "sprites", "bare_sprites"};
  constexpr int kKinds = sizeof kinds / sizeof kinds[0];
  std::vector<Figures> figures[kKinds];
  for (int run = -1; run < runs; ++run) {
    for (int kind = 0; kind < kKinds; ++kind) {
      Figures one;
      if (!RunChild(path, kinds[kind], home, &one)) {
        std::fprintf(stderr, "the %s child reported nothing\n", kinds[kind]);
        return 1;
      }
      if (run >= 0) figures[kind].push_back(one);
    }
  }
  std::string cleanup = "rm -rf '" + home + "'";
  if (std::system(cleanup.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", home.c_str());

  const std::vector<Figures>& game = figures[0];
  const std::vector<Figures>& engine = figures[1];
  const std::vector<Figures>& bare = figures[2];
  const std::vector<Figures>& sprites = figures[3];
  const std::vector<Figures>& bareSprites = figures[4];
  std::printf("Against a bare SDL + OpenGL clear-and-swap loop (drawing the same sprites where ours does),\n"
              "median of %d runs\n", runs);
  std::printf("%-38s %14s %16s %9s\n", "", "ours", "bare loop", "ratio");
  PrintRow("game: launch to first presented frame", "ms", 1e3, game, bare, &Figures::firstFrameSeconds);
  PrintRow("game: frame at idle (title screen)", "ms", 1e3, game, bare, &Figures::frameSeconds);
  PrintRow("game: resident memory at idle", "MB", 1, game, bare, &Figures::residentMegabytes);
  PrintRow("engine: empty frame", "ms", 1e3, engine, bare, &Figures::frameSeconds);
  PrintRow("engine: 1,000 sprites", "ms", 1e3, sprites, bareSprites, &Figures::frameSeconds);
  PrintRow("engine: resident memory at idle", "MB", 1, engine, bare, &Figures::residentMegabytes);
  return 0;
}
