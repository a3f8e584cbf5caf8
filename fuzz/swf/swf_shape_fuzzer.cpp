// libFuzzer target: a shape or morph tag body (the first byte picks the tag
// type) read, tessellated and drawn at three scales, hit tested, and the
// morph shown at two ratios.
#include <cstddef>
#include <cstdint>

#include "../../tests/swf/memory_file.h"
#include "swf/geometry/shape_loaders.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stream/bit_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const int kTagTypes[] = {2, 22, 32, 46};
  const int tag_type = kTagTypes[data[0] % 4];
  swf_test::MemoryFile file(data + 1, size - 1);
  swf::bit_stream in(file.file());
  swf::movie_def_impl movie(false, false);
  if (tag_type == 46) {
    swf::shape_morph_loader(in, tag_type, &movie);
  } else {
    swf::shape_loader(in, tag_type, &movie);
  }
  auto* shape = dynamic_cast<swf::shape_character*>(movie.find_character(size > 2 ? data[1] | data[2] << 8 : 0));
  if (!shape) return 0;
  for (float scale : {1.0f, 0.001f, 1000.0f}) {
    swf::display_state state;
    state.world_matrix.m00 = state.world_matrix.m11 = scale;
    state.ratio = scale > 1 ? 1.0f : 0.5f;
    shape->display_with(state);
  }
  shape->hit_test_local(0, 0);
  shape->hit_test_local(shape->bounds.x_max, (shape->bounds.y_min + shape->bounds.y_max) / 2);
  return 0;
}
