// Collects the player's log messages while it lives, in place of the
// installed handler.
#pragma once
#include <string>
#include <vector>

#include "swf/base/log.h"

struct PlayerLogLine {
  bool error;
  std::string text;
};

class PlayerLogCapture {
 public:
  PlayerLogCapture() {
    Lines().clear();
    swf::set_log_handler(&Collect);
  }
  ~PlayerLogCapture() { swf::set_log_handler(nullptr); }
  PlayerLogCapture(const PlayerLogCapture&) = delete;
  PlayerLogCapture& operator=(const PlayerLogCapture&) = delete;

  static std::vector<PlayerLogLine>& Lines() {
    static std::vector<PlayerLogLine> lines;
    return lines;
  }
  static int ErrorCount() {
    int count = 0;
    for (const PlayerLogLine& line : Lines()) count += line.error;
    return count;
  }
  // True when some line holds the piece.
  static bool Has(const std::string& piece) {
    for (const PlayerLogLine& line : Lines())
      if (line.text.find(piece) != std::string::npos) return true;
    return false;
  }
  static std::string Text() {
    std::string all;
    for (const PlayerLogLine& line : Lines()) all += (line.error ? "E: " : "M: ") + line.text;
    return all;
  }

 private:
  static void Collect(bool error, const char* text) { Lines().push_back({error, text}); }
};
