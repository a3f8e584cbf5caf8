#include "swf/base/log.h"

#include <cstdarg>
#include <cstdio>

namespace swf {
namespace {
log_handler g_handler = nullptr;
trace_handler g_trace_handler = nullptr;
char g_buffer[500];

void pass_on(bool error, const char* format, va_list arguments) {
  if (!g_handler) return;
  std::vsnprintf(g_buffer, sizeof g_buffer, format, arguments);
  g_handler(error, g_buffer);
}
}  // namespace

void set_log_handler(log_handler handler) { g_handler = handler; }

void set_trace_handler(trace_handler handler) { g_trace_handler = handler; }

void log_trace(const char* line) {
  if (g_trace_handler) g_trace_handler(line);
  else log_message("%s\n", line);
}

void log_message(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  pass_on(false, format, arguments);
  va_end(arguments);
}

void log_error(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  pass_on(true, format, arguments);
  va_end(arguments);
}

}  // namespace swf
