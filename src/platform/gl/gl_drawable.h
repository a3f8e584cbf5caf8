// The size of the drawable the current OpenGL context draws into, as the
// window system has it. SDL reports the size it last asked for, which can
// differ: a display without a window manager (or one that refuses) never
// resizes a window switched to full screen, and an offscreen surface keeps
// the size it was made with.
#pragma once

struct SDL_Window;

namespace platform {

// The current context must belong to `window`; without a window-system
// answer, SDL's own figure for the window.
void CurrentDrawableSize(SDL_Window* window, int* width, int* height);

}  // namespace platform
