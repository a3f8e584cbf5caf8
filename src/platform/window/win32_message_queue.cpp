#include <SDL.h>

#include <deque>

#include "platform/window/sdl_events.h"
#include "platform/window/win32_internal.h"
#include "platform/window/win32_testing.h"

namespace {
struct Queues {
  std::deque<MSG> posted;
  std::deque<MSG> sent;
  bool quitPosted = false;
  int quitCode = 0;
};

Queues& Q() {
  static Queues queues;
  return queues;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = SDL_GetTicks();
  return msg;
}

void DeliverSentMessages() {
  while (!Q().sent.empty()) {
    MSG msg = Q().sent.front();
    Q().sent.pop_front();
    platform::detail::CallWindowProcedure(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
}
}  // namespace

namespace platform::detail {
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Q().posted.push_back(MakeMessage(window, message, wParam, lParam));
}

// Like the desktop, a window holds at most one pending mouse move: a newer
// position replaces the queued one instead of costing another loop step.
void PostMouseMove(HWND window, int x, int y) {
  for (MSG& msg : Q().posted) {
    if (msg.hwnd == window && msg.message == WM_MOUSEMOVE) {
      msg.lParam = MAKELPARAM(x, y);
      return;
    }
  }
  PostToQueue(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void SendLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Q().sent.push_back(MakeMessage(window, message, wParam, lParam));
}

LRESULT CallWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsLiveLocal(window) || !window->proc) return 0;
  return window->proc(window, message, wParam, lParam);
}

void DropMessagesFor(HWND window) {
  auto drop = [window](std::deque<MSG>& queue) {
    for (auto it = queue.begin(); it != queue.end();)
      it = it->hwnd == window ? queue.erase(it) : it + 1;
  };
  drop(Q().posted);
  drop(Q().sent);
}
}  // namespace platform::detail

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
  platform::PumpEvents();
  DeliverSentMessages();
  if (!Q().posted.empty()) {
    *msg = Q().posted.front();
    if (removeFlags & PM_REMOVE) Q().posted.pop_front();
    return TRUE;
  }
  // The quit message comes once the queue holds nothing else.
  if (Q().quitPosted) {
    *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(Q().quitCode), 0);
    if (removeFlags & PM_REMOVE) Q().quitPosted = false;
    return TRUE;
  }
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;
  return platform::detail::CallWindowProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

void PostQuitMessage(int exitCode) {
  Q().quitPosted = true;
  Q().quitCode = exitCode;
}

namespace platform::testing {
void PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  detail::PostToQueue(window, message, wParam, lParam);
}
LRESULT SendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return detail::CallWindowProcedure(window, message, wParam, lParam);
}
void ClearMessageQueue() {
  Q().posted.clear();
  Q().sent.clear();
  Q().quitPosted = false;
}
size_t QueuedMessageCount() { return Q().posted.size() + (Q().quitPosted ? 1 : 0); }
}  // namespace platform::testing
