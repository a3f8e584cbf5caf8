#include "swf/stage/drag.h"

#include <algorithm>

#include "swf/script/movie.h"
#include "swf/stream/point2.h"

namespace swf {

void apply_drag(movie* instance) {
  drag_state drag;
  instance->get_drag_state(&drag);
  if (drag.character != instance) return;
  int x = 0, y = 0, buttons = 0;
  instance->get_mouse_state(&x, &y, &buttons);
  point2 mouse{x * 20.0f, y * 20.0f};
  if (drag.bound) {
    // Scripts give the bounds in pixels.
    mouse.x = std::min(std::max(mouse.x, drag.bound_x0 * 20.0f), drag.bound_x1 * 20.0f);
    mouse.y = std::min(std::max(mouse.y, drag.bound_y0 * 20.0f), drag.bound_y1 * 20.0f);
  }
  if (!drag.lock_center) return;
  const point2 local =
      instance->parent ? instance->parent->get_world_matrix().transform_by_inverse(mouse) : mouse;
  instance->matrix.m02 = local.x;
  instance->matrix.m12 = local.y;
}

}  // namespace swf
