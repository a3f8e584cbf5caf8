// What the SWF targets start from: the test movies tools/swfasm.py assembles
// at build time (and the ".gsc" caches and JPEG pictures beside them), and
// the tags inside those movies.
#pragma once
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace fuzz {

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
