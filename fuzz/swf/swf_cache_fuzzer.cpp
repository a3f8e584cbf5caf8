// libFuzzer target: a ".gsc" cache file read into a movie that defines
// characters 1 and 2 (sprites) and 3 (a shape, whose records hold
// tessellations).
#include <cstddef>
#include <cstdint>

#include "../../tests/swf/memory_file.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/movie/sprite_definition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  swf::movie_def_impl movie(false, false);
  movie.define_character(1, new swf::sprite_definition(&movie));
  movie.define_character(2, new swf::sprite_definition(&movie));
  movie.define_character(3, new swf::shape_character);
  swf_test::MemoryFile cache(data, size);
  movie.load_cached_data(cache.file());
  return 0;
}
