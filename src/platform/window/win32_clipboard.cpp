#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/window/sdl_events.h"
#include "platform/window/win32.h"

namespace {
struct GlobalBlock {
  std::vector<uint8_t> bytes;
};

GlobalBlock* BlockOf(HGLOBAL handle) { return static_cast<GlobalBlock*>(handle); }

bool g_open = false;
// The block last handed out by GetClipboardData; the clipboard owns it.
HGLOBAL g_readBlock = nullptr;

void DropReadBlock() {
  GlobalFree(g_readBlock);
  g_readBlock = nullptr;
}

bool IsTextFormat(UINT format) {
  return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}
}  // namespace

BOOL OpenClipboard(HWND) {
  // SDL keeps the clipboard with its video subsystem.
  if (g_open || !platform::EnsureSdlVideo()) return FALSE;
  g_open = true;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!g_open) return FALSE;
  DropReadBlock();
  g_open = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!g_open) return FALSE;
  DropReadBlock();
  return SDL_SetClipboardText("") == 0 ? TRUE : FALSE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  return IsTextFormat(format) && SDL_WasInit(SDL_INIT_VIDEO) && SDL_HasClipboardText() ? TRUE
                                                                                        : FALSE;
}

HANDLE GetClipboardData(UINT format) {
  if (!g_open || (format != CF_TEXT && format != CF_OEMTEXT)) return nullptr;
  char* text = SDL_GetClipboardText();
  if (!text) return nullptr;
  size_t length = std::strlen(text);
  DropReadBlock();
  g_readBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);  // zeroed: terminated
  std::memcpy(GlobalLock(g_readBlock), text, length);
  GlobalUnlock(g_readBlock);
  SDL_free(text);
  return g_readBlock;
}

HANDLE SetClipboardData(UINT format, HANDLE block) {
  if (!g_open || format != CF_UNICODETEXT || !block) return nullptr;
  const std::vector<uint8_t>& bytes = BlockOf(block)->bytes;
  // The text ends at its terminator or, lacking one, at the end of the block.
  size_t units = 0;
  while (units * 2 + 1 < bytes.size() && (bytes[units * 2] | bytes[units * 2 + 1]) != 0) ++units;
  // Converted with its terminator, so the result is terminated too.
  std::vector<uint8_t> text(bytes.begin(), bytes.begin() + units * 2);
  text.resize(text.size() + 2, 0);
  char* utf8 = SDL_iconv_string("UTF-8", "UTF-16LE", reinterpret_cast<const char*>(text.data()),
                                text.size());
  if (!utf8) return nullptr;
  int result = SDL_SetClipboardText(utf8);
  SDL_free(utf8);
  if (result != 0) return nullptr;
  GlobalFree(block);
  return block;
}

HGLOBAL GlobalAlloc(UINT, size_t bytes) { return new GlobalBlock{std::vector<uint8_t>(bytes, 0)}; }

void* GlobalLock(HGLOBAL block) {
  if (!block || BlockOf(block)->bytes.empty()) return nullptr;
  return BlockOf(block)->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) { return block ? TRUE : FALSE; }

HGLOBAL GlobalFree(HGLOBAL block) {
  delete BlockOf(block);
  return nullptr;
}
