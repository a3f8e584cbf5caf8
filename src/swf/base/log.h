// The player's log: one handler for the whole process, which the engine
// installs to write the player's messages into its own log.
#pragma once

namespace swf {

using log_handler = void (*)(bool error, const char* text);

// Installs the handler; null removes it.
void set_log_handler(log_handler handler);

// printf-style texts, cut to 499 bytes, passed to the handler (if any) with
// the error flag clear or set. The text is valid during the call only.
void log_message(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log_error(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The script's "trace" lines go to their own handler when one is installed
// (a tool that prints them alone), else into the log as messages.
using trace_handler = void (*)(const char* line);
void set_trace_handler(trace_handler handler);
// One line, without its newline; passed whole to a trace handler.
void log_trace(const char* line);

}  // namespace swf
