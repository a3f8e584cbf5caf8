// The engine's single log: lines with a level, a call-site prefix and a level
// tag, routed to the log file, a line hook (the console) and debugger output.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

enum LogLevel : uint32_t {
  MSG_FATAL = 0,
  MSG_ERROR = 1,
  MSG_WARNING = 2,
  MSG_INIT = 3,
  MSG_LOAD = 4,
  MSG_COMMENT = 5,
  MSG_SCRIPT = 6,
};

class Log {
 public:
  static constexpr uint32_t kLevelCount = 7;
  static constexpr uint32_t kNoLine = 8;
  static constexpr uint32_t kBufferSize = 4096;
  // Routing bits.
  static constexpr uint32_t kToFile = 2;
  static constexpr uint32_t kToHook = 4;
  static constexpr uint32_t kToDebugger = 8;

  using LineHook = void (*)(const char* text);

  Log();
  ~Log();
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;

  void Open(const char* path, bool append);
  void BeginLine(uint32_t level, const char* sourceFile, int sourceLine);
  void Write(const char* text);
  Log& WriteString(const std::string& text);
  Log& WriteInt(int value);
  void EndLine();
  void Flush();
  // Closes the file as the process-exit handler does; a later Open starts afresh.
  void Close();

  bool IsOpen() const { return file_ != nullptr; }
  void SetHook(LineHook hook) { hook_ = hook; }
  LineHook GetHook() const { return hook_; }

  // Public switches, as the engine sets them directly.
  bool prefix = true;
  bool flushEachLine = true;

 private:
  uint32_t RoutingOf(uint32_t level) const;
  void Emit(const char* text);

  FILE* file_ = nullptr;
  uint32_t routing_[kLevelCount];
  uint32_t currentLevel_ = kNoLine;
  char buffer_[kBufferSize] = {};  // always terminated
  uint32_t used_ = 0;
  LineHook hook_ = nullptr;
};

Log& GetLog();

// One whole log line at the call site: LOG_LINE(MSG_ERROR, "Unable to load " + name + "!").
#define LOG_LINE(level, text)                          \
  do {                                                 \
    Log& log_ = GetLog();                              \
    log_.BeginLine((level), __FILE__, __LINE__);       \
    log_.WriteString(text);                            \
    log_.EndLine();                                    \
  } while (0)
