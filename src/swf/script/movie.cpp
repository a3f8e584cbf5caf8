#include "swf/script/movie.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"

namespace swf {
namespace {
// Deeper nesting than this is refused, so that a chain of instances cannot
// exhaust the stack.
constexpr int kMaxNesting = 256;
}  // namespace

const character_definition* movie::get_container_definition() { return get_definition(); }

bool movie::would_nest_endlessly(const character_definition* character) {
  int nesting = 0;
  for (movie* holder = this; holder; holder = holder->parent, ++nesting)
    if (holder->get_container_definition() == character || nesting >= kMaxNesting) return true;
  return false;
}

const char* movie::invoke_method(const char* name, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const char* result = invoke_method_va(name, format, args);
  va_end(args);
  return result;
}

int movie::add_interval_timer(Timer* timer) {
  (void)timer;
  log_message("FIXME: %s: unimplemented\n", "swf::movie::add_interval_timer");
  return -1;
}

void movie::clear_interval_timer(int number) {
  (void)number;
  log_message("FIXME: %s: unimplemented\n", "swf::movie::clear_interval_timer");
}

void movie::do_something(Timer* timer) {
  (void)timer;
  log_message("FIXME: %s: unimplemented\n", "swf::movie::do_something");
}

matrix2x3 movie::get_world_matrix() {
  if (!parent) return matrix;
  matrix2x3 world = parent->get_world_matrix();
  world.concatenate(matrix);
  return world;
}

color_xform movie::get_world_color_transform() {
  if (!parent) return cxform;
  color_xform world = parent->get_world_color_transform();
  world.concatenate(cxform);
  return world;
}

}  // namespace swf
