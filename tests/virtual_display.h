// A virtual X display for tests that need a real window system (windows that
// really resize, a window destroyed from outside): an Xvfb server of a
// desktop's size, without a window manager, ended with the object or
// killed sooner.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "read_file.h"

extern char** environ;

class VirtualDisplay {
 public:
  // `numberFile`: a scratch file the server writes its display number into.
  explicit VirtualDisplay(const std::string& numberFile) {
    std::vector<std::string> args = {"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, numberFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int result = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
      pid_ = -1;
      return;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
      const std::string number = ReadFile(numberFile);
      if (!number.empty() && number.back() == '\n') {
        name_ = ":" + number.substr(0, number.size() - 1);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::remove(numberFile.c_str());
  }
  ~VirtualDisplay() { Kill(); }
  // Ends the server at once, as a display lost from under its clients.
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // ":N", or empty when the server did not start (package xvfb).
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};
