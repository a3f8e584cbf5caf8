#include "swf/stage/static_character.h"

#include "swf/movie/character_definition.h"
#include "swf/stream/point2.h"

namespace swf {

void static_character::display() {
  definition_->display(this);
  run_display_callback();
}

movie* static_character::find_mouse_target(float x, float y) {
  const point2 local = matrix.transform_by_inverse(point2{x, y});
  return definition_->hit_test_local(local.x, local.y) ? this : nullptr;
}

float static_character::get_height() { return definition_->local_height() * get_world_matrix().y_scale(); }

float static_character::get_width() { return definition_->local_width() * get_world_matrix().x_scale(); }

}  // namespace swf
