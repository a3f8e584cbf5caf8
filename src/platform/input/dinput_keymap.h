// The one table between SDL scancodes and DirectInput key codes. Both name
// physical key positions, so the table holds for every keyboard layout.
#pragma once
#include <SDL_scancode.h>
#include <cstdint>

namespace platform {
// 0 for a key the engine has no code for.
uint8_t DikFromScancode(SDL_Scancode scancode);
// SDL_SCANCODE_UNKNOWN for a code no key produces.
SDL_Scancode ScancodeFromDik(uint8_t dik);
}  // namespace platform
