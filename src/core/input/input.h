// The input system: the DirectInput interface with the system's mouse and
// keyboard, created once at start-up and kept to process exit.
#pragma once
#include <memory>

#include "platform/window/win32.h"

class IDirectInput8;

namespace input {

class Keyboard;
class Mouse;

class Input {
 public:
  Input();
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  // Creates DirectInput, then the mouse (absolute) and the keyboard for the
  // window. False only when DirectInput itself could not be created; a
  // device that failed is logged by itself and its updates do nothing.
  bool Init(HWND window);

  Mouse* GetMouse() const { return mouse_.get(); }
  Keyboard* GetKeyboard() const { return keyboard_.get(); }

 private:
  IDirectInput8* directInput_ = nullptr;
  std::unique_ptr<Mouse> mouse_;
  std::unique_ptr<Keyboard> keyboard_;
};

// The process-wide input system; empty until Init.
Input& GetInput();

}  // namespace input
