// The engine's link to the movie player, one per process, owned by the UI
// manager: it installs the player's file opener, log and fscommand hooks and
// makes the render backend on the engine's device and the sound backend on
// the engine's sound library.
#pragma once
#include <memory>

namespace swf {
class file_object;
class movie_root;
class render_backend_d3d8;
class sound_backend;
}  // namespace swf

namespace flash {

class FlashDriver {
 public:
  FlashDriver();
  // Uninstalls and deletes the backend and empties the player's libraries;
  // the hooks stay installed.
  ~FlashDriver();
  FlashDriver(const FlashDriver&) = delete;
  FlashDriver& operator=(const FlashDriver&) = delete;

  // Installs the hooks, then the render backend on the graphics device (none,
  // with an error line, when the graphics have no device) and the sound
  // backend.
  void Init();

  // The player's hooks.
  static swf::file_object* OpenFile(const char* path);
  static void LogOutput(bool error, const char* text);
  static void OnFsCommand(swf::movie_root* movie, const char* command, const char* argument);

 private:
  std::unique_ptr<swf::render_backend_d3d8> renderBackend_;
  std::unique_ptr<swf::sound_backend> soundBackend_;
};

}  // namespace flash
