// Base of every object that wants keyboard events. It registers with the
// input system's keyboard when constructed (if that keyboard exists then)
// and leaves it when destroyed.
#pragma once
#include <cstdint>

namespace input {

class Keyboard;
struct KeyState;

class KeyListener {
 public:
  KeyListener();
  virtual ~KeyListener();
  KeyListener(const KeyListener&) = delete;
  KeyListener& operator=(const KeyListener&) = delete;

  virtual void OnKeyDown(const KeyState*) {}
  virtual void OnKeyUp(const KeyState*) {}
  virtual void OnKeyHeld(const KeyState*) {}
  virtual void OnKeyRepeat(const KeyState*) {}

  // The keyboard skips a listener while this is 0; it stays registered.
  uint8_t enabled = 1;
  // The keyboard it registered with at construction, or null.
  Keyboard* keyboard = nullptr;
};

}  // namespace input
