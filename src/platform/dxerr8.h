// The symbolic name of a result code, for log messages.
#pragma once
#include "platform/d3d8.h"

// "Unknown" for a code the layer never returns.
const char* DXGetErrorString8(HRESULT result);
