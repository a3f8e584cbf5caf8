// What the DirectInput layer has seen of the keyboard, whether or not a
// device is acquired. Read by the keyboard-layout calls.
#pragma once
#include <cstdint>

namespace platform {
bool IsKeyDown(uint8_t dik);
bool IsCapsLockOn();
}  // namespace platform
