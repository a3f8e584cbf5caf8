// What the SWF targets share. The input as the one movie file the player can
// open, "movie.swf" (nothing else, imports or the cache file, exists); and
// their seeds: the test movies tools/swfasm.py assembles at build time (with
// the ".gsc" caches and JPEG pictures beside them), and the tags inside them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace fuzz {

// Installs the player's file opener over the input for the guard's life and
// empties the movie library when it ends.
class SwfInput {
 public:
  SwfInput(const uint8_t* data, size_t size);
  ~SwfInput();
  SwfInput(const SwfInput&) = delete;
  SwfInput& operator=(const SwfInput&) = delete;

  static constexpr const char* kPath = "movie.swf";
};

// Lowers the player's script limits far below a real movie's, so that an
// endless script ends within a fraction of a second.
void LimitScripts();

struct SwfTag {
  int type = 0;
  Bytes body;
};

// The assembled test files whose names end in `suffix` (".swf", ".gsc",
// ".jpg"), the compressed movies included, sorted.
std::vector<std::string> SwfFixtures(const std::string& suffix);

// Adds each of those files as a seed, named by its path below the folder.
void AddSwfFixtures(Seeds& seeds, const std::string& suffix);

// The tags of an uncompressed movie, those of its sprites included, in file
// order; none when the bytes are no such movie.
std::vector<SwfTag> SwfTags(const Bytes& movie);

// The tags of every test movie.
std::vector<SwfTag> SwfFixtureTags();

// A tag as a movie stores it: the long header form, then the body.
Bytes SwfTagBytes(const SwfTag& tag);

}  // namespace fuzz
