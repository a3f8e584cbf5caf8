// Folder listing as the Win32 find-file calls give it: the names of a folder
// that match a wildcard pattern ("*" any run, "?" one character, letters
// without regard to case, a trailing ".*" also matching names without a dot),
// with their attribute bits. Matches come in name order.
#pragma once
#include <cstdint>

#include "platform/win32.h"

#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef INVALID_HANDLE_VALUE
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#endif

enum : DWORD {
  FILE_ATTRIBUTE_READONLY = 0x01,
  FILE_ATTRIBUTE_HIDDEN = 0x02,
  FILE_ATTRIBUTE_SYSTEM = 0x04,
  FILE_ATTRIBUTE_DIRECTORY = 0x10,
  FILE_ATTRIBUTE_ARCHIVE = 0x20,
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  char cFileName[MAX_PATH];
};

// The first match, or INVALID_HANDLE_VALUE when nothing matches.
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
// The next match; FALSE when there is none left.
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

namespace platform {
// The wildcard rule of FindFirstFileA for one name.
bool MatchesWildcard(const char* name, const char* pattern);
}  // namespace platform
