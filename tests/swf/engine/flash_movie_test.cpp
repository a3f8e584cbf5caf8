// The engine's side of the player: the driver's hooks (file opener, log,
// fscommand) and a movie's loading, looping, pausing and placing on screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "log_capture.h"
#include "render/recording_graphics.h"
#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/engine/flash_driver.h"
#include "swf/engine/flash_movie.h"
#include "swf/recording_backend.h"
#include "temp_folder.h"

namespace {

const std::string kLoopMovie = VANTOR_SWF_FIXTURES "/engine_loop.swf";

// The texts of the captured lines at the level, without call site and tag.
std::vector<std::string> Texts(LogLevel level) {
  std::vector<std::string> texts;
  for (const std::string& line : LogCapture::At(level)) {
    const size_t from = line.find("> ") + 2, to = line.rfind("  [MSG_");
    texts.push_back(line.substr(from, to - from));
  }
  return texts;
}

class FlashMovieTest : public ::testing::Test {
 protected:
  void SetUp() override { driver_.Init(); }

  RecordingGraphics graphics_;
  flash::FlashDriver driver_;
};

TEST_F(FlashMovieTest, FsCommandsAreLoggedAsThreeLines) {
  flash::FlashMovie movie;
  ASSERT_TRUE(movie.Load(kLoopMovie));
  LogCapture log;
  movie.Advance(0.1f);
  EXPECT_EQ(Texts(MSG_COMMENT), (std::vector<std::string>{"fs_callback: '", "   Command  : start",
                                                           "   Argument : first"}));
  // A handler given no texts writes empty ones.
  LogCapture::Lines().clear();
  flash::FlashDriver::OnFsCommand(nullptr, nullptr, nullptr);
  EXPECT_EQ(Texts(MSG_COMMENT), (std::vector<std::string>{"fs_callback: '", "   Command  : ", "   Argument : "}));
}

TEST_F(FlashMovieTest, PlayerMessagesBecomeOneLineEachByTheirFlag) {
  LogCapture log;
  swf::log_error("bad tag %d\n", 7);
  swf::log_message("note\n");
  flash::FlashDriver::LogOutput(false, nullptr);
  EXPECT_EQ(Texts(MSG_ERROR), (std::vector<std::string>{"bad tag 7\n"}));
  EXPECT_EQ(Texts(MSG_COMMENT), (std::vector<std::string>{"note\n"}));
  EXPECT_EQ(LogCapture::Lines().size(), 2u);
}

TEST_F(FlashMovieTest, TheOpenerReadsLooseFilesWithoutRegardToCase) {
  TempFolder folder;
  const std::string root = folder.Path().string();
  std::filesystem::create_directories(root + "/Movies");
  std::filesystem::copy_file(kLoopMovie, root + "/Movies/Loop.swf");
  const std::string asked = root + "/movies/LOOP.SWF";
  std::unique_ptr<swf::file_object> found(flash::FlashDriver::OpenFile(asked.c_str()));
  ASSERT_NE(found, nullptr);
  EXPECT_FALSE(found->error());
  EXPECT_EQ(found->read_le32() & 0xFFFFFFu, 0x535746u);  // "FWS"
  flash::FlashMovie movie;
  EXPECT_TRUE(movie.Load(asked));
  EXPECT_EQ(movie.GetFileName(), asked);

  // A missing file still gives an object, which carries the error.
  std::unique_ptr<swf::file_object> missing(flash::FlashDriver::OpenFile((root + "/none.swf").c_str()));
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->error());
}

TEST_F(FlashMovieTest, AMissingFileLeavesAnEmptyMovie) {
  TempFolder folder;
  const std::string file = folder.Path().string() + "/none.swf";
  LogCapture log;
  flash::FlashMovie movie;
  EXPECT_FALSE(movie.Load(file));
  // The player's own lines first.
  const std::vector<std::string> errors = Texts(MSG_ERROR);
  ASSERT_GE(errors.size(), 2u);
  EXPECT_EQ(errors.back(), "Can't create a movie from flash file " + file);
  EXPECT_EQ(movie.GetInstance(), nullptr);
  EXPECT_EQ(movie.GetFileName(), "");
  // An empty movie neither plays nor draws.
  swf_test::RecordingBackend backend;
  movie.Advance(1.0f);
  movie.Restart();
  movie.Display({0, 0}, {1, 1});
  EXPECT_TRUE(backend.Calls().empty());
}

TEST_F(FlashMovieTest, LoopingRewindsOnTheLastFramePausedStandsStill) {
  struct Case {
    bool looping, paused;
    std::vector<int> frames;  // after each of five steps of one frame
  };
  const Case cases[] = {
      // The last frame is never shown: the step that reaches it rewinds.
      {true, false, {1, 0, 1, 0, 1}},
      // Without looping the movie's own stop holds it on its last frame.
      {false, false, {1, 2, 2, 2, 2}},
      {true, true, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    flash::FlashMovie movie;
    ASSERT_TRUE(movie.Load(kLoopMovie));
    movie.SetLooping(c.looping);
    movie.SetPaused(c.paused);
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
      movie.Advance(0.1f);
      frames.push_back(movie.GetInstance()->get_frame_index());
    }
    EXPECT_EQ(frames, c.frames) << c.looping << c.paused;
    movie.Restart();
    EXPECT_EQ(movie.GetInstance()->get_frame_index(), 0);
  }
}

TEST_F(FlashMovieTest, EachMovieHasItsOwnInstanceOfTheSharedDefinition) {
  flash::FlashMovie first, second;
  ASSERT_TRUE(first.Load(kLoopMovie));
  ASSERT_TRUE(second.Load(kLoopMovie));
  EXPECT_NE(first.GetInstance(), second.GetInstance());
  EXPECT_EQ(first.GetInstance()->get_definition(), second.GetInstance()->get_definition());
  first.SetLooping(false);
  for (int i = 0; i < 3; ++i) first.Advance(0.1f);
  EXPECT_EQ(first.GetInstance()->get_frame_index(), 2);
  EXPECT_EQ(second.GetInstance()->get_frame_index(), 0);
}

TEST_F(FlashMovieTest, DisplayPlacesTheViewportInScreenPixelsWithoutBackground) {
  flash::FlashMovie movie;
  ASSERT_TRUE(movie.Load(kLoopMovie));
  movie.Advance(0.1f);
  swf_test::RecordingBackend backend;
  movie.Display({0.25f, 0.5f}, {0.5f, 0.5f});
  const std::vector<std::string> frames = backend.CallsNamed("start_frame");
  ASSERT_EQ(frames.size(), 1u);
  // Transparent background; 200 300 400 300 on the 800 x 600 screen.
  EXPECT_EQ(frames[0].rfind("start_frame 00000000 200 300 400 300 ", 0), 0u) << frames[0];
  EXPECT_FALSE(backend.CallsNamed("render_triangle_strip").empty());
  // Sizes no screen has are held, not overflowed.
  backend.ClearCalls();
  movie.Display({0, 0}, {1e30f, -1e30f});
  ASSERT_EQ(backend.CallsNamed("start_frame").size(), 1u);
}

TEST_F(FlashMovieTest, TheDriverEmptiesThePlayersLibraryWhenItGoes) {
  swf::movie_definition_sub* before = nullptr;
  {
    flash::FlashMovie movie;
    ASSERT_TRUE(movie.Load(kLoopMovie));
    before = movie.GetInstance()->get_definition();
    flash::FlashMovie again;
    ASSERT_TRUE(again.Load(kLoopMovie));
    EXPECT_EQ(again.GetInstance()->get_definition(), before);
    {
      flash::FlashDriver replaced;
      replaced.Init();
    }
    // The library no longer holds the movie: it is read anew, while the
    // movies made before keep theirs.
    flash::FlashMovie fresh;
    ASSERT_TRUE(fresh.Load(kLoopMovie));
    EXPECT_NE(fresh.GetInstance()->get_definition(), before);
    movie.Advance(0.1f);
    EXPECT_EQ(movie.GetInstance()->get_frame_index(), 1);
  }
}

}  // namespace
