// Every test program runs headless unless its caller chose otherwise: SDL
// gets an offscreen OpenGL display and a silent audio device.
#include <cstdlib>

namespace {
const bool kHeadless = [] {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();
}  // namespace
