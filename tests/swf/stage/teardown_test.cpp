// Movies built to take the player down: scripts that run while their movie is
// destroyed, and buttons that contain themselves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/stage_player.h"

namespace {
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;

TEST(Teardown, UnloadHandlersThatReachTheClipsGoingRunOnceAndReturn) {
  StagePlayer player("teardown_unload.swf");
  player.Step(0);
  EXPECT_TRUE(player.TakeTraces().empty());
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"holder:holder"})) << "the removed clip's child reaches it";
  player.Close();
  EXPECT_EQ(player.TakeTraces(), (Lines{"root:_root", "parent:_root", "name:child"}))
      << "each unload handler once, reaching the root that is going";
  EXPECT_EQ(PlayerLogCapture::ErrorCount(), 0);
}

TEST(Teardown, AButtonThatContainsItselfSkipsThatRecord) {
  StagePlayer player("self_button.swf");
  player.Step(0);
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"frame0", "frame1"}));
  EXPECT_TRUE(player.log.Has("button: cid = 2 would contain itself or nest too deep; its record is skipped\n"))
      << player.log.Text();
  EXPECT_TRUE(player.log.Has("sprite::add_display_object(): cid = 3 would contain itself or nest too deep\n"))
      << "a sprite inside the button places the button again";
  player.Close();
}

}  // namespace
