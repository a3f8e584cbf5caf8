#include "core/input/key_listener.h"

#include "core/input/input.h"
#include "core/input/keyboard.h"

namespace input {

KeyListener::KeyListener() : keyboard(GetInput().GetKeyboard()) {
  if (keyboard) keyboard->AddListener(this);
}

KeyListener::~KeyListener() {
  if (Keyboard* current = GetInput().GetKeyboard()) current->RemoveListener(this);
}

}  // namespace input
