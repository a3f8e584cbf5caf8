// The game started in-process as the player's program starts it, from its
// data folder, on a hidden window: every engine service, the game's fonts,
// sprite sets, sounds, scripts and states are up. Only the splash pages are
// left out. The engine's services are process-wide, so one game serves
// every test of the program: it starts when a test first asks for it and
// shuts down after the last test.
#pragma once
#include <string>

#include "game/qor_app.h"
#include "temp_folder.h"

namespace game_test {

// Its log and configuration lie in a folder of its own.
class HeadlessGame : private OwnTempFolder, public QORApp {
 public:
  HeadlessGame();
  void ShowSplash() override {}
};

// Null, with a test failure, when the game did not start.
HeadlessGame* StartedGame();

// The console's history from the newest line that is the mark: the
// first command there beginning with the call, or empty when none does.
std::string ConsoleCallSince(const std::string& mark, const std::string& call);
inline bool ConsoleRanSince(const std::string& mark, const std::string& call) {
  return !ConsoleCallSince(mark, call).empty();
}

}  // namespace game_test
