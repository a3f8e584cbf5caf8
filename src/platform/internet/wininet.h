// Internet session calls. The web client only opens a session under its
// agent name and closes it again: nothing is ever sent, so a session here is
// a handle that remembers its agent and nothing more.
#pragma once
#include "platform/window/win32.h"

typedef void* HINTERNET;

enum : DWORD { INTERNET_OPEN_TYPE_PRECONFIG = 0 };

// A new session handle; null for an empty or missing agent name.
HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags);
// FALSE for a handle that is not open.
BOOL InternetCloseHandle(HINTERNET handle);
