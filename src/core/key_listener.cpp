#include "core/key_listener.h"

#include "core/input.h"
#include "core/keyboard.h"

namespace input {

KeyListener::KeyListener() : keyboard(GetInput().GetKeyboard()) {
  if (keyboard) keyboard->AddListener(this);
}

KeyListener::~KeyListener() {
  if (Keyboard* current = GetInput().GetKeyboard()) current->RemoveListener(this);
}

}  // namespace input
