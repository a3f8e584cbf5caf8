// Every test program runs headless unless its caller chose otherwise: SDL
// gets an offscreen OpenGL display and a silent audio device. Each program
// also gets a runtime folder of its own, so that test programs running side
// by side never find each other's windows through the single-instance lock.
#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string& RuntimeFolder() {
  static std::string folder;
  return folder;
}

int RemoveEntry(const char* path, const struct stat*, int, FTW*) { return std::remove(path); }

void RemoveRuntimeFolder() {
  if (!RuntimeFolder().empty()) nftw(RuntimeFolder().c_str(), RemoveEntry, 8, FTW_DEPTH | FTW_PHYS);
}

const bool kHeadless = [] {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  char pattern[] = "/tmp/vantor-test-XXXXXX";
  if (mkdtemp(pattern)) {
    RuntimeFolder() = pattern;
    setenv("XDG_RUNTIME_DIR", pattern, 1);
    setenv("XDG_DATA_HOME", pattern, 1);
    std::atexit(RemoveRuntimeFolder);
  }
  return true;
}();
}  // namespace
