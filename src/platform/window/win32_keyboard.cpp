#include "platform/window/win32.h"

#include <SDL.h>

#include <cstring>

#include "platform/input/dinput_keymap.h"
#include "platform/input/input_state.h"

namespace {
enum : UINT { VK_NUMPAD0 = 0x60 };

// A key the layout types with, or a modifier it reads: its virtual key and
// the characters without and with Shift (0 for none). Letters and digits
// follow rules of their own below.
struct LayoutKey {
  SDL_Keycode key;
  UINT virtualKey;
  char plain;
  char shifted;
};

constexpr LayoutKey kLayoutKeys[] = {
    {SDLK_BACKSPACE, 0x08, 8, 8},
    {SDLK_TAB, 0x09, 9, 9},
    {SDLK_RETURN, 0x0D, 13, 13},
    {SDLK_KP_ENTER, 0x0D, 13, 13},
    {SDLK_ESCAPE, 0x1B, 27, 27},
    {SDLK_SPACE, 0x20, ' ', ' '},
    {SDLK_SEMICOLON, 0xBA, ';', ':'},
    {SDLK_EQUALS, 0xBB, '=', '+'},
    {SDLK_COMMA, 0xBC, ',', '<'},
    {SDLK_MINUS, 0xBD, '-', '_'},
    {SDLK_PERIOD, 0xBE, '.', '>'},
    {SDLK_SLASH, 0xBF, '/', '?'},
    {SDLK_BACKQUOTE, 0xC0, '`', '~'},
    {SDLK_LEFTBRACKET, 0xDB, '[', '{'},
    {SDLK_BACKSLASH, 0xDC, '\\', '|'},
    {SDLK_RIGHTBRACKET, 0xDD, ']', '}'},
    {SDLK_QUOTE, 0xDE, '\'', '"'},
    {SDLK_LESS, 0xE2, '<', '>'},
    {SDLK_KP_MULTIPLY, 0x6A, '*', '*'},
    {SDLK_KP_PLUS, 0x6B, '+', '+'},
    {SDLK_KP_MINUS, 0x6D, '-', '-'},
    {SDLK_KP_PERIOD, 0x6E, '.', '.'},
    {SDLK_KP_DIVIDE, 0x6F, '/', '/'},
    {SDLK_LSHIFT, VK_SHIFT, 0, 0},
    {SDLK_RSHIFT, VK_SHIFT, 0, 0},
    {SDLK_LCTRL, VK_CONTROL, 0, 0},
    {SDLK_RCTRL, VK_CONTROL, 0, 0},
    {SDLK_LALT, VK_MENU, 0, 0},
    {SDLK_RALT, VK_MENU, 0, 0},
    {SDLK_CAPSLOCK, VK_CAPITAL, 0, 0},
};
constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

// The virtual key of a DirectInput key code in SDL's current key map.
UINT VirtualKeyOf(uint8_t dik) {
  SDL_Scancode scancode = platform::ScancodeFromDik(dik);
  if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
  SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
  if (key >= 'a' && key <= 'z') return static_cast<UINT>(key - 'a' + 'A');
  if (key >= '0' && key <= '9') return static_cast<UINT>(key);
  for (int digit = 0; digit < 10; ++digit)
    if (key == kKeypadDigits[digit]) return VK_NUMPAD0 + digit;
  for (const LayoutKey& entry : kLayoutKeys)
    if (entry.key == key) return entry.virtualKey;
  return 0;
}

char CharacterOf(UINT virtualKey, bool shift, bool capsLock) {
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return static_cast<char>(shift != capsLock ? virtualKey : virtualKey - 'A' + 'a');
  if (virtualKey >= '0' && virtualKey <= '9')
    return shift ? kShiftedDigits[virtualKey - '0'] : static_cast<char>(virtualKey);
  if (virtualKey >= VK_NUMPAD0 && virtualKey < VK_NUMPAD0 + 10)
    return static_cast<char>('0' + (virtualKey - VK_NUMPAD0));
  for (const LayoutKey& entry : kLayoutKeys)
    if (entry.virtualKey == virtualKey) return shift ? entry.shifted : entry.plain;
  return 0;
}
}  // namespace

HKL GetKeyboardLayout(DWORD) {
  static char layout;
  return reinterpret_cast<HKL>(&layout);
}

UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL) {
  if (mapType != MAPVK_VSC_TO_VK || code > 0xFF) return 0;
  return VirtualKeyOf(static_cast<uint8_t>(code));
}

namespace {
BOOL FillKeyState(const platform::KeyboardMoment& moment, BYTE* keyState) {
  if (!keyState) return FALSE;
  std::memset(keyState, 0, 256);
  for (int dik = 0; dik < 256; ++dik) {
    if (!moment.keys[static_cast<size_t>(dik)]) continue;
    if (UINT virtualKey = VirtualKeyOf(static_cast<uint8_t>(dik))) keyState[virtualKey] |= 0x80;
  }
  if (moment.capsLock) keyState[VK_CAPITAL] |= 0x01;
  return TRUE;
}
}  // namespace

BOOL GetKeyboardState(BYTE* keyState) { return FillKeyState(platform::CurrentKeyboard(), keyState); }

BOOL GetKeyboardStateAtEvent(DWORD sequence, BYTE* keyState) {
  platform::KeyboardMoment moment;
  return platform::KeyboardAtEvent(sequence, moment) ? FillKeyState(moment, keyState) : FALSE;
}

int ToAsciiEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WORD* chars, UINT, HKL) {
  if (!keyState || !chars || virtualKey > 0xFF || (scanCode & 0x8000)) return 0;
  bool shift = keyState[VK_SHIFT] & 0x80;
  bool control = keyState[VK_CONTROL] & 0x80;
  bool alt = keyState[VK_MENU] & 0x80;
  bool capsLock = keyState[VK_CAPITAL] & 0x01;
  if (alt) return 0;
  if (control) {
    // Control with a letter types its control character; with anything else, nothing.
    if (virtualKey < 'A' || virtualKey > 'Z') return 0;
    *chars = static_cast<WORD>(virtualKey - 'A' + 1);
    return 1;
  }
  char character = CharacterOf(virtualKey, shift, capsLock);
  if (character == 0) return 0;
  *chars = static_cast<WORD>(static_cast<unsigned char>(character));
  return 1;
}
