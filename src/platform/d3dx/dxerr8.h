// The symbolic name of a result code, for log lines.
#pragma once
#include "platform/d3dx/hresult.h"

// Never null: codes outside the table are named "Unknown".
const char* DXGetErrorString8A(HRESULT code);
#define DXGetErrorString8 DXGetErrorString8A
