// The two log lines of a failed DirectInput call: the result's name, then
// what could not be done. A macro, so the lines carry the caller's place.
#pragma once
#include "core/log.h"
#include "platform/d3dx/dxerr8.h"

#define LOG_INPUT_ERROR(result, message)                    \
  do {                                                      \
    LOG_LINE(MSG_ERROR, DXGetErrorString8(result));         \
    LOG_LINE(MSG_ERROR, message);                           \
  } while (0)
