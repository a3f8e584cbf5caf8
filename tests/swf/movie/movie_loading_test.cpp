// Reading assembled movies into definitions.
#include <gtest/gtest.h>

#include <string>

#include "read_file.h"
#include "swf/memory_file.h"
#include "swf/movie/movie_library.h"
#include "swf/movie/place_object_2.h"
#include "swf/movie/remove_object_2.h"
#include "swf/movie/set_background_color.h"
#include "swf/movie/sprite_definition.h"
#include "swf/movie/swf_event.h"
#include "swf/movie/tag_loaders.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"

namespace {
using namespace swf_test;

template <class Tag>
Tag* TagAt(swf::movie_definition_sub* m, int frame, int index) {
  const swf::frame_tag_list* tags = m->get_frame_tags(frame);
  return index < tags->size() ? dynamic_cast<Tag*>((*tags)[index]) : nullptr;
}

class MovieLoading : public ::testing::Test {
 protected:
  MovieFolder folder;
  PlayerLogCapture log;
};

TEST_F(MovieLoading, ReadsTheHeaderAndTimeline) {
  auto movie = LoadMovie("timeline.swf");
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->get_swf_version(), 6);
  EXPECT_FLOAT_EQ(movie->get_frames_per_second(), 12.5f) << "stored as 0x0C80";
  EXPECT_EQ(movie->get_frame_total(), 3);
  EXPECT_EQ(movie->get_pixel_width(), 550);
  EXPECT_EQ(movie->get_pixel_height(), 400);
  EXPECT_EQ(movie->get_frame_tags(0)->size(), 3) << "background and two placements; Protect and type 60 skipped";
  EXPECT_EQ(movie->get_frame_tags(1)->size(), 3);
  EXPECT_EQ(movie->get_frame_tags(2)->size(), 1);
  EXPECT_EQ(movie->get_frame_tags(3)->size(), 0) << "outside the timeline: an empty list";
  EXPECT_EQ(movie->get_frame_tags(-1)->size(), 0);
  auto* background = TagAt<swf::set_background_color>(movie.get(), 0, 0);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->color.g, 0x66);
  EXPECT_EQ(background->color.a, 255);
  EXPECT_EQ(log.ErrorCount(), 1) << log.Text();  // the sprite's repeated label
}

TEST_F(MovieLoading, RepeatedLabelsNameTheirLaterFrameWithoutRegardToCase) {
  auto movie = LoadMovie("timeline.swf");
  ASSERT_TRUE(movie);
  int frame = -1;
  EXPECT_TRUE(movie->find_frame_label("INTRO", &frame));
  EXPECT_EQ(frame, 0);
  EXPECT_TRUE(movie->find_frame_label("Loop", &frame));
  EXPECT_EQ(frame, 2);
  EXPECT_FALSE(movie->find_frame_label("outro", &frame));

  auto* sprite = dynamic_cast<swf::sprite_definition*>(movie->find_character(3));
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->get_frame_total(), 1) << "a frame count of 0 counts as 1";
  EXPECT_EQ(sprite->get_frame_tags(0)->size(), 1);
  EXPECT_TRUE(sprite->find_frame_label("spin", &frame));
  EXPECT_EQ(frame, 0);
  EXPECT_TRUE(log.Has("add_frame_name(0, 'SPIN') -- frame name already assigned to frame 0; overriding\n"));
  EXPECT_EQ(sprite->get_frames_per_second(), 12.5f);
  EXPECT_EQ(sprite->get_frame_init_tags(0), nullptr);
  EXPECT_EQ(movie->find_export("SPINNER"), sprite);
}

TEST_F(MovieLoading, PlacementFlags) {
  auto movie = LoadMovie("timeline.swf");
  ASSERT_TRUE(movie);
  auto* place = TagAt<swf::place_object_2>(movie.get(), 0, 1);
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->tag_type, 4);
  EXPECT_EQ(place->character_id, 3);
  EXPECT_EQ(place->matrix.m02, 40);
  EXPECT_EQ(place->matrix.m12, -20);
  EXPECT_EQ(place->cxform.m[0][0], 1) << "the tag ends after the matrix";
  EXPECT_EQ(place->type, swf::place_object_2::PLACE);
  EXPECT_EQ(place->placement_key(), (2u << 16) | 3u);

  auto* full = TagAt<swf::place_object_2>(movie.get(), 0, 2);
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->type, swf::place_object_2::PLACE);
  EXPECT_TRUE(full->has_matrix);
  EXPECT_TRUE(full->has_cxform);
  EXPECT_FLOAT_EQ(full->matrix.m00, 2);
  EXPECT_FLOAT_EQ(full->matrix.m11, 0.5f);
  EXPECT_FLOAT_EQ(full->cxform.m[0][0], 256 / 255.0f);
  EXPECT_FLOAT_EQ(full->cxform.m[2][1], 300);
  EXPECT_FLOAT_EQ(full->ratio, 1.0f) << "65535";
  EXPECT_STREQ(full->name.get(), "hero");
  EXPECT_EQ(full->clip_depth, 9);
  EXPECT_EQ(full->placement_key(), (4u << 16) | 0xFFFFu);

  auto* move = TagAt<swf::place_object_2>(movie.get(), 1, 0);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->type, swf::place_object_2::MOVE);
  EXPECT_EQ(move->placement_key(), 0xFFFFFFFFu);
  auto* replace = TagAt<swf::place_object_2>(movie.get(), 1, 1);
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(replace->type, swf::place_object_2::REPLACE);
  EXPECT_FALSE(replace->has_matrix);

  auto* remove = TagAt<swf::remove_object_2>(movie.get(), 1, 2);
  ASSERT_NE(remove, nullptr);
  EXPECT_TRUE(remove->is_removal());
  EXPECT_EQ(remove->character_id, 3);
  EXPECT_EQ(remove->depth, 2);
  auto* remove2 = TagAt<swf::remove_object_2>(movie.get(), 2, 0);
  ASSERT_NE(remove2, nullptr);
  EXPECT_EQ(remove2->character_id, -1);
  EXPECT_EQ(remove2->depth, 4);
}

TEST_F(MovieLoading, CompressedMoviesReadAsTheirPlainTwins) {
  for (const char* name : {"timeline.swf", "bitmaps.swf", "events6.swf", "late_tags.swf"}) {
    auto plain = LoadMovie(name);
    auto compressed = LoadMovie(std::string("compressed/") + name);
    ASSERT_TRUE(plain && compressed) << name;
    EXPECT_EQ(Describe(compressed.get()), Describe(plain.get())) << name;
    EXPECT_EQ(compressed->get_file_length(), plain->get_file_length());
  }
}

TEST_F(MovieLoading, ClipEventsOfSwf5And6) {
  auto five = LoadMovie("events5.swf");
  ASSERT_TRUE(five);
  auto* place = TagAt<swf::place_object_2>(five.get(), 0, 0);
  ASSERT_NE(place, nullptr);
  ASSERT_EQ(place->events.size(), 3) << "16-bit flags";
  EXPECT_EQ(place->events[0]->event.id, swf::swf_event::LOAD);
  EXPECT_EQ(place->events[1]->event.id, swf::swf_event::LOAD) << "bits 0 and 1: the lowest counts";
  EXPECT_EQ(place->events[2]->event.id, swf::swf_event::UNLOAD);
  EXPECT_EQ(place->events[2]->actions.length(), 6);
  EXPECT_TRUE(log.Has("more than one event type encoded!  unexpected! flags = 0x3\n"));

  log.Lines().clear();
  auto six = LoadMovie("events6.swf");
  ASSERT_TRUE(six);
  place = TagAt<swf::place_object_2>(six.get(), 0, 0);
  ASSERT_NE(place, nullptr);
  ASSERT_EQ(place->events.size(), 4) << "32-bit flags";
  EXPECT_EQ(place->events[0]->event.id, swf::swf_event::ENTER_FRAME);
  EXPECT_EQ(place->events[1]->event.id, swf::swf_event::INVALID);
  EXPECT_EQ(place->events[1]->event.key_code, 0x0D) << "the key code comes before the actions";
  EXPECT_EQ(place->events[1]->actions.length(), 2);
  EXPECT_TRUE(log.Has("KEY_PRESS found, not handled yet, flags = 0x20000\n"));
  EXPECT_EQ(place->events[2]->event.id, swf::swf_event::PRESS);
  EXPECT_TRUE(log.Has("error -- swf_event::read(), event_length = 5, but read 3\n"));
  EXPECT_EQ(place->events[3]->event.id, swf::swf_event::RELEASE) << "reading goes on at the declared end";
  EXPECT_EQ(log.ErrorCount(), 2) << log.Text();
}

TEST_F(MovieLoading, AnEarlyEndStopsTheRead) {
  auto movie = LoadMovie("early_end.swf");
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->get_frame_tags(0)->size(), 1);
  EXPECT_EQ(movie->get_frame_tags(1)->size(), 0);
  EXPECT_TRUE(log.Has("warning: hit stream-end tag, but not at the end of the file yet; stopping for safety\n"));

  log.Lines().clear();
  EXPECT_TRUE(LoadMovie("timeline.swf"));
  EXPECT_FALSE(log.Has("stream-end")) << "an End at the declared length";
}

TEST_F(MovieLoading, TagsAfterTheLastFrameAreDroppedWithOneWarning) {
  auto movie = LoadMovie("late_tags.swf");
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->get_frame_tags(0)->size(), 1);
  int warnings = 0;
  for (const PlayerLogLine& line : log.Lines()) warnings += line.text.find("after the last frame") != std::string::npos;
  EXPECT_EQ(warnings, 1);
}

TEST_F(MovieLoading, WhatIsNotAMovieGivesAnEmptyDefinition) {
  swf::register_standard_tag_loaders();
  for (const std::string& bytes : {std::string("GIF89a........"), std::string("FW"), std::string()}) {
    log.Lines().clear();
    MemoryFile memory(bytes);
    swf::movie_def_impl movie(false, false);
    movie.read(memory.file());
    EXPECT_EQ(movie.get_frame_total(), 0);
    EXPECT_TRUE(log.Has("swf::movie_def_impl::read() -- file does not start with a SWF header!\n"));
  }
}

TEST_F(MovieLoading, DataThatStopsEarlyEndsTheReadWithOneErrorLine) {
  swf::register_standard_tag_loaders();
  const std::string whole = ReadFile(FixturePath("timeline.swf"));
  MemoryFile memory(whole.substr(0, whole.size() - 20));
  swf::register_standard_tag_loaders();  // as the movie library does; the test may run alone
  swf::movie_def_impl movie(false, false);
  movie.read(memory.file());
  EXPECT_EQ(movie.get_frame_total(), 3);
  EXPECT_EQ(log.ErrorCount(), 2) << log.Text();  // the sprite's label, then the end of the data
  EXPECT_TRUE(log.Has("the movie's data ends early"));
}

TEST_F(MovieLoading, LoadFailuresAreReported) {
  EXPECT_FALSE(LoadMovie("nothing-here.swf"));
  EXPECT_TRUE(log.Has("error: file opener can't open 'nothing-here.swf'\n"));
  swf::register_file_opener_callback(nullptr);
  EXPECT_FALSE(LoadMovie("timeline.swf"));
  EXPECT_TRUE(log.Has("error: no file opener function; can't create movie."));
  swf::register_file_opener_callback([](const char*) -> swf::file_object* { return nullptr; });
  EXPECT_FALSE(LoadMovie("timeline.swf"));
  EXPECT_TRUE(log.Has("failed to open 'timeline.swf'; can't create movie.\n"));
}

}  // namespace
