// Timelines played through the movie root: stepping, looping, seeking both
// ways, frame actions that steer the timeline, call_frame, clip events,
// targets and the clip properties.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "swf/action/action_buffer.h"
#include "swf/script/as_variant.h"
#include "swf/stage_player.h"

namespace {
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;

const char* const kForward[] = {
    "1:10:spinner@2000,2000 2:1@0,0",
    "1:10:spinner@2000,2000 2:1@40,0 3:2@0,0",
    "1:10:spinner@2000,2000 3:3@0,0 4:1@60,60",
    "1:10:spinner@2000,2000 3:3@0,0 5:2:late@0,0",
};

TEST(SpriteInstance, StepsOneFrameAFrameTimeAndLoops) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  EXPECT_EQ(player.TakeTraces(), (Lines{"spinner0", "load", "frame0"}))
      << "the load event runs the first frame, a placed sprite's first frame runs as it is placed";
  EXPECT_EQ(StagePlayer::Describe(player.sprite()), kForward[0]);

  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"enter", "frame1"})) << "children step before their parent";
  for (int frame = 1; frame < 4; ++frame) {
    EXPECT_EQ(player.sprite()->get_frame_index(), frame);
    EXPECT_EQ(StagePlayer::Describe(player.sprite()), kForward[frame]) << frame;
    player.Step(0.1f);
  }
  EXPECT_EQ(player.sprite()->get_frame_index(), 0);
  EXPECT_TRUE(player.sprite()->has_wrapped());
  EXPECT_EQ(StagePlayer::Describe(player.sprite()), kForward[0]) << "what frame 0 does not place again is gone";
  swf::movie* spinner = player.Child("spinner");
  ASSERT_NE(spinner, nullptr);
  EXPECT_EQ(spinner->get_frame_index(), 1) << "the spinner kept its own timeline through the loop (4 mod 3)";
}

TEST(SpriteInstance, TakesAtMostOneFrameAStepAndKeepsTheRemainder) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  player.Step(0.35f);
  EXPECT_EQ(player.sprite()->get_frame_index(), 1);
  player.Step(0.06f);
  EXPECT_EQ(player.sprite()->get_frame_index(), 2) << "0.05 s was left over";
  player.Step(0.04f);
  EXPECT_EQ(player.sprite()->get_frame_index(), 2);
}

TEST(SpriteInstance, SeekingEitherWayRebuildsTheDisplayListOfTheFrame) {
  for (int from = 0; from < 4; ++from) {
    for (int to = 0; to < 4; ++to) {
      StagePlayer player("stage_timeline.swf");
      player.Step(0);
      player.sprite()->goto_frame_index(from);
      player.sprite()->goto_frame_index(to);
      EXPECT_EQ(StagePlayer::Describe(player.sprite()), kForward[to]) << from << " -> " << to;
      EXPECT_EQ(player.sprite()->get_play_state(), swf::movie::STOP);
    }
  }
}

TEST(SpriteInstance, SeekingKeepsTheInstancesThatStay) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::counted_ptr<swf::movie> spinner(player.Child("spinner"));
  spinner->set_member("_x", swf::as_variant(7.0));
  player.sprite()->goto_frame_index(3);
  player.sprite()->goto_frame_index(0);
  EXPECT_EQ(player.Child("spinner"), spinner.get());
  EXPECT_EQ(spinner->matrix.m02, 140) << "a clip a script moved ignores the timeline's moves";
  EXPECT_EQ(player.log.ErrorCount(), 0) << player.log.Text();
}

TEST(SpriteInstance, FrameActionsStopGoAndSeek) {
  StagePlayer player("stage_actions.swf");
  player.Step(0);
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"f0", "f1"}));
  player.Step(0.1f);
  EXPECT_EQ(player.sprite()->get_frame_index(), 1) << "frame 1 stopped the timeline";
  swf::movie* outer = player.Child("outer");
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->get_frame_index(), 0) << "a stopped parent still steps its children";

  EXPECT_TRUE(player.root()->goto_labeled_frame("JUMP"));
  EXPECT_FALSE(player.root()->goto_labeled_frame("nowhere"));
  EXPECT_EQ(player.sprite()->get_frame_index(), 2);
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"f2"})) << "a seek's actions run at the next step";
  player.sprite()->set_play_state(swf::movie::PLAY);
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"f3", "f1"})) << "frame 3 goes back to frame 1, which stops";
  EXPECT_EQ(player.sprite()->get_frame_index(), 1);
  EXPECT_EQ(player.sprite()->get_play_state(), swf::movie::STOP);
}

TEST(SpriteInstance, GoingToTheCurrentFrameRunsNothingAndStops) {
  StagePlayer player("stage_actions.swf");
  player.Step(0);
  player.TakeTraces();
  player.sprite()->goto_frame_index(0);
  player.Step(0);
  EXPECT_TRUE(player.TakeTraces().empty());
  EXPECT_EQ(player.sprite()->get_play_state(), swf::movie::STOP);
}

TEST(SpriteInstance, FramesThatKeepQueuingEachOtherStopAtTheActionBudget) {
  const int64_t budget = swf::script_limits::max_actions_per_run;
  swf::script_limits::max_actions_per_run = 300;
  StagePlayer player("stage_endless.swf");
  player.Step(0);
  swf::script_limits::max_actions_per_run = budget;
  const Lines traces = player.TakeTraces();
  EXPECT_GT(traces.size(), 10u);
  EXPECT_LE(traces.size(), 100u) << "the pass shares one budget of 300 actions, 5 a frame";
  EXPECT_TRUE(player.log.Has("error: script stopped after 300 actions\n")) << player.log.Text();
}

TEST(SpriteInstance, FramesThatJumpToEachOtherForeverPlayOneBoundedPassAStep) {
  struct StepBound {
    const int64_t kept = swf::script_limits::max_actions_per_step;
    StepBound() { swf::script_limits::max_actions_per_step = 301; }
    ~StepBound() { swf::script_limits::max_actions_per_step = kept; }
  } bound;
  StagePlayer player("stage_endless.swf");
  player.Step(0);  // the first frame, as the movie loads
  player.TakeTraces();
  for (int step = 0; step < 100; ++step) {
    const int errors = PlayerLogCapture::ErrorCount();
    player.Step(0.1f);
    const Lines traces = player.TakeTraces();
    ASSERT_GE(traces.size(), 301u / 5) << "step " << step << " starts clean";
    ASSERT_LE(traces.size(), 301u / 5 + 1) << "five actions a frame";
    ASSERT_EQ(PlayerLogCapture::ErrorCount(), errors + 1) << player.log.Text();
  }
  EXPECT_TRUE(player.log.Has("error: script stopped after 301 actions\n"));
}

TEST(SpriteInstance, CallFrameRunsOnlyTheActionsOfTheFrame) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  player.TakeTraces();
  const std::pair<swf::as_variant, Lines> cases[] = {
      {swf::as_variant(4), Lines{"frame3"}},          // numbers count from 1
      {swf::as_variant("3"), Lines{"frame3"}},        // a string that is no label is an index
      {swf::as_variant("START"), Lines{"frame0"}},    // labels, without regard to case
      {swf::as_variant(9), Lines{}},
      {swf::as_variant(0), Lines{}},
  };
  for (const auto& c : cases) {
    player.sprite()->call_frame(c.first);
    EXPECT_EQ(player.TakeTraces(), c.second) << c.first.to_string().c_str();
  }
  EXPECT_TRUE(player.log.Has("error: call_frame('9') -- unknown frame\n"));
  EXPECT_TRUE(player.log.Has("error: call_frame('0') -- unknown frame\n"));
  EXPECT_EQ(StagePlayer::Describe(player.sprite()), kForward[0]) << "no display tag ran";
}

TEST(SpriteInstance, FindsTargetsByPath) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::sprite_instance* root = player.sprite();
  swf::movie* spinner = player.Child("spinner");
  ASSERT_NE(spinner, nullptr);
  swf::movie* inner = spinner->find_target("inner");
  ASSERT_NE(inner, nullptr);
  const std::pair<const char*, swf::movie*> cases[] = {
      {"spinner", spinner},        {"_root.spinner", spinner},   {"/spinner/inner", inner},
      {"spinner.inner", inner},    {"spinner/..", root},         {"_level0", root},
      {"this", root},              {".", root},                  {"Spinner", nullptr},
      {"spinner.missing", nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(root->context().find_target(swf::small_string(c.first)), c.second) << c.first;
  EXPECT_EQ(spinner->find_target(".."), root);
  EXPECT_EQ(spinner->find_target("_root"), root);
  EXPECT_EQ(spinner->get_root_sprite(), root);
}

TEST(SpriteInstance, AnswersTheClipProperties) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::movie* spinner = player.Child("spinner");
  ASSERT_NE(spinner, nullptr);
  const auto get = [spinner](const char* name) {
    swf::as_variant value;
    EXPECT_TRUE(spinner->get_member(name, &value)) << name;
    return value;
  };
  EXPECT_DOUBLE_EQ(get("_x").to_number(), 100);
  EXPECT_DOUBLE_EQ(get("_currentframe").to_number(), 1);
  EXPECT_DOUBLE_EQ(get("_totalframes").to_number(), 3);
  EXPECT_DOUBLE_EQ(get("_width").to_number(), 10) << "the square is 200 twips wide";
  EXPECT_STREQ(get("_target").to_string().c_str(), "/_root");
  EXPECT_STREQ(get("_name").to_string().c_str(), "spinner");
  EXPECT_EQ(get("_parent").to_object(), player.sprite());
  EXPECT_EQ(get("INNER").to_object(), spinner->find_target("inner")) << "children by name, without regard to case";

  spinner->set_member("_xscale", swf::as_variant(200.0));
  EXPECT_NEAR(get("_xscale").to_number(), 200, 1e-3);
  EXPECT_NEAR(get("_yscale").to_number(), 100, 1e-3);
  spinner->set_member("_width", swf::as_variant(5.0));
  EXPECT_NEAR(get("_width").to_number(), 5, 1e-3) << "the scale element is the width over the clip's own";
  spinner->set_member("_xscale", swf::as_variant(100.0));
  spinner->set_member("_rotation", swf::as_variant(90.0));
  EXPECT_NEAR(get("_rotation").to_number(), 90, 1e-3);
  spinner->set_member("_alpha", swf::as_variant(50.0));
  EXPECT_FLOAT_EQ(spinner->cxform.m[3][0], 0.5f);
  spinner->set_member("_visible", swf::as_variant(false));
  EXPECT_FALSE(spinner->get_visible());
  spinner->set_member("score", swf::as_variant(12));
  EXPECT_DOUBLE_EQ(get("score").to_number(), 12);
  EXPECT_FALSE(spinner->accepts_placement_moves());
}

TEST(SpriteInstance, ASpriteThatPlacesItselfIsRefused) {
  StagePlayer player("timeline.swf");  // sprite 3 places sprite 3
  player.Step(0);
  swf::movie* outer = player.sprite()->get_display_list().find_at_depth(2);
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(static_cast<swf::sprite_instance*>(outer)->get_display_list().size(), 0);
  EXPECT_TRUE(player.log.Has("sprite::add_display_object(): cid = 3 would contain itself or nest too deep\n"));
}

TEST(SpriteInstance, AClipAScriptKeepsOutlivesItsParentDetached) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::counted_ptr<swf::movie> inner(player.Child("spinner")->find_target("inner"));
  ASSERT_TRUE(inner);
  player.sprite()->set_play_state(swf::movie::STOP);
  player.sprite()->remove_character_by_name("spinner");
  EXPECT_NE(player.Child("spinner"), nullptr) << "removed at the purge that ends the step";
  player.Step(0.1f);
  EXPECT_EQ(player.Child("spinner"), nullptr);
  EXPECT_EQ(inner->parent, nullptr);
  EXPECT_EQ(inner->get_root_sprite(), nullptr);
}

TEST(SpriteInstance, ReadsAndWritesVariablesByPath) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::movie_root* root = player.root();
  root->set_variable("spinner.score", "12");
  root->set_variable_wide("title", u"caf\u00e9");
  EXPECT_STREQ(root->get_variable("spinner.score"), "12");
  EXPECT_STREQ(root->get_variable("_root.title"), "caf\xc3\xa9");
  root->set_variable("nothing", nullptr);
  EXPECT_TRUE(player.log.Has("error: NULL passed to set_variable('nothing', NULL)\n"));
}

}  // namespace
