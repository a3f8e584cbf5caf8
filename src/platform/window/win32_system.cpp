// Display modes, cursors, message boxes, errors, the per-user folder, sleeps.
#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/window/cursor_file.h"
#include "platform/window/sdl_events.h"
#include "platform/window/win32_internal.h"
#include "platform/window/win32_testing.h"

namespace {
thread_local DWORD g_lastError = 0;
thread_local std::string g_lastErrorText;

platform::testing::MessageBoxRecord g_lastMessageBox;

bool RealDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool ReadWholeFile(const char* path, std::vector<unsigned char>* bytes) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  unsigned char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
  std::fclose(f);
  return true;
}

HCURSOR g_currentCursor = nullptr;
}  // namespace

// A cursor loaded from a file. A display with no pointer (offscreen, dummy)
// cannot make an SDL cursor; the file still loads, as it would on a desktop,
// and there is simply nothing to show.
struct HCURSOR__ {
  SDL_Cursor* sdl;
};

namespace platform::detail {
void SetLastErrorText(DWORD code, const std::string& text) {
  g_lastError = code;
  g_lastErrorText = text;
}
}  // namespace platform::detail

BOOL EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, DEVMODEA* mode) {
  if (!mode || !platform::EnsureSdlVideo()) return FALSE;
  SDL_DisplayMode display{};
  int result = modeNumber == ENUM_CURRENT_SETTINGS ? SDL_GetDesktopDisplayMode(0, &display)
                                                   : SDL_GetDisplayMode(0, static_cast<int>(modeNumber), &display);
  if (result != 0) return FALSE;
  int bits = static_cast<int>(SDL_BITSPERPIXEL(display.format));
  mode->dmBitsPerPel = static_cast<DWORD>(bits >= 24 ? 32 : bits);
  mode->dmPelsWidth = static_cast<DWORD>(display.w);
  mode->dmPelsHeight = static_cast<DWORD>(display.h);
  mode->dmDisplayFrequency = static_cast<DWORD>(display.refresh_rate);
  mode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return TRUE;
}

// Full-screen windows take their mode from the renderer; here a change only
// succeeds when the display offers the mode asked for.
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD) {
  if (!mode) return DISP_CHANGE_SUCCESSFUL;
  if (!platform::EnsureSdlVideo()) return DISP_CHANGE_FAILED;
  for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
    SDL_DisplayMode display{};
    if (SDL_GetDisplayMode(0, i, &display) != 0) continue;
    if ((mode->dmFields & DM_PELSWIDTH) && static_cast<DWORD>(display.w) != mode->dmPelsWidth) continue;
    if ((mode->dmFields & DM_PELSHEIGHT) && static_cast<DWORD>(display.h) != mode->dmPelsHeight) continue;
    return DISP_CHANGE_SUCCESSFUL;
  }
  return DISP_CHANGE_BADMODE;
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT flags) {
  if (type != IMAGE_CURSOR || !(flags & LR_LOADFROMFILE) || !name || !platform::EnsureSdlVideo()) return nullptr;
  std::vector<unsigned char> file;
  if (!ReadWholeFile(name, &file)) {
    platform::detail::SetLastErrorText(ERROR_FILE_NOT_FOUND, std::strerror(errno));
    return nullptr;
  }
  int hotX = 0, hotY = 0;
  if (!platform::CheckCursorFile(file.data(), file.size(), &hotX, &hotY)) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  SDL_Surface* image = rw ? IMG_LoadCUR_RW(rw) : nullptr;
  if (rw) SDL_RWclose(rw);
  if (!image) return nullptr;
  SDL_Cursor* cursor = SDL_CreateColorCursor(image, hotX, hotY);
  SDL_FreeSurface(image);
  if (!cursor && RealDisplay()) return nullptr;
  return new HCURSOR__{cursor};
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = g_currentCursor;
  g_currentCursor = cursor;
  if (cursor && cursor->sdl && SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetCursor(cursor->sdl);
  return previous;
}

HCURSOR GetCursor() { return g_currentCursor; }

BOOL DestroyCursor(HCURSOR cursor) {
  if (!cursor) return FALSE;
  if (cursor == g_currentCursor) {
    g_currentCursor = nullptr;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetCursor(SDL_GetDefaultCursor());
  }
  if (cursor->sdl) SDL_FreeCursor(cursor->sdl);
  delete cursor;
  return TRUE;
}

int ShowCursor(BOOL show) {
  static int displayCount = 0;
  displayCount += show ? 1 : -1;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(displayCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return displayCount;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
  g_lastMessageBox.text = text ? text : "";
  g_lastMessageBox.caption = caption ? caption : "";
  ++g_lastMessageBox.count;
  std::fprintf(stderr, "%s: %s\n", g_lastMessageBox.caption.c_str(), g_lastMessageBox.text.c_str());
  if (SDL_WasInit(SDL_INIT_VIDEO) && RealDisplay())
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, g_lastMessageBox.caption.c_str(),
                             g_lastMessageBox.text.c_str(), platform::SdlWindowOf(owner));
  return 1;  // IDOK
}

DWORD GetLastError() { return g_lastError; }

void SetLastError(DWORD code) {
  g_lastError = code;
  g_lastErrorText.clear();
}

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, LPSTR buffer, DWORD size, void*) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || messageId == 0) return 0;
  std::string text = messageId == g_lastError && !g_lastErrorText.empty()
                         ? g_lastErrorText
                         : std::strerror(static_cast<int>(messageId));
  text += "\r\n";
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) return 0;
    std::memcpy(copy, text.c_str(), text.size() + 1);
    *reinterpret_cast<char**>(buffer) = copy;
  } else {
    if (!buffer || size == 0) return 0;
    std::snprintf(buffer, size, "%s", text.c_str());
  }
  return static_cast<DWORD>(text.size());
}

HLOCAL LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}

namespace {
bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}
}  // namespace

// The application-data folder is the XDG data folder; paths are at most
// MAX_PATH (260) bytes, as callers size their buffers so.
std::string GetTempPath() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = folder && *folder ? folder : P_tmpdir;
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

BOOL SHGetSpecialFolderPathA(HWND, LPSTR path, int folder, BOOL create) {
  if (folder != CSIDL_APPDATA || !path) return FALSE;
  std::string result;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    result = data;
  else if (const char* home = std::getenv("HOME"); home && *home)
    result = std::string(home) + "/.local/share";
  else
    return FALSE;
  if (result.size() >= 260) return FALSE;
  if (create && !MakeFolders(result)) return FALSE;
  std::memcpy(path, result.c_str(), result.size() + 1);
  return TRUE;
}

BOOL CreateDirectoryA(LPCSTR path, void*) {
  if (!path) return FALSE;
  if (mkdir(path, 0700) == 0) return TRUE;
  platform::detail::SetLastErrorText(errno == EEXIST ? ERROR_ALREADY_EXISTS : static_cast<DWORD>(errno),
                                     std::strerror(errno));
  return FALSE;
}

void Sleep(DWORD milliseconds) { SDL_Delay(milliseconds); }

namespace platform::testing {
const MessageBoxRecord& LastMessageBox() { return g_lastMessageBox; }
}  // namespace platform::testing
