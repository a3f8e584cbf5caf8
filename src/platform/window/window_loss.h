// A game window can be destroyed from outside while the game runs (a client
// kill, `xdotool windowclose`). The X server then refuses every request on
// it, and Xlib's default answer to such an error ends the process on the
// spot, settings unsaved. The layer keeps the process alive instead and
// tells the window's procedure that its window is gone (WM_DESTROY), as the
// desktop does, so the game closes in its own good order. A lost connection
// to the display (its server gone) loses every window the same way, instead
// of Xlib ending the process.
#pragma once

union SDL_Event;
struct SDL_Window;

namespace platform {

// Takes over X errors, the display's connection and window-system events
// for a window just made (idempotent; nothing to do on other video drivers).
void WatchForWindowLoss(SDL_Window* window);
// A window-system event: notes a destroyed window.
void NoteWindowSystemEvent(const SDL_Event& event);
// Tells the procedure of each window lost since the last call.
void AnnounceLostWindows();
// Nothing can be shown in a lost window any more.
bool IsWindowLost(SDL_Window* window);

}  // namespace platform
