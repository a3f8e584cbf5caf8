// libFuzzer target: a shape or morph tag body (the first byte picks the tag
// type) read, tessellated and drawn at three scales, hit tested, and the
// morph shown at two ratios. Seeds: the shape tags of the SWF test movies.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "../../tests/swf/memory_file.h"
#include "fuzz_target.h"
#include "swf/geometry/shape_character.h"
#include "swf/geometry/shape_loaders.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stream/bit_stream.h"
#include "swf_input.h"

namespace {
const int kTagTypes[] = {2, 22, 32, 46};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
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

void WriteSeeds(fuzz::Seeds& seeds) {
  int count = 0;
  for (const fuzz::SwfTag& tag : fuzz::SwfFixtureTags()) {
    const auto type = std::find(std::begin(kTagTypes), std::end(kTagTypes), tag.type);
    if (type == std::end(kTagTypes)) continue;
    fuzz::Bytes input{static_cast<uint8_t>(type - std::begin(kTagTypes))};
    input.insert(input.end(), tag.body.begin(), tag.body.end());
    seeds.Add("shape_" + std::to_string(count++), input);
  }
}
