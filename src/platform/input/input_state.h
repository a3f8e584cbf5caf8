// What the DirectInput layer has seen of the keyboard, whether or not a
// device is acquired. Read by the keyboard-layout calls.
#pragma once
#include <bitset>
#include <cstdint>

#include "platform/window/win32.h"

namespace platform {

// The keyboard at one moment: the keys down (by DirectInput code) and Caps Lock.
struct KeyboardMoment {
  std::bitset<256> keys;
  bool capsLock = false;
};

// As it stands now.
KeyboardMoment CurrentKeyboard();
// As it stood right after the buffered key event of that sequence number;
// false once the event is too old to be remembered.
bool KeyboardAtEvent(DWORD sequence, KeyboardMoment& moment);

}  // namespace platform
