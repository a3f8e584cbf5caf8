// Every truncation and a hundred-odd seeded mutations of every assembled
// movie load without reading outside their data: each gives a definition,
// and a truncated movie says so in the log. Built with AddressSanitizer,
// this also checks every read and write of the loaders.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "read_file.h"
#include "swf/base/file_object.h"
#include "swf/memory_file.h"
#include "swf/movie/movie_library.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"

namespace {
using namespace swf_test;
namespace fs = std::filesystem;

// The bytes the opener serves as "movie.swf"; other names come from the
// assembled movies (import sources), and no cache file exists.
std::string g_movie;
std::vector<std::unique_ptr<MemoryFile>> g_open_files;

swf::file_object* OpenMovie(const char* path) {
  if (std::string(path) == "movie.swf") {
    g_open_files.push_back(std::make_unique<MemoryFile>(g_movie));
    return g_open_files.back()->release();
  }
  if (fs::path(path).extension() == ".gsc") return nullptr;
  return swf::file_object::open(FixturePath(path).c_str(), "rb");
}

std::vector<std::string> FixtureMovies() {
  std::vector<std::string> movies;
  for (const char* folder : {"", "compressed"})
    for (const auto& item : fs::directory_iterator(FixturePath(folder)))
      if (item.path().extension() == ".swf") movies.push_back(item.path().string());
  std::sort(movies.begin(), movies.end());
  return movies;
}

struct LoadResult {
  bool defined;
  bool reported;  // an error line, or the warning of an early End tag
  std::string description;
};

LoadResult Load(const std::string& bytes) {
  g_movie = bytes;
  PlayerLogCapture log;
  swf::clear_movie_library();
  swf::movie_definition_sub* movie = swf::load_movie_file("movie.swf");
  auto* read = dynamic_cast<swf::movie_def_impl*>(movie);
  const LoadResult result{movie != nullptr, log.ErrorCount() > 0 || log.Has("hit stream-end tag"),
                          read ? Describe(read) : std::string()};
  if (movie) swf::release_ref(movie);
  swf::clear_movie_library();
  g_open_files.clear();
  return result;
}

class TruncationSweep : public ::testing::Test {
 protected:
  void SetUp() override { swf::register_file_opener_callback(OpenMovie); }
  void TearDown() override { swf::register_file_opener_callback(nullptr); }
};

TEST_F(TruncationSweep, EveryTruncationGivesADefinitionAndAReport) {
  const std::vector<std::string> movies = FixtureMovies();
  ASSERT_GE(movies.size(), 20u);
  for (const std::string& path : movies) {
    const std::string whole = ReadFile(path);
    ASSERT_FALSE(whole.empty()) << path;
    const std::string complete = Load(whole).description;
    for (size_t size = 0; size < whole.size(); ++size) {
      const LoadResult result = Load(whole.substr(0, size));
      ASSERT_TRUE(result.defined) << path << " cut to " << size;
      // A compressed movie cut in its checksum still has all its data.
      ASSERT_TRUE(result.reported || result.description == complete) << path << " cut to " << size;
    }
  }
}

TEST_F(TruncationSweep, SeededMutationsGiveADefinition) {
  std::mt19937 random(20240611);
  for (const std::string& path : FixtureMovies()) {
    const std::string whole = ReadFile(path);
    for (int round = 0; round < 120; ++round) {
      std::string bytes = whole;
      const int changes = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
      if (round % 10 == 0) bytes.resize(random() % bytes.size());
      ASSERT_TRUE(Load(bytes).defined) << path << " round " << round;
    }
  }
}

}  // namespace
