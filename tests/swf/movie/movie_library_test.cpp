// The movie library, imports and the ".gsc" cache file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "swf/movie/movie_library.h"
#include "swf/movie/sprite_definition.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"
#include "swf/text/font.h"
#include "temp_folder.h"

namespace {
using namespace swf_test;
namespace fs = std::filesystem;

class MovieLibrary : public ::testing::Test {
 protected:
  MovieFolder folder;
  PlayerLogCapture log;
};

TEST_F(MovieLibrary, SharesOneDefinitionPerPathWithoutRegardToCase) {
  swf::movie_definition_sub* first = swf::open_shared_movie("library.swf");
  swf::movie_definition_sub* second = swf::open_shared_movie("LIBRARY.swf");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  swf::release_ref(first);
  swf::release_ref(second);

  EXPECT_EQ(swf::open_shared_movie("missing.swf"), nullptr);
  EXPECT_TRUE(log.Has("error: couldn't load library movie 'missing.swf'\n"));
  swf::movie_root* shared = swf::open_shared_instance(first);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(swf::open_shared_instance(first), shared) << "one root instance per definition";
  EXPECT_STREQ(shared->get_root_sprite()->name.c_str(), "_root");
  swf::release_ref(shared);
  swf::release_ref(shared);
  auto* sprite = static_cast<swf::movie_definition_sub*>(first->find_character(1));
  EXPECT_EQ(swf::open_shared_instance(sprite), nullptr) << "a sprite is no root";
  EXPECT_TRUE(log.Has("error: couldn't create instance\n"));
  EXPECT_STREQ(swf::get_work_folder(), "");
}

TEST_F(MovieLibrary, ImportsWhatTheSourceExports) {
  auto movie = LoadMovie("importer.swf");
  ASSERT_TRUE(movie);
  auto* hero = dynamic_cast<swf::sprite_definition*>(movie->find_character(10));
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->get_frame_total(), 2) << "the library's sprite itself";
  EXPECT_TRUE(log.Has("import error: resource 'nothing' is not exported from movie 'library.swf'\n"));
  EXPECT_TRUE(log.Has("can't import movie from url missing.swf\n"));
  EXPECT_EQ(movie->find_character(12), nullptr);
  EXPECT_EQ(movie->find_character(13), hero) << "one library movie, whatever the letter case of its path";
}

TEST_F(MovieLibrary, AMovieImportingItselfIsRefusedInsteadOfRead) {
  auto self = LoadMovie("self_import.swf");
  ASSERT_TRUE(self);
  EXPECT_TRUE(log.Has("can't import movie from url self_import.swf\n"));

  log.Lines().clear();
  swf::movie_definition_sub* a = swf::open_shared_movie("cycle_a.swf");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(log.Has("can't import movie from url cycle_a.swf\n")) << log.Text();
  EXPECT_NE(a->find_character(2), nullptr) << "b's own export reached a";
  swf::release_ref(a);
}

// A folder with the library movie and a cache file beside it.
class CacheFile : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) {
    fs::copy_file(FixturePath("library.swf"), temp.Path() / "movie.swf");
    std::ofstream(temp.Path() / "movie.swf.gsc", std::ios::binary) << bytes;
  }
  TempFolder temp;
  MovieFolder folder{temp.Path().string()};
  PlayerLogCapture log;
};

TEST_F(CacheFile, RefusalsAndAValidFile) {
  struct Case {
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      // After the header, an empty font block: no texture, no font.
      {std::string("gsc\x04\0\0\0\0\x01\x00\x01\x00\xff\xff", 14), nullptr},
      {std::string("gsx\x04\xff\xff", 6), "cache file does not have the correct format; skipping\n"},
      {std::string("gsc\x03\xff\xff", 6), "cached data is version 3, but we require version 4; skipping\n"},
      {std::string("gsc\x04\0\0\0\0\x01\x00", 10), "unexpected eof reading cache file (characters); skipping\n"},
      {std::string("gsc\x04", 4), "unexpected eof reading cache file (characters); skipping\n"},
      {std::string("gsc\x04\0\0\0\0\x07\x00\xff\xff", 12),
       "sync error in cache file (reading characters)!  Skipping rest of cache data.\n"},
  };
  for (const Case& c : cases) {
    fs::remove(temp.Path() / "movie.swf");
    Write(c.bytes);
    log.Lines().clear();
    auto movie = LoadMovie("movie.swf");
    ASSERT_TRUE(movie);
    EXPECT_NE(movie->find_character(1), nullptr) << "the definition stays usable";
    if (c.message) {
      ASSERT_EQ(log.ErrorCount(), 1) << log.Text();
      EXPECT_EQ(log.Lines()[0].text, c.message);
    } else {
      EXPECT_EQ(log.ErrorCount(), 0) << log.Text();
    }
  }
}

TEST(OwnFonts, ComeInAscendingIdOrderWithoutImportedOnes) {
  swf::movie_def_impl movie(false, false);
  swf::movie_def_impl other(false, false);
  swf::font* seven = new swf::font(&movie);
  swf::font* two = new swf::font(&movie);
  swf::font* five = new swf::font(&movie);
  movie.define_font(7, seven);
  movie.define_font(2, two);
  movie.define_font(5, five);
  movie.define_font(3, new swf::font(&other));
  swf::dyn_array<swf::font*> fonts;
  movie.collect_own_fonts(&fonts);
  ASSERT_EQ(fonts.size(), 3);
  EXPECT_EQ(fonts[0], two);
  EXPECT_EQ(fonts[1], five);
  EXPECT_EQ(fonts[2], seven);
}

}  // namespace
