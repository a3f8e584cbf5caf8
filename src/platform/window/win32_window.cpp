#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/window/sdl_events.h"
#include "platform/window/win32_internal.h"
#include "platform/window/window_loss.h"

namespace {
struct WindowClass {
  std::string name;
  WNDPROC proc;
};

std::vector<WindowClass>& Classes() {
  static std::vector<WindowClass> classes;
  return classes;
}

// Records live until exit, so a stale handle is recognised instead of reused.
std::vector<std::unique_ptr<HWND__>>& Windows() {
  static std::vector<std::unique_ptr<HWND__>> windows;
  return windows;
}

const WindowClass* FindClass(const std::string& name) {
  for (const WindowClass& c : Classes())
    if (c.name == name) return &c;
  return nullptr;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

// Client size of an outer size under the given style.
void ClientSizeOf(DWORD style, int outerWidth, int outerHeight, int* width, int* height) {
  int frame = HasCaption(style) ? platform::detail::FrameWidth() : 0;
  int caption = HasCaption(style) ? platform::detail::CaptionHeight() : 0;
  *width = outerWidth - 2 * frame;
  *height = outerHeight - caption - 2 * frame;
  if (*width < 1) *width = 1;
  if (*height < 1) *height = 1;
}

void PlaceSdlWindow(HWND window) {
  int width = 0, height = 0;
  ClientSizeOf(window->style, window->rect.right - window->rect.left,
               window->rect.bottom - window->rect.top, &width, &height);
  int frame = HasCaption(window->style) ? platform::detail::FrameWidth() : 0;
  int caption = HasCaption(window->style) ? platform::detail::CaptionHeight() : 0;
  SDL_SetWindowSize(window->sdl, width, height);
  SDL_SetWindowPosition(window->sdl, window->rect.left + frame, window->rect.top + caption + frame);
}
}  // namespace

namespace platform {
SDL_Window* SdlWindowOf(HWND window) {
  return detail::IsLiveLocal(window) ? window->sdl : nullptr;
}

HWND WindowOfSdl(SDL_Window* sdl) {
  for (auto& w : Windows())
    if (w->alive && !w->remote && w->sdl == sdl) return w.get();
  return nullptr;
}
}  // namespace platform

namespace platform::detail {
int FrameWidth() { return GetSystemMetrics(SM_CXDLGFRAME) + GetSystemMetrics(SM_CXBORDER); }
int CaptionHeight() { return GetSystemMetrics(SM_CYCAPTION); }

HWND FindLocalWindow(const std::string& className) {
  for (auto& w : Windows())
    if (w->alive && !w->remote && w->className == className) return w.get();
  return nullptr;
}

void ForEachLiveWindow(void (*visit)(HWND)) {
  for (auto& w : Windows())
    if (w->alive && !w->remote) visit(w.get());
}

bool IsLiveLocal(HWND window) {
  if (!window) return false;
  for (auto& w : Windows())
    if (w.get() == window) return w->alive && !w->remote;
  return false;
}

HWND AddRemoteWindow(const std::string& className) {
  auto record = std::make_unique<HWND__>();
  record->className = className;
  record->remote = true;
  Windows().push_back(std::move(record));
  return Windows().back().get();
}
}  // namespace platform::detail

WORD RegisterClassExA(const WNDCLASSEXA* windowClass) {
  if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpszClassName ||
      !windowClass->lpfnWndProc) {
    platform::detail::SetLastErrorText(87, "The parameter is incorrect.");
    return 0;
  }
  if (FindClass(windowClass->lpszClassName)) {
    platform::detail::SetLastErrorText(ERROR_CLASS_ALREADY_EXISTS, "Class already exists.");
    return 0;
  }
  Classes().push_back({windowClass->lpszClassName, windowClass->lpfnWndProc});
  return static_cast<WORD>(Classes().size());
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID param) {
  const WindowClass* windowClass = className ? FindClass(className) : nullptr;
  if (!windowClass) {
    platform::detail::SetLastErrorText(ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.");
    return nullptr;
  }
  if (!platform::EnsureSdlVideo()) {
    platform::detail::SetLastErrorText(1, SDL_GetError());
    return nullptr;
  }
  auto record = std::make_unique<HWND__>();
  record->className = className;
  record->proc = windowClass->proc;
  record->style = style;
  record->exStyle = exStyle;
  record->rect = {x, y, x + width, y + height};

  int clientWidth = 0, clientHeight = 0;
  ClientSizeOf(style, width, height, &clientWidth, &clientHeight);
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL;
  platform::HoldGlDriver();
  platform::PrepareGlWindowAttributes();  // so that the device can draw straight into it
  record->sdl = SDL_CreateWindow(windowName ? windowName : "", SDL_WINDOWPOS_CENTERED,
                                 SDL_WINDOWPOS_CENTERED, clientWidth, clientHeight, flags);
  if (!record->sdl) {
    platform::detail::SetLastErrorText(1, SDL_GetError());
    return nullptr;
  }
  platform::WatchForWindowLoss(record->sdl);
  HWND window = record.get();
  Windows().push_back(std::move(record));
  PlaceSdlWindow(window);
  platform::detail::ClaimInstance(window, window->className);

  // Creation is announced straight to the window procedure, never queued.
  CREATESTRUCTA create{param};
  platform::detail::CallWindowProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
  return window;
}

BOOL DestroyWindow(HWND window) {
  if (!platform::detail::IsLiveLocal(window)) {
    platform::detail::SetLastErrorText(ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.");
    return FALSE;
  }
  platform::detail::CallWindowProcedure(window, WM_DESTROY, 0, 0);
  window->alive = false;
  platform::detail::DropMessagesFor(window);
  platform::detail::ReleaseInstance(window);
  SDL_DestroyWindow(window->sdl);
  window->sdl = nullptr;
  return TRUE;
}


BOOL UpdateWindow(HWND window) { return platform::detail::IsLiveLocal(window) ? TRUE : FALSE; }

BOOL GetWindowRect(HWND window, RECT* rect) {
  if (!platform::detail::IsLiveLocal(window) || !rect) return FALSE;
  *rect = window->rect;
  return TRUE;
}

LONG GetWindowLongA(HWND window, int index) {
  if (!platform::detail::IsLiveLocal(window)) return 0;
  if (index == GWL_STYLE) return static_cast<LONG>(window->style);
  if (index == GWL_EXSTYLE) return static_cast<LONG>(window->exStyle);
  return 0;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
  if (!platform::detail::IsLiveLocal(window)) {
    platform::detail::SetLastErrorText(ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.");
    return 0;
  }
  DWORD* field = index == GWL_STYLE ? &window->style : index == GWL_EXSTYLE ? &window->exStyle : nullptr;
  if (!field) return 0;
  LONG previous = static_cast<LONG>(*field);
  *field = static_cast<DWORD>(value);
  if (index == GWL_STYLE) SDL_SetWindowBordered(window->sdl, HasCaption(window->style) ? SDL_TRUE : SDL_FALSE);
  // A zero previous value reads as failure to callers; the call clears the
  // last error so they can tell the two apart.
  SetLastError(0);
  return previous;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags) {
  if (!platform::detail::IsLiveLocal(window)) {
    platform::detail::SetLastErrorText(ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.");
    return FALSE;
  }
  RECT& r = window->rect;
  int newWidth = (flags & SWP_NOSIZE) ? r.right - r.left : width;
  int newHeight = (flags & SWP_NOSIZE) ? r.bottom - r.top : height;
  if (!(flags & SWP_NOMOVE)) {
    r.left = x;
    r.top = y;
  }
  r.right = r.left + newWidth;
  r.bottom = r.top + newHeight;
  PlaceSdlWindow(window);
  return TRUE;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      DEVMODEA mode{};
      mode.dmSize = sizeof mode;
      EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
      return static_cast<int>(index == SM_CXSCREEN ? mode.dmPelsWidth : mode.dmPelsHeight);
    }
    case SM_CYCAPTION: return 22;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    default: return 0;
  }
}

// Icons and the stock arrow are the desktop's own; the layer hands out
// distinct non-null tokens for them.
HICON LoadIconA(HINSTANCE, LPCSTR name) { return reinterpret_cast<HICON>(const_cast<char*>(name)); }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return reinterpret_cast<HCURSOR>(const_cast<char*>(name)); }

BOOL ShowWindow(HWND window, int command) {
  if (window && window->remote) {
    if (command == SW_RESTORE) platform::detail::RemoteRequest(window, 'R');
    return TRUE;
  }
  if (!platform::detail::IsLiveLocal(window)) return FALSE;
  BOOL wasVisible = (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) ? TRUE : FALSE;
  // The layer keeps the minimised state itself: a display without a window
  // manager (offscreen, dummy) reports none.
  switch (command) {
    case SW_HIDE: SDL_HideWindow(window->sdl); break;
    case SW_MINIMIZE:
      SDL_MinimizeWindow(window->sdl);
      window->minimized = true;
      break;
    case SW_RESTORE:
      SDL_ShowWindow(window->sdl);
      SDL_RestoreWindow(window->sdl);
      window->minimized = false;
      break;
    default: SDL_ShowWindow(window->sdl); break;
  }
  return wasVisible;
}

BOOL SetForegroundWindow(HWND window) {
  if (window && window->remote) return platform::detail::RemoteRequest(window, 'F') ? TRUE : FALSE;
  if (!platform::detail::IsLiveLocal(window)) return FALSE;
  SDL_RaiseWindow(window->sdl);
  return TRUE;
}

BOOL IsIconic(HWND window) {
  if (window && window->remote) return platform::detail::RemoteRequest(window, 'I') == '1' ? TRUE : FALSE;
  if (!platform::detail::IsLiveLocal(window)) return FALSE;
  return window->minimized ? TRUE : FALSE;
}
