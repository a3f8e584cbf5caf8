#include "core/log.h"

#include <cstring>

#include "platform/window/win32.h"

namespace {
const char* const kTags[Log::kLevelCount] = {
    "  [MSG_FATAL]\n", "  [MSG_ERROR]\n",   "  [MSG_WARNING]\n", "  [MSG_INIT]\n",
    "  [MSG_LOAD]\n",  "  [MSG_COMMENT]\n", "  [MSG_SCRIPT]\n",
};
const char* const kUnknownTag = "  [MSG_UNKNOWN]\n";
const uint32_t kAllOutputs = Log::kToFile | Log::kToHook | Log::kToDebugger;
}  // namespace

Log::Log() {
  for (uint32_t& word : routing_) word = kAllOutputs;
}

Log::~Log() { Close(); }

void Log::Close() {
  if (!file_) return;
  Flush();
  std::fputs("--------------------------- SESSION OVER -------------------------", stdout);
  std::fflush(stdout);
  std::fclose(file_);
  file_ = nullptr;
}

void Log::Open(const char* path, bool append) {
  if (file_) {
    BeginLine(MSG_WARNING, __FILE__, __LINE__);
    Write("Log already open.. why are you trying to open again?");
    EndLine();
    return;
  }
  // A fresh log starts empty, but every line is appended at the file's end:
  // a second copy of the game that opens the same log (and is refused) then
  // cannot have its lines overwritten by the first copy's later ones.
  if (!append) {
    if (FILE* truncated = std::fopen(path, "w")) std::fclose(truncated);
  }
  file_ = std::fopen(path, "a");
  std::fputs("--------------------------- SESSION STARTING -------------------------\n", stdout);
  std::printf(" Date : %s, Time : %s\n", __DATE__, __TIME__);
  std::fflush(stdout);
}

void Log::BeginLine(uint32_t level, const char* sourceFile, int sourceLine) {
  currentLevel_ = level;
  if (prefix && level != MSG_SCRIPT) {
    char head[512];
    std::snprintf(head, sizeof head, "%s(%i)> ", sourceFile, sourceLine);
    Write(head);
  }
}

void Log::Write(const char* text) {
  size_t n = std::strlen(text) + 1;
  if (used_ + n > kBufferSize) Flush();
  if (n > kBufferSize) {
    // Too long for the buffer even when empty: it goes out whole, on its own.
    Emit(text);
    return;
  }
  if (used_ > 0) --used_;  // the new piece overwrites the previous terminator
  std::memcpy(buffer_ + used_, text, n);
  used_ += static_cast<uint32_t>(n);
}

Log& Log::WriteString(const std::string& text) {
  Write(text.c_str());
  return *this;
}

Log& Log::WriteInt(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%i", value);
  Write(digits);
  return *this;
}

void Log::EndLine() {
  if (prefix)
    Write(currentLevel_ < kLevelCount ? kTags[currentLevel_] : kUnknownTag);
  else
    Write(" \n");
  if (flushEachLine) Flush();
  currentLevel_ = kNoLine;
}

uint32_t Log::RoutingOf(uint32_t level) const {
  // Text flushed outside a line (or at an unknown level) goes everywhere.
  return level < kLevelCount ? routing_[level] : kAllOutputs;
}

void Log::Emit(const char* text) {
  uint32_t routing = RoutingOf(currentLevel_);
  if ((routing & kToFile) && file_) {
    std::fputs(text, file_);
    if (flushEachLine) std::fflush(file_);
  }
  if ((routing & kToHook) && hook_) hook_(text);
  if (routing & kToDebugger) OutputDebugStringA(text);
}

void Log::Flush() {
  if (used_ > 0) Emit(buffer_);
  std::memset(buffer_, 0, kBufferSize);
  used_ = 0;
}

Log& GetLog() {
  static Log log;
  return log;
}
