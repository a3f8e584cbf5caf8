// The vantor-swf tool on assembled movies.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "movie_fixture.h"

namespace {

// The tool's standard output and exit code.
std::string RunTool(const std::string& arguments, int* status) {
  const std::string command = std::string(VANTOR_BINARY_DIR) + "/vantor-swf " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  *status = pclose(pipe);
  return output;
}

TEST(VantorSwf, PlayPrintsTheTraceLinesAlone) {
  struct Case {
    std::string arguments;
    std::string out;
  } cases[] = {
      {"", "first\nsecond line\n2.5\nthird\n"},  // until the movie stops
      {" --frames 1", "first\n"},  // one step a frame
      {" --frames 2", "first\nsecond line\n2.5\n"},
      {" --frames 3", "first\nsecond line\n2.5\nthird\n"},
      {" --frames 6", "first\nsecond line\n2.5\nthird\n"},
  };
  for (const Case& c : cases) {
    int status = -1;
    EXPECT_EQ(RunTool("play " + swf_test::FixturePath("traces.swf") + c.arguments, &status), c.out) << c.arguments;
    EXPECT_EQ(status, 0);
  }
  const Case movies[] = {
      {"one_trace.swf --frames 1", "once\n"},
      {"loop_traces.swf --frames 3", "one\ntwo\nlines\nend\none\n"},  // carriage returns break lines
  };
  for (const Case& c : movies) {
    int status = -1;
    EXPECT_EQ(RunTool("play " + swf_test::FixturePath(c.arguments), &status), c.out) << c.arguments;
    EXPECT_EQ(status, 0);
  }
  int status = -1;
  EXPECT_EQ(RunTool("play " + swf_test::FixturePath("traces.swf") + " --frames 0", &status), "");
  EXPECT_NE(status, 0);
  EXPECT_EQ(RunTool("play /nonexistent.swf", &status), "");
  EXPECT_NE(status, 0);
}

TEST(VantorSwf, PlayPrintsWhatTheBuiltinsAnswer) {
  const std::string movie = swf_test::FixturePath("builtins.swf");
  FILE* file = std::fopen(movie.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::fseek(file, 0, SEEK_END);
  const std::string length = std::to_string(std::ftell(file));
  std::fclose(file);
  const std::string expected =
      // Math
      "3.1415926535898\n3.1415926535898\nnan\n1\nnan\n0\n1\n-2\n1.5707963267949\n1.4142135623731\n0\n"
      // Array
      "null\n5\n6\nundefined\nx\n"
      // the clip methods: gotoAndStop(2.9), nextFrame on the last frame,
      // prevFrame, gotoAndPlay(1), the bytes loaded and in all
      "2\n3\n2\n1\n" + length + "\n" + length + "\n"
      // Key
      "38\n32\nfalse\nundefined\n0\nundefined\nfalse\nundefined\n"
      // String
      "b\n\n0\n233\n5\n-1\n-1\n2\nel\nhello\na\n\u00c0B\n\u00c0b\nundefined\nh\u00e9\nabc\n98\nundefined\n"
      // MovieClipLoader, TextFormat, Sound, the last frame
      "0\n0\nundefined\nundefined\nfunction\nundefined\nend\n";
  int status = -1;
  EXPECT_EQ(RunTool("play " + movie, &status), expected);
  EXPECT_EQ(status, 0);
}

TEST(VantorSwf, InfoPrintsWhatTheDescriptionSays) {
  int status = -1;
  const std::string out = RunTool("info " + swf_test::FixturePath("compressed/timeline.swf"), &status);
  EXPECT_EQ(status, 0);
  for (const char* line : {"  version 6, file length 178 bytes\n",
                           "  frame 550 x 400 pixels, 12.5 frames per second, 3 frames\n",
                           "frame 0\n  SetBackgroundColor (type 9, 3 bytes)\n  FrameLabel (type 43, 6 bytes)\n",
                           "  DefineSprite (type 39, 27 bytes)\n      frame 0\n        PlaceObject2 (type 26, 5 bytes)\n",
                           "  unknown (type 60, 5 bytes)\n",
                           "frame 2\n  FrameLabel (type 43, 5 bytes)\n  RemoveObject2 (type 28, 2 bytes)\n",
                           "definitions\n  3 sprite, 1 frames\n", "  intro: frame 0\n", "  LOOP: frame 2\n",
                           "exports\n  spinner: sprite\n",
                           "log\n  error: add_frame_name(0, 'SPIN') -- frame name already assigned to frame 0; "
                           "overriding\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\nin:\n" << out;

  const std::string bitmaps = RunTool("info " + swf_test::FixturePath("bitmaps.swf"), &status);
  EXPECT_NE(bitmaps.find("  1 bitmap, 0 x 0\n"), std::string::npos) << "no renderer: empty bitmaps\n" << bitmaps;

  const std::string buttons = RunTool("info " + swf_test::FixturePath("stage_buttons.swf"), &status);
  for (const char* line : {"  20 button, 4 records, 7 actions\n", "  21 button, 1 records, 1 actions\n",
                           "  DefineButtonSound (type 17, 12 bytes)\n"})
    EXPECT_NE(buttons.find(line), std::string::npos) << line << "\nin:\n" << buttons;
}

TEST(VantorSwf, RefusesWhatItCannotRead) {
  int status = 0;
  RunTool("info /nonexistent.swf", &status);
  EXPECT_NE(status, 0);
  RunTool("list", &status);
  EXPECT_NE(status, 0);
}

}  // namespace
