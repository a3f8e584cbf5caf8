// The window-system calls the engine makes, on SDL2: windows and their
// message queue, display modes, cursors, message boxes, the per-user folder,
// errors, sleeps and what the system report tells of the machine. Only what
// the engine calls is declared.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

typedef int BOOL;
typedef uint32_t UINT;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef int32_t LONG;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Window handle: the layer's own window record around an SDL window.
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HMENU__;
typedef HMENU__* HMENU;
struct HCURSOR__;
typedef HCURSOR__* HCURSOR;
typedef HCURSOR HICON;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
typedef void* HANDLE;
typedef void* HLOCAL;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct WNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
};

struct DEVMODEA {
  WORD dmSize;
  DWORD dmFields;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFrequency;
};

struct CREATESTRUCTA {
  LPVOID lpCreateParams;
};

// Messages.
enum : UINT {
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_SETCURSOR = 0x0020,
  WM_NCMOUSEMOVE = 0x00A0,
  WM_MOUSEMOVE = 0x0200,
  WM_DROPFILES = 0x0233,
  WM_NCMOUSELEAVE = 0x02A2,
};
enum : WPARAM { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
enum : WPARAM { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };
enum : UINT { PM_NOREMOVE = 0, PM_REMOVE = 1 };

// Window styles.
enum : DWORD {
  WS_POPUP = 0x80000000u,
  WS_MINIMIZE = 0x20000000u,
  WS_VISIBLE = 0x10000000u,
  WS_CLIPCHILDREN = 0x02000000u,
  WS_CAPTION = 0x00C00000u,
  WS_SYSMENU = 0x00080000u,
  WS_MINIMIZEBOX = 0x00020000u,
  WS_EX_WINDOWEDGE = 0x00000100u,
  WS_EX_APPWINDOW = 0x00040000u,
};
enum : int { GWL_EXSTYLE = -20, GWL_STYLE = -16 };

// ShowWindow commands.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_MINIMIZE = 6, SW_SHOW = 5, SW_RESTORE = 9 };

// SetWindowPos.
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-2)))
enum : UINT {
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_FRAMECHANGED = 0x0020,
  SWP_NOCOPYBITS = 0x0100,
};

// System metrics: the frame of a captioned, fixed-size window.
enum : int {
  SM_CXSCREEN = 0,
  SM_CYSCREEN = 1,
  SM_CYCAPTION = 4,
  SM_CXBORDER = 5,
  SM_CYBORDER = 6,
  SM_CXDLGFRAME = 7,
  SM_CYDLGFRAME = 8,
};

// Display settings.
enum : DWORD { ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu };
enum : DWORD { DM_BITSPERPEL = 0x00040000u, DM_PELSWIDTH = 0x00080000u, DM_PELSHEIGHT = 0x00100000u };
enum : DWORD { CDS_FULLSCREEN = 0x00000004u };
enum : LONG { DISP_CHANGE_SUCCESSFUL = 0, DISP_CHANGE_FAILED = -1, DISP_CHANGE_BADMODE = -2 };

// Images and cursors.
enum : UINT { IMAGE_CURSOR = 2 };
enum : UINT { LR_LOADFROMFILE = 0x0010 };
#define IDI_APPLICATION (reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512)))
#define IDI_WINLOGO (reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32517)))
#define IDC_ARROW (reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512)))
enum : int { COLOR_WINDOW = 5 };

// Message boxes.
enum : UINT { MB_OK = 0x0, MB_ICONINFORMATION = 0x40 };

// Errors.
enum : DWORD {
  FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x0100,
  FORMAT_MESSAGE_IGNORE_INSERTS = 0x0200,
  FORMAT_MESSAGE_FROM_SYSTEM = 0x1000,
};
enum : DWORD { ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2, ERROR_ALREADY_EXISTS = 183, ERROR_INVALID_WINDOW_HANDLE = 1400, ERROR_CLASS_ALREADY_EXISTS = 1410, ERROR_CANNOT_FIND_WND_CLASS = 1407 };

// The per-user folder.
enum : int { CSIDL_APPDATA = 26 };

inline WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline int GET_X_LPARAM(LPARAM lp) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lp))); }
inline int GET_Y_LPARAM(LPARAM lp) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lp))); }
inline LPARAM MAKELPARAM(int low, int high) {
  return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(low))) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}

// Window classes and windows.
WORD RegisterClassExA(const WNDCLASSEXA* windowClass);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
BOOL SetForegroundWindow(HWND window);
BOOL IsIconic(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL GetWindowRect(HWND window, RECT* rect);
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
int GetSystemMetrics(int index);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// The message queue.
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Display modes.
BOOL EnumDisplaySettingsA(LPCSTR device, DWORD modeNumber, DEVMODEA* mode);
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);

// Cursors.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL DestroyCursor(HCURSOR cursor);
int ShowCursor(BOOL show);

// Message boxes, errors, the per-user folder, sleeping.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
DWORD GetLastError();
void SetLastError(DWORD code);
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, void* arguments);
HLOCAL LocalFree(HLOCAL memory);
BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create);
BOOL CreateDirectoryA(LPCSTR path, void* security);
// The system's folder for temporary files: $TMPDIR, else the C library's
// P_tmpdir; always ending in '/'.
std::string GetTempPath();
void Sleep(DWORD milliseconds);

// The performance counter: CLOCK_MONOTONIC in nanoseconds.
union LARGE_INTEGER {
  int64_t QuadPart;
};
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// File dialogs, shown by the desktop's file chooser (zenity) when the system
// has one; without it every dialog counts as cancelled. Both block until the
// user answers and give TRUE with the chosen path, FALSE on a cancel or when
// the path does not fit the buffer.
struct OPENFILENAMEA {
  DWORD lStructSize;  // sizeof(OPENFILENAMEA)
  HWND hwndOwner;
  // Pairs of zero-terminated texts (a name, then its patterns separated by
  // ';'), ended by an empty text; null offers every file.
  LPCSTR lpstrFilter;
  LPSTR lpstrFile;  // the chosen path, zero-terminated, in nMaxFile bytes
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;  // optional: the chosen name without its folder
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;  // optional
  LPCSTR lpstrTitle;
  DWORD Flags;
};
enum : DWORD {
  OFN_OVERWRITEPROMPT = 0x00000002,
  OFN_HIDEREADONLY = 0x00000004,
  OFN_NOCHANGEDIR = 0x00000008,
  OFN_PATHMUSTEXIST = 0x00000800,
  OFN_EXPLORER = 0x00080000,
};
BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);
// With OFN_OVERWRITEPROMPT the chooser asks before an existing file is named.
BOOL GetSaveFileNameA(OPENFILENAMEA* dialog);
// Why the last dialog answered FALSE: 0 when the user cancelled (or the path
// did not fit), CDERR_INITIALIZATION when no chooser could be started.
enum : DWORD { CDERR_INITIALIZATION = 0x0002 };
DWORD CommDlgExtendedError();

// Folder listing: the names of a folder that match a wildcard pattern ("*"
// any run, "?" one character, letters without regard to case, a trailing ".*"
// also matching names without a dot), with their attribute bits, in name order.
#define MAX_PATH 260
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

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

// Text entry: the keyboard layout (key code to character) and the text
// clipboard with its global memory blocks.
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
// The same array as it stood right after the buffered key event of that
// sequence number (DIDEVICEOBJECTDATA::dwSequence), so that a key read late
// is translated with the modifiers it was typed with. FALSE once the event
// is too old to be remembered.
BOOL GetKeyboardStateAtEvent(DWORD sequence, BYTE* keyState);
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

// Debugger output. Here it goes to standard error, unless a test has taken it.
void OutputDebugStringA(const char* text);

struct SDL_Window;
namespace platform {
// The SDL window behind a handle; null for a null or destroyed handle.
SDL_Window* SdlWindowOf(HWND window);
// The handle of an SDL window made by CreateWindowExA; null for any other.
HWND WindowOfSdl(SDL_Window* window);
}  // namespace platform

// What the system report tells of the machine, from uname, sysinfo and the
// network interfaces.
namespace platform {
struct MemoryStatus {
  uint64_t totalPhysical = 0;
  uint64_t availablePhysical = 0;
  uint64_t totalPageFile = 0;  // swap
  uint64_t availablePageFile = 0;
  uint64_t totalVirtual = 0;   // the process's address space
  uint64_t availableVirtual = 0;
};

bool GetMemoryStatus(MemoryStatus& status);
uint32_t ProcessorCount();
// The processor type numbers of the system report (586, 8664); 0 for others.
uint32_t ProcessorType();
// The kernel's name and release, as "Linux 6.1.0".
std::string OperatingSystemName();
// True when a network interface other than loopback is up.
bool NetworkPresent();
}  // namespace platform
