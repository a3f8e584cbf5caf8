// Loading the assembled test movies: a file opener that finds relative paths
// in one folder (the assembled movies unless a test says otherwise) and a
// summary of what a movie definition holds, for comparing two reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "swf/base/counted_ptr.h"
#include "swf/movie/movie_def_impl.h"
#include "recording_backend.h"

namespace swf_test {

std::string FixturePath(const std::string& name);

// Installs the opener (and restores the fixture folder) for its lifetime and
// empties the movie library on both ends.
class MovieFolder {
 public:
  explicit MovieFolder(const std::string& folder = FixturePath(""));
  ~MovieFolder();
  MovieFolder(const MovieFolder&) = delete;
  MovieFolder& operator=(const MovieFolder&) = delete;
};

// load_movie_file of the path, as a movie_def_impl the pointer keeps.
swf::counted_ptr<swf::movie_def_impl> LoadMovie(const std::string& path);

// Every frame's tags, labels, definitions and exports of the movie as text.
std::string Describe(swf::movie_def_impl* movie);

}  // namespace swf_test
