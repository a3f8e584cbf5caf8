// The program's entry point: builds the caption and the per-user file names,
// then drives the application from window creation to shut-down.
#pragma once
#include <string>

#include "platform/window/win32.h"

// The window's caption: the title, the version and the build date. It is
// also the window class, by which a second copy finds the first.
std::string GameCaption();

// 1 after a normal run, -1 when the window could not be made (or another copy runs).
int WinMain(HINSTANCE instance);
