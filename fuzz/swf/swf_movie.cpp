// libFuzzer target: a whole SWF movie (plain or compressed) through the
// player's loader, as the movie library reads it from a file. Seeds: the SWF
// test movies, plain and compressed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "../../tests/swf/memory_file.h"
#include "fuzz_target.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf_input.h"

namespace {
const uint8_t* g_data = nullptr;
size_t g_size = 0;
std::vector<std::unique_ptr<swf_test::MemoryFile>> g_files;

// The input is "movie.swf"; nothing else (imports, the cache file) exists.
swf::file_object* OpenInput(const char* path) {
  if (std::strcmp(path, "movie.swf") != 0) return nullptr;
  g_files.push_back(std::make_unique<swf_test::MemoryFile>(g_data, g_size));
  return g_files.back()->release();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_data = data;
  g_size = size;
  swf::register_file_opener_callback(OpenInput);
  if (swf::movie_definition_sub* movie = swf::load_movie_file("movie.swf")) swf::release_ref(movie);
  swf::clear_movie_library();
  g_files.clear();
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }
