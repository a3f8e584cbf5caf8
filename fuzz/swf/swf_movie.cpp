// libFuzzer target: a whole SWF movie (plain or compressed) through the
// player's loader, as the movie library reads it from a file. Seeds: the SWF
// test movies, plain and compressed.
#include <cstddef>
#include <cstdint>

#include "fuzz_target.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::SwfInput input(data, size);
  if (swf::movie_definition_sub* movie = swf::load_movie_file(fuzz::SwfInput::kPath)) swf::release_ref(movie);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }
