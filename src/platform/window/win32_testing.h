// Test seams for the window-system layer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/win32.h"

namespace platform::testing {
// Receives every OutputDebugStringA text instead of standard error; an empty
// function restores standard error.
void SetDebugOutputSink(std::function<void(const char*)> sink);

// The message queue.
void PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ClearMessageQueue();
size_t QueuedMessageCount();

// Message boxes are recorded here instead of shown; the last text and caption.
struct MessageBoxRecord {
  std::string text;
  std::string caption;
  int count = 0;
};
const MessageBoxRecord& LastMessageBox();

// The requests this copy has answered for another running copy of its
// window class, in order ('F' to the foreground, 'I' asked whether
// minimised, 'R' restore), emptied by the call.
std::string TakeAnsweredInstanceRequests();

// From now on QueryPerformanceCounter answers the given count until changed
// or released.
void SetPerformanceCounter(int64_t count);
// Back to the real counter.
void UseRealPerformanceCounter();
// File dialogs: while an answerer is set it answers every dialog in place of
// the desktop's chooser, true with a path for a choice, false for a cancel.
// An empty function restores the chooser.
struct FileDialogRequest {
  bool save = false;
  HWND owner = nullptr;
  std::string title;
  std::string initialFolder;
  std::vector<std::pair<std::string, std::string>> filters;  // (name, patterns)
  DWORD flags = 0;
};
void SetFileDialogAnswerer(std::function<bool(const FileDialogRequest& request, std::string& path)> answerer);
}  // namespace platform::testing
