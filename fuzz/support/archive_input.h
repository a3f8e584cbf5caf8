// What the two archive targets share: an archive written by our own writer,
// and mounting a file and reading every entry it lists.
#pragma once
#include <string>

#include "fuzz_target.h"

namespace fuzz {

// Entries of each kind the writer makes: packed, stored plain, empty.
Bytes SampleArchive();
// Mounts the archive file and reads each entry of its directory.
void ReadWholeArchive(const std::string& path);

}  // namespace fuzz
