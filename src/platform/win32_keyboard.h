// The window-system calls behind text entry: the keyboard layout (key code to
// character) and the text clipboard with its global memory blocks.
// Only what the engine calls is declared.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

typedef uint8_t BYTE;
struct HKL__;
typedef HKL__* HKL;
typedef void* HGLOBAL;

enum : UINT { MAPVK_VSC_TO_VK = 1 };

// The virtual keys the layout reads from a key-state array.
enum : UINT {
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_CAPITAL = 0x14,
};

// The current layout; every thread shares the one SDL key map.
HKL GetKeyboardLayout(DWORD threadId);
// Scan codes are DirectInput key codes; 0 when the key has no virtual key.
UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL layout);
// 256 bytes by virtual key: bit 7 while down, bit 0 while a lock is on.
BOOL GetKeyboardState(BYTE* keyState);
// Writes the key's character to *chars and answers 1, or answers 0 for a key
// that types nothing. Bit 15 of the scan code marks a release.
int ToAsciiEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WORD* chars, UINT flags,
              HKL layout);

enum : UINT { CF_TEXT = 1, CF_OEMTEXT = 7, CF_UNICODETEXT = 13 };
enum : UINT { GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040 };

// The clipboard holds text only. CF_TEXT and CF_OEMTEXT read it as UTF-8;
// CF_UNICODETEXT writes it as UTF-16.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
// The block stays the clipboard's; valid until the clipboard is closed.
HANDLE GetClipboardData(UINT format);
// On success the clipboard takes the block.
HANDLE SetClipboardData(UINT format, HANDLE block);

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);
