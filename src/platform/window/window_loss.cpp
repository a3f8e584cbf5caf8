#include "platform/window/window_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/window/win32_internal.h"

namespace {

using XErrorHandlerFunction = int (*)(Display*, XErrorEvent*);
XErrorHandlerFunction g_previousHandler = nullptr;
bool g_watching = false;
Display* g_display = nullptr;

// The X window of a live window of ours, or 0.
::Window XWindowOf(HWND window) {
  if (!window->sdl) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window->sdl, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

// What MarkLost looks for, for the visitor below.
::Window g_destroyed = 0;

void MarkIfDestroyed(HWND window) {
  if (XWindowOf(window) == g_destroyed) window->lost = true;
}

// Marks the window of ours that the X window was, if any.
void MarkLost(::Window destroyed) {
  g_destroyed = destroyed;
  platform::detail::ForEachLiveWindow(&MarkIfDestroyed);
}

// Requests on a window that is gone fail, whether on the window itself or on
// one around it (a window manager's frame goes with it); the process goes on,
// and a window of ours is noted as lost. Every other error is the previous
// handler's.
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    MarkLost(error->resourceid);
    return 0;
  }
  return g_previousHandler ? g_previousHandler(display, error) : 0;
}

void MarkAlwaysLost(HWND window) { window->lost = true; }

// The connection to the display broke (its server went away): every window
// of ours went with it.
int OnXIOError(Display*) {
  platform::detail::ForEachLiveWindow(&MarkAlwaysLost);
  return 0;
}

// Xlib's own answer here would end the process on the spot. Returning keeps
// it going: the connection stays marked dead and later requests on it fail
// without waiting, so the game closes in good order.
void KeepRunningAfterIOError(Display*, void*) {}

void AnnounceIfLost(HWND window) {
  if (!window->lost || window->lossAnnounced) return;
  window->lossAnnounced = true;
  platform::detail::SendLater(window, WM_DESTROY, 0, 0);
}

}  // namespace

namespace platform {

void WatchForWindowLoss(SDL_Window* window) {
  if (!window || !SDL_WasInit(SDL_INIT_VIDEO)) return;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || SDL_strcmp(driver, "x11") != 0) return;
  if (!g_watching) {
    g_watching = true;
    g_previousHandler = XSetErrorHandler(&OnXError);
    XSetIOErrorHandler(&OnXIOError);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  if (info.info.x11.display == g_display) return;
  g_display = info.info.x11.display;
  XSetIOErrorExitHandler(g_display, &KeepRunningAfterIOError, nullptr);
}

void NoteWindowSystemEvent(const SDL_Event& event) {
  const SDL_SysWMmsg* message = event.syswm.msg;
  if (!message || message->subsystem != SDL_SYSWM_X11) return;
  const XEvent& x = message->msg.x11.event;
  if (x.type == DestroyNotify) MarkLost(x.xdestroywindow.window);
}

void AnnounceLostWindows() { detail::ForEachLiveWindow(&AnnounceIfLost); }

bool IsWindowLost(SDL_Window* window) {
  HWND owner = WindowOfSdl(window);
  return owner && owner->lost;
}

}  // namespace platform
