// The movie root: viewport and pixel scale, backdrop, clock, interval
// timers, the load event, dragging, and loading a movie into a clip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/action/get_url.h"
#include "swf/base/timer.h"
#include "swf/script/native_call.h"
#include "swf/stage_player.h"

namespace {
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;

TEST(MovieRoot, StartsAtTheMoviesOwnSizeOnABlackBackdrop) {
  StagePlayer player("stage_timeline.swf");
  swf::movie_root* root = player.root();
  EXPECT_EQ(root->get_pixel_scale(), 1.0f);
  EXPECT_EQ(root->get_time(), 0.0f);
  const swf::rgba_color backdrop = root->get_backdrop_color();
  EXPECT_EQ(backdrop.r + backdrop.g + backdrop.b, 0);
  EXPECT_EQ(backdrop.a, 255);
  EXPECT_STREQ(root->get_root_sprite()->name.c_str(), "_root");
  EXPECT_EQ(root->get_root_sprite()->parent, nullptr);
  EXPECT_EQ(root->get_root_sprite()->get_movie_root(), root);

  root->set_viewport(0, 0, 400, 300);
  EXPECT_EQ(root->get_pixel_scale(), 2.0f) << "the larger of 400 / 200 and 300 / 200";
  const float alphas[][2] = {{0.5f, 128}, {1.5f, 255}, {-1, 0}, {0, 0}};
  for (const auto& a : alphas) {
    root->set_backdrop_alpha(a[0]);
    EXPECT_EQ(root->get_backdrop_color().a, a[1]) << a[0];
  }
  player.Step(0.25f);
  EXPECT_FLOAT_EQ(root->get_time(), 0.25f);
}

TEST(MovieRoot, TheBackgroundTagKeepsTheBackdropAlpha) {
  StagePlayer player("timeline.swf");
  player.root()->set_backdrop_alpha(0);
  player.Step(0);
  const swf::rgba_color backdrop = player.root()->get_backdrop_color();
  EXPECT_EQ(backdrop.r, 0x33);
  EXPECT_EQ(backdrop.g, 0x66);
  EXPECT_EQ(backdrop.b, 0x99);
  EXPECT_EQ(backdrop.a, 0);
}

int g_timer_calls = 0;
void CountCall(const swf::native_call&) { ++g_timer_calls; }

TEST(MovieRoot, IntervalTimersAreNumberedByPlace) {
  StagePlayer player("stage_timeline.swf");
  swf::movie_root* root = player.root();
  swf::counted_ptr<swf::Timer> first(new swf::Timer(0, 1e-9));
  swf::counted_ptr<swf::Timer> second(new swf::Timer(1e9, 1e-9));
  first->function = swf::as_variant(&CountCall);
  EXPECT_EQ(player.sprite()->add_interval_timer(first.get()), 1);
  EXPECT_EQ(root->add_interval_timer(second.get()), 2);
  g_timer_calls = 0;
  player.Step(0);
  EXPECT_EQ(g_timer_calls, 1) << "the first has expired, the second waits a long while";
  root->clear_interval_timer(1);
  EXPECT_EQ(root->interval_timer_count(), 1);
  root->clear_interval_timer(2);
  EXPECT_EQ(root->interval_timer_count(), 1) << "the second timer is number 1 now";
  root->clear_interval_timer(1);
  EXPECT_EQ(root->interval_timer_count(), 0);
}

TEST(MovieRoot, SendsTheLoadEventOnceBeforeTheFirstFrameAdvances) {
  StagePlayer player("stage_actions.swf");
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"f0", "f1"}));
  player.root()->rewind();
  EXPECT_EQ(player.TakeTraces(), Lines{}) << "a rewind queues frame 0's actions";
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"f0", "f1"})) << "and the next frame runs them; no second load";
}

TEST(MovieRoot, ADraggedClipFollowsTheMouseInsideItsBounds) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::movie* spinner = player.Child("spinner");
  ASSERT_NE(spinner, nullptr);
  swf::drag_state drag;
  drag.character = spinner;
  drag.lock_center = true;
  player.sprite()->set_drag_state(drag);
  player.Step(0, 30, 40);
  EXPECT_EQ(spinner->matrix.m02, 600);
  EXPECT_EQ(spinner->matrix.m12, 800);

  drag.bound = true;
  drag.bound_x0 = 0;
  drag.bound_y0 = 0;
  drag.bound_x1 = 50;
  drag.bound_y1 = 20;
  player.sprite()->set_drag_state(drag);
  player.Step(0, 70, 10);
  EXPECT_EQ(spinner->matrix.m02, 1000) << "bounds are pixels";
  EXPECT_EQ(spinner->matrix.m12, 200);

  player.sprite()->stop_drag();
  player.Step(0, 5, 5);
  EXPECT_EQ(spinner->matrix.m02, 1000);

  player.sprite()->set_drag_state(drag);
  player.sprite()->set_play_state(swf::movie::STOP);
  player.sprite()->remove_character_by_name("spinner");
  player.Step(0.1f, 5, 5);  // the frame's purge lets the spinner go
  EXPECT_EQ(player.Child("spinner"), nullptr);
  swf::drag_state now;
  player.sprite()->get_drag_state(&now);
  EXPECT_EQ(now.character, nullptr) << "a drag does not keep its clip alive";
}

TEST(MovieRoot, LoadingAMovieIntoAClipReplacesTheClip) {
  StagePlayer player("stage_timeline.swf");
  player.Step(0);
  swf::movie* spinner = player.Child("spinner");
  ASSERT_NE(spinner, nullptr);
  swf::load_extern_movie("stage_actions.swf", spinner, player.sprite());
  swf::movie* loaded = player.Child("spinner");
  ASSERT_NE(loaded, nullptr);
  EXPECT_NE(loaded, spinner);
  EXPECT_EQ(loaded->get_definition()->get_frame_total(), 4);
  EXPECT_EQ(loaded->depth, 1);
  EXPECT_EQ(loaded->matrix.m02, 2000) << "it takes the clip's place";
  EXPECT_EQ(loaded->parent, player.sprite());
}

}  // namespace
