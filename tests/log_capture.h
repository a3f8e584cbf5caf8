// Collects every log line written while it lives, in place of the log's hook.
#pragma once
#include <string>
#include <vector>

#include "core/log.h"

class LogCapture {
 public:
  LogCapture() : previous_(GetLog().GetHook()) {
    Lines().clear();
    GetLog().SetHook(&Collect);
  }
  ~LogCapture() { GetLog().SetHook(previous_); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  static std::vector<std::string>& Lines() {
    static std::vector<std::string> lines;
    return lines;
  }
  // The whole text of the lines written so far.
  static std::string Text() {
    std::string all;
    for (const std::string& line : Lines()) all += line;
    return all;
  }
  // True when some line holds the piece.
  static bool Has(const std::string& piece) {
    for (const std::string& line : Lines())
      if (line.find(piece) != std::string::npos) return true;
    return false;
  }
  // The lines carrying the level's tag.
  static std::vector<std::string> At(LogLevel level) {
    static const char* const kTags[] = {"[MSG_FATAL]", "[MSG_ERROR]",   "[MSG_WARNING]", "[MSG_INIT]",
                                        "[MSG_LOAD]",  "[MSG_COMMENT]", "[MSG_SCRIPT]"};
    std::vector<std::string> lines;
    for (const std::string& line : Lines())
      if (line.find(kTags[level]) != std::string::npos) lines.push_back(line);
    return lines;
  }

 private:
  static void Collect(const char* text) { Lines().push_back(text); }
  Log::LineHook previous_;
};
