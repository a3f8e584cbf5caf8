// The game, and the engine with none of the game in it, as processes against
// a bare SDL + OpenGL program that opens the same window and only clears and
// presents it: time from launch to the first presented frame, the length of a
// frame once idle, and the resident memory then. Each run starts this program again as a child, in turn the game and
// the bare loop, so both sides of each ratio come from one run on the same
// machine state. The children see their frames by taking SDL's swap call
// over. Headless unless SDL_VIDEODRIVER says otherwise.
//
//   bench_game_process [runs]
#include <SDL2/SDL.h>
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
#include "game/qor_app.h"
#include "ui/gameflow/game_flow_manager.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

constexpr int kReportFd = 3;      // where a child writes its figures
constexpr int kSettleFrames = 30;  // first frames that still load and compile
constexpr int kIdleFrames = 300;   // frames timed once idle

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

// The least a program on the same libraries does for a frame.
int RunBare() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!window || !SDL_GL_CreateContext(window)) return 1;
  SDL_GL_SetSwapInterval(0);
  probe.StartIdle();
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
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
    return RunBare();
  }

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char pattern[] = "/tmp/vantor_bench_XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string home = pattern;
  char path[4096] = {};
  if (readlink("/proc/self/exe", path, sizeof path - 1) <= 0) return 1;

  // One launch of each first, so that all find their files in the cache.
  const char* const kinds[] = {"game", "engine", "bare"};
  std::vector<Figures> figures[3];
  for (int run = -1; run < runs; ++run) {
    for (int kind = 0; kind < 3; ++kind) {
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
  std::printf("Against a bare SDL + OpenGL clear-and-swap loop, median of %d runs\n", runs);
  std::printf("%-38s %14s %16s %9s\n", "", "ours", "bare loop", "ratio");
  PrintRow("game: launch to first presented frame", "ms", 1e3, game, bare, &Figures::firstFrameSeconds);
  PrintRow("game: frame at idle (title screen)", "ms", 1e3, game, bare, &Figures::frameSeconds);
  PrintRow("game: resident memory at idle", "MB", 1, game, bare, &Figures::residentMegabytes);
  PrintRow("engine: empty frame", "ms", 1e3, engine, bare, &Figures::frameSeconds);
  PrintRow("engine: resident memory at idle", "MB", 1, engine, bare, &Figures::residentMegabytes);
  return 0;
}
