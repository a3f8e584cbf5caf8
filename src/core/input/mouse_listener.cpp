#include "core/input/mouse_listener.h"

#include "core/input/input.h"
#include "core/input/mouse.h"

namespace input {

MouseListener::MouseListener() : mouse(GetInput().GetMouse()) {
  if (mouse) mouse->AddListener(this);
}

MouseListener::~MouseListener() {
  if (Mouse* current = GetInput().GetMouse()) current->RemoveListener(this);
}

}  // namespace input
