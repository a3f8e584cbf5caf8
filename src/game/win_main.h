// The program's entry point: builds the caption and the per-user file names,
// then drives the application from window creation to shut-down.
#pragma once
#include "platform/win32.h"

// 1 after a normal run, -1 when the window could not be made (or another copy runs).
int WinMain(HINSTANCE instance);
