// libFuzzer target: a ".gsc" cache file read into a movie that defines
// characters 1 and 2 (sprites) and 3 (a shape, whose records hold
// tessellations). Seeds: the caches assembled beside the SWF test movies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../../tests/swf/memory_file.h"
#include "fuzz_target.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/movie/sprite_definition.h"
#include "swf_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  swf::movie_def_impl movie(false, false);
  movie.define_character(1, new swf::sprite_definition(&movie));
  movie.define_character(2, new swf::sprite_definition(&movie));
  movie.define_character(3, new swf::shape_character);
  swf_test::MemoryFile cache(data, size);
  movie.load_cached_data(cache.file());
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  constexpr size_t kFirstId = 4;  // after "gsc" and the version
  constexpr uint8_t kShapeId = 3;
  fuzz::AddSwfFixtures(seeds, ".gsc");
  // The same caches with their first record for the shape defined here.
  int count = 0;
  for (const std::string& path : fuzz::SwfFixtures(".gsc")) {
    fuzz::Bytes cache = fuzz::ReadBytes(path);
    if (cache.size() < kFirstId + 2) continue;
    cache[kFirstId] = kShapeId;
    cache[kFirstId + 1] = 0;
    seeds.Add("shape_" + std::to_string(count++) + ".gsc", cache);
  }
}
