#include "platform/window/sdl_events.h"

#include <SDL.h>

#include "platform/gl/presentation.h"
#include "platform/window/window_loss.h"
#include "platform/window/win32_internal.h"

namespace {
platform::InputEventSink g_inputSink = nullptr;

HWND WindowOfEvent(Uint32 windowId) {
  SDL_Window* sdl = SDL_GetWindowFromID(windowId);
  return sdl ? platform::WindowOfSdl(sdl) : nullptr;
}

void SendClose(HWND window) { platform::detail::SendLater(window, WM_CLOSE, 0, 0); }

// Window events become the messages the desktop would send the window.
void RouteWindowEvent(const SDL_WindowEvent& event) {
  HWND window = WindowOfEvent(event.windowID);
  if (!window) return;
  using platform::detail::SendLater;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: SendClose(window); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
      // Activation of a minimised window carries the minimised state in the high word.
      WPARAM state = WA_ACTIVE | (window->minimized ? (WPARAM{1} << 16) : 0);
      SendLater(window, WM_ACTIVATE, state, 0);
      break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST: SendLater(window, WM_ACTIVATE, WA_INACTIVE, 0); break;
    case SDL_WINDOWEVENT_MINIMIZED:
      window->minimized = true;
      SendLater(window, WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      window->minimized = false;
      SendLater(window, WM_SIZE, SIZE_MAXIMIZED, 0);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      window->minimized = false;
      SendLater(window, WM_SIZE, SIZE_RESTORED, 0);
      break;
    default: break;
  }
}

void Route(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // also what SIGINT and SIGTERM turn into
      platform::detail::ForEachLiveWindow(SendClose);
      break;
    case SDL_WINDOWEVENT: RouteWindowEvent(event.window); break;
    case SDL_SYSWMEVENT: platform::NoteWindowSystemEvent(event); break;
    case SDL_MOUSEMOTION:
      if (HWND window = WindowOfEvent(event.motion.windowID)) {
        // The window's client area is the picture, wherever the device shows it.
        int x = event.motion.x, y = event.motion.y;
        platform::MapToBackBuffer(window->sdl, x, y);
        platform::detail::PostMouseMove(window, x, y);
      }
      if (g_inputSink) g_inputSink(event);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      if (g_inputSink) g_inputSink(event);
      break;
    default: break;
  }
}
}  // namespace

namespace platform {

bool EnsureSdlVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  // The game window takes no dropped files.
  SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
  SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);
  return true;
}

void HoldGlDriver() {
  static bool held = false;
  if (!held && SDL_WasInit(SDL_INIT_VIDEO)) held = SDL_GL_LoadLibrary(nullptr) == 0;
}

void PumpEvents() {
  detail::ServiceInstanceRequests();
  if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Route(event);
  AnnounceLostWindows();
}

void SetInputEventSink(InputEventSink sink) { g_inputSink = sink; }

}  // namespace platform
