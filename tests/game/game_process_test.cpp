// Runs the game program itself, headless, as a player's shell would.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "game/win_main.h"
#include "platform/window/win32_testing.h"
#include "read_file.h"
#include "virtual_display.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
// The splash pages alone show for about 13 seconds before start-up goes on.
constexpr std::chrono::seconds kStartLimit(60);

class GameProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantor_game_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    home_ = pattern;
  }
  void TearDown() override {
    for (pid_t pid : running_) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    std::string command = "rm -rf '" + home_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }

  // The game on the given display: headless by default.
  pid_t Start(const std::vector<std::string>& display = {"SDL_VIDEODRIVER=offscreen"}) {
    std::vector<std::string> env = {"XDG_DATA_HOME=" + home_, "XDG_RUNTIME_DIR=" + home_,
                                    "SDL_AUDIODRIVER=dummy", "HOME=" + home_};
    env.insert(env.end(), display.begin(), display.end());
    // A sanitizer build's program takes the same run-time options as its tests.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = std::string(VANTOR_BINARY_DIR) + "/vantor";
    char* argv[] = {program.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // The game reads its content relative to its working folder.
    posix_spawn_file_actions_addchdir_np(&actions, VANTOR_SOURCE_DIR "/data");
    pid_t pid = -1;
    int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(result, 0);
    running_.push_back(pid);
    return pid;
  }

  // The exit status, or -1 when the program did not end in time; `meanwhile`
  // runs while waiting.
  int WaitExit(pid_t pid, std::chrono::seconds limit, const std::function<void()>& meanwhile = [] {}) {
    auto end = Clock::now() + limit;
    while (Clock::now() < end) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        running_.erase(std::find(running_.begin(), running_.end(), pid));
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
      }
      meanwhile();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

  bool WaitForWindow(std::chrono::seconds limit) {
    auto end = Clock::now() + limit;
    while (Clock::now() < end) {
      if (DIR* dir = opendir(home_.c_str())) {
        bool found = false;
        while (dirent* entry = readdir(dir)) {
          std::string name = entry->d_name;
          if (name.size() > 5 && name.compare(name.size() - 5, 5, ".sock") == 0) found = true;
        }
        closedir(dir);
        if (found) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  bool WaitForLogLine(const std::string& line, std::chrono::seconds limit) {
    return WaitForLogPiece("> " + line + "  [", limit);
  }
  bool WaitForLogPiece(const std::string& piece, std::chrono::seconds limit) {
    auto end = Clock::now() + limit;
    while (Clock::now() < end) {
      if (Log().find(piece) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  std::string Log() const {
    return ReadFile(home_ + "/Quorvel/vantor.log");
  }

  static void ExpectInOrder(const std::string& log, const std::vector<std::string>& lines) {
    size_t from = 0;
    for (const std::string& line : lines) {
      size_t at = log.find("> " + line + "  [MSG_", from);
      ASSERT_NE(at, std::string::npos) << line << " missing or out of order";
      from = at;
    }
  }

  std::string home_;
  std::vector<pid_t> running_;
};

TEST_F(GameProcessTest, LogsItsStartRunsUntilTerminatedAndRefusesASecondCopy) {
  pid_t first = Start();
  ASSERT_TRUE(WaitForWindow(std::chrono::seconds(20)));
  ASSERT_TRUE(WaitForLogLine("Audio manager Init", kStartLimit));
  EXPECT_EQ(Log().rfind("src/app/application.cpp(", 0), 0u);
  // The scripts chose the first screen; the main loop enters it.
  ASSERT_TRUE(WaitForLogLine("Entering game state title", kStartLimit));
  ExpectInOrder(Log(), {"Logfile created", "Input initializes", "Font manager initialized", "Console initialized",
                        "UI panel loading loaded from file ui/loading.ui", "Camera created", "Audio manager Init",
                        "Adding screen title from file ui/title.ui", "Adding screen options from file ui/options.ui",
                        "Loading units : 34, total units 50", "Entering game state title"});
  // Every function the engine runs at start-up is there in the game's scripts,
  // and all the content it names is there too.
  EXPECT_EQ(Log().find("attempt to call"), std::string::npos) << Log();
  EXPECT_EQ(Log().find("[MSG_WARNING]"), std::string::npos) << Log();
  // Each of the game's states is registered once.
  EXPECT_EQ(Log().find("Duplicating"), std::string::npos) << Log();

  pid_t second = Start();
  EXPECT_EQ(WaitExit(second, std::chrono::seconds(20)), 255);
  EXPECT_NE(Log().find("Already one instance of game running!  [MSG_FATAL]\n"), std::string::npos);
  // The title's two-second clip says in the log each time it starts again.
  EXPECT_TRUE(WaitForLogPiece("\nTitle clip looped  [MSG_SCRIPT]\n", std::chrono::seconds(5)));

  ASSERT_EQ(kill(first, SIGTERM), 0);
  EXPECT_EQ(WaitExit(first, std::chrono::seconds(20)), 0);
  // The refused copy started the log afresh; the first copy's shut-down follows its lines.
  ExpectInOrder(Log(), {"Already one instance of game running!", "Server connection shutdown",
                        "Exiting game state title", "Gameflow manager shutdown", "Font manager shutdown",
                        "Console shutdown", "Camera Destroyed", "UI shutdown", "Graphics shutdown",
                        "Audio manager shutdown",
                        "Resource manager shutdown"});
  // The record store was written at the first start and saved again at the end.
  EXPECT_EQ(ReadFile(home_ + "/Quorvel/vantor.rms").size(), 40780u);
}

// On a real (virtual) X display, a game window destroyed from outside closes
// the game as a close request would: settings saved, exit status 0.
TEST_F(GameProcessTest, AWindowDestroyedFromOutsideClosesTheGameInGoodOrder) {
  VirtualDisplay x(home_ + "/display");
  const std::string display = x.Name();
  ASSERT_FALSE(display.empty()) << "Xvfb (package xvfb) must be installed";
  pid_t game = Start({"SDL_VIDEODRIVER=x11", "DISPLAY=" + display});
  ASSERT_TRUE(WaitForLogLine("Entering game state title", kStartLimit)) << Log();
  // No window manager carries the first start's full screen out: the game says so and stays windowed.
  EXPECT_NE(Log().find("> **** Forcing windowed mode ****  [MSG_ERROR]"), std::string::npos);
  const std::string close = "DISPLAY=" + display + " xdotool search --name 'Vantor of Ostravine' windowclose";
  ASSERT_EQ(std::system(close.c_str()), 0) << "xdotool (package xdotool) must be installed";
  EXPECT_EQ(WaitExit(game, std::chrono::seconds(30)), 0);
  ExpectInOrder(Log(), {"The game window was destroyed from outside: closing", "Gameflow manager shutdown",
                        "Graphics shutdown", "Config file saved"});
  EXPECT_FALSE(ReadFile(home_ + "/Quorvel/vantor.lua").empty());
  EXPECT_EQ(ReadFile(home_ + "/Quorvel/vantor.rms").size(), 40780u);
}

// The display itself lost (its server killed): the game saves and exits
// with status 0 as on a close request.
TEST_F(GameProcessTest, ALostDisplayClosesTheGameInGoodOrder) {
  VirtualDisplay x(home_ + "/display");
  const std::string display = x.Name();
  ASSERT_FALSE(display.empty()) << "Xvfb (package xvfb) must be installed";
  pid_t game = Start({"SDL_VIDEODRIVER=x11", "DISPLAY=" + display});
  ASSERT_TRUE(WaitForLogLine("Entering game state title", kStartLimit)) << Log();
  x.Kill();
  EXPECT_EQ(WaitExit(game, std::chrono::seconds(30)), 0);
  ExpectInOrder(Log(), {"The game window was destroyed from outside: closing", "Gameflow manager shutdown",
                        "Graphics shutdown", "Config file saved"});
  EXPECT_FALSE(ReadFile(home_ + "/Quorvel/vantor.lua").empty());
  EXPECT_EQ(ReadFile(home_ + "/Quorvel/vantor.rms").size(), 40780u);
}

TEST_F(GameProcessTest, LoadsEveryEntryOfTheShippedSpriteSets) {
  pid_t game = Start();
  ASSERT_TRUE(WaitForLogPiece("> LUA Script ui_img/sprites.lua Loaded from", kStartLimit));
  ASSERT_EQ(kill(game, SIGTERM), 0);
  EXPECT_EQ(WaitExit(game, std::chrono::seconds(20)), 0);
  const std::string log = Log();
  EXPECT_NE(log.find("> LUA Script img/sprites.lua Loaded from"), std::string::npos);
  EXPECT_EQ(log.find("Unable to load Sprite set"), std::string::npos);
  EXPECT_EQ(log.find("Missing Sprite"), std::string::npos);
  EXPECT_EQ(log.find("Unable to load surface"), std::string::npos);
}

// A second copy finds the first by its window class, asks it to come to the
// front and, finding it minimised, to restore its window. Here the test is
// the first copy: it owns a window of the game's class and answers.
TEST_F(GameProcessTest, ASecondCopyRaisesAndRestoresTheFirstCopysWindow) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string previousRuntime = runtime ? runtime : "";
  setenv("XDG_RUNTIME_DIR", home_.c_str(), 1);
  const std::string caption = GameCaption();
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = caption.c_str();
  RegisterClassExA(&windowClass);
  HWND first = CreateWindowExA(0, caption.c_str(), "first", 0, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(first, nullptr);
  ShowWindow(first, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(first));
  platform::testing::TakeAnsweredInstanceRequests();

  pid_t second = Start();
  // The copy waits for each answer, which comes as the first pumps its messages.
  const int status = WaitExit(second, std::chrono::seconds(20), [] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  });
  EXPECT_EQ(status, 255);
  EXPECT_EQ(platform::testing::TakeAnsweredInstanceRequests(), "FIR");
  EXPECT_FALSE(IsIconic(first));
  EXPECT_NE(Log().find("Already one instance of game running!  [MSG_FATAL]\n"), std::string::npos);

  DestroyWindow(first);
  platform::testing::ClearMessageQueue();
  if (runtime) {
    setenv("XDG_RUNTIME_DIR", previousRuntime.c_str(), 1);
  } else {
    unsetenv("XDG_RUNTIME_DIR");
  }
}
}  // namespace
