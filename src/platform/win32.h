// The window-system calls the engine makes, on SDL2.
#pragma once
#include <cstdint>

// Debugger output. Here it goes to standard error, unless a test has taken it.
void OutputDebugStringA(const char* text);

// Window handle: the layer's own window record around an SDL window.
struct HWND__;
typedef HWND__* HWND;
struct SDL_Window;
namespace platform {
// The SDL window behind a handle; null for a null or destroyed handle.
SDL_Window* SdlWindowOf(HWND window);
}  // namespace platform
