// The window-system calls the engine makes, on SDL2.
#pragma once
#include <cstdint>

// Debugger output. Here it goes to standard error, unless a test has taken it.
void OutputDebugStringA(const char* text);
