// Shared state of the window-system layer's parts. Not for engine code.
#pragma once
#include <string>

#include "platform/window/win32.h"

struct SDL_Window;

struct HWND__ {
  SDL_Window* sdl = nullptr;
  WNDPROC proc = nullptr;
  std::string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // outer rectangle, screen coordinates
  bool alive = true;
  bool minimized = false;
  // A window of another running copy, found through its single-instance lock.
  bool remote = false;
  // Destroyed from outside: nothing more is shown in it (window_loss.h).
  bool lost = false;
  bool lossAnnounced = false;
};

namespace platform::detail {

// Window records.
HWND FindLocalWindow(const std::string& className);
void ForEachLiveWindow(void (*visit)(HWND));
bool IsLiveLocal(HWND window);

// The message queue: posted messages wait for PeekMessageA; sent messages go
// to the window procedure at the next PeekMessageA, before any posted one.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostMouseMove(HWND window, int x, int y);
void SendLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DropMessagesFor(HWND window);

// Single instance: the owner side.
bool ClaimInstance(HWND window, const std::string& className);
void ReleaseInstance(HWND window);
void ServiceInstanceRequests();

// The frame a captioned window has around its client area.
int FrameWidth();
int CaptionHeight();

void SetLastErrorText(DWORD code, const std::string& text);

}  // namespace platform::detail

namespace platform::detail {
HWND AddRemoteWindow(const std::string& className);
// Asks the running copy that owns a remote window to act; answers its reply
// character, or 0 when it did not answer.
char RemoteRequest(HWND window, char request);
}  // namespace platform::detail
