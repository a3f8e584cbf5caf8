#include "core/client_mouse_position.h"

ClientMousePosition& GetClientMousePosition() {
  static ClientMousePosition position;
  return position;
}
