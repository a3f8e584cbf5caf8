// Buttons driven by the movie root's mouse tracking: states, the actions of
// each transition, sounds, hit tests and members.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/recording_backend.h"
#include "swf/sound/sound_backend.h"
#include "swf/sound/sound_sample.h"
#include "swf/stage/button_character_definition.h"
#include "swf/stage/button_character_instance.h"
#include "swf/stage_player.h"

namespace {
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;
using Button = swf::button_character_instance;

Button* Corner(StagePlayer& player) { return dynamic_cast<Button*>(player.Child("corner")); }

TEST(Buttons, ABareMovieRollsOverTheButtonUnderItsCornerOnce) {
  StagePlayer player("stage_buttons.swf");
  player.Step(0.1f);
  EXPECT_EQ(player.TakeTraces(), (Lines{"roll_over"}));
  ASSERT_NE(Corner(player), nullptr);
  EXPECT_EQ(Corner(player)->get_mouse_state_value(), Button::OVER);
  player.Step(0.1f);
  player.Step(0.1f);
  EXPECT_TRUE(player.TakeTraces().empty());
  EXPECT_TRUE(player.log.Has("FIXME") == false);
}

TEST(Buttons, MouseTransitionsRunTheirActions) {
  StagePlayer player("stage_buttons.swf");
  struct step {
    int x, y, buttons;
    Lines traces;
    int state;
  };
  const step steps[] = {
      {50, 50, 0, {}, Button::UP},
      {1, 1, 0, {"roll_over"}, Button::OVER},
      {1, 1, 1, {"press"}, Button::DOWN},
      {50, 50, 1, {"drag_out"}, Button::OVER},
      {2, -2, 1, {"drag_over"}, Button::DOWN},
      {2, -2, 0, {"release"}, Button::OVER},
      {50, 50, 0, {"roll_out"}, Button::UP},
      {0, 0, 1, {"roll_over", "press"}, Button::DOWN},
      {50, 50, 1, {"drag_out"}, Button::OVER},
      {50, 50, 0, {"release_outside"}, Button::UP},
      {50, 50, 0, {"roll_out"}, Button::UP},
      {50, 50, 0, {}, Button::UP},
  };
  for (const step& s : steps) {
    player.Step(0.1f, s.x, s.y, s.buttons);
    EXPECT_EQ(player.TakeTraces(), s.traces) << s.x << "," << s.y << " " << s.buttons;
    EXPECT_EQ(Corner(player)->get_mouse_state_value(), s.state) << s.x << "," << s.y << " " << s.buttons;
  }
}

TEST(Buttons, ADefineButtonActsOnReleaseOnly) {
  StagePlayer player("stage_buttons.swf");
  player.Step(0.1f, 100, 100, 0);
  player.Step(0.1f, 100, 100, 1);
  EXPECT_TRUE(player.TakeTraces().empty());
  player.Step(0.1f, 100, 100, 0);
  EXPECT_EQ(player.TakeTraces(), (Lines{"plain_release"}));
  player.Step(0.1f, 150, 150, 0);
  EXPECT_TRUE(player.TakeTraces().empty()) << "a button without actions for it does nothing";
}

TEST(Buttons, ShowTheRecordsOfTheirState) {
  swf_test::RecordingBackend backend;
  StagePlayer player("stage_buttons.swf");
  player.Step(0.1f, 50, 50, 0);
  const auto fills = [&backend, &player] {
    backend.ClearCalls();
    Corner(player)->display();
    Lines out;
    for (const std::string& call : backend.CallsNamed("solid_fill")) out.push_back(call.substr(call.rfind(' ') + 1));
    return out;
  };
  EXPECT_EQ(fills(), (Lines{"ff0000ff"}));
  player.Step(0.1f, 0, 0, 0);
  EXPECT_EQ(fills(), (Lines{"00ff00ff"})) << "the over record whose character is missing is skipped";
  player.Step(0.1f, 0, 0, 1);
  EXPECT_EQ(fills(), (Lines{"0000ffff"}));
}

class RecordingSound : public swf::sound_backend {
 public:
  int32_t make_sample(const void*, size_t, uint32_t, int, int, bool) override { return 0; }
  void begin_playback(int32_t id, int loops) override { calls.push_back("begin " + std::to_string(id) + " " + std::to_string(loops)); }
  void end_playback(int32_t id) override { calls.push_back("end " + std::to_string(id)); }
  void free_sample(int32_t id) override { calls.push_back("free " + std::to_string(id)); }
  Lines calls;
};

TEST(Buttons, PlayTheirSoundsThroughTheSoundBackend) {
  RecordingSound sound;
  {
    StagePlayer player("stage_buttons.swf");
    auto* definition = dynamic_cast<swf::button_character_definition*>(player.movie()->find_character(20));
    ASSERT_NE(definition, nullptr);
    ASSERT_NE(definition->sounds, nullptr);
    EXPECT_EQ(definition->sounds[swf::button_character_definition::SOUND_ROLL_OVER].sound_id, 7);
    EXPECT_TRUE(definition->sounds[swf::button_character_definition::SOUND_PRESS].stop_playback);

    swf::set_sound_backend(&sound);
    player.Step(0.1f, 0, 0, 0);
    EXPECT_TRUE(sound.calls.empty()) << "the movie lacks sound 7";

    definition->sounds[swf::button_character_definition::SOUND_ROLL_OVER].sample = new swf::sound_sample(70);
    definition->sounds[swf::button_character_definition::SOUND_PRESS].sample = new swf::sound_sample(80);
    player.Step(0.1f, 50, 50, 0);
    player.Step(0.1f, 0, 0, 0);
    player.Step(0.1f, 0, 0, 1);
    EXPECT_EQ(sound.calls, (Lines{"begin 70 0", "end 80"}));

    swf::set_sound_backend(nullptr);
    player.Step(0.1f, 50, 50, 0);
    player.Step(0.1f, 0, 0, 0);
    EXPECT_EQ(sound.calls.size(), 2u) << "without a backend nothing plays";
  }
}

TEST(Buttons, AnswerTheirMembers) {
  StagePlayer player("stage_buttons.swf");
  player.Step(0.1f, 50, 50, 0);
  swf::movie* plain = player.Child("plain");
  ASSERT_NE(plain, nullptr);
  swf::as_variant value;
  ASSERT_TRUE(plain->get_member("_x", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 100);
  ASSERT_TRUE(plain->get_member("_width", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 10);
  plain->set_member("_alpha", swf::as_variant(25));
  EXPECT_FLOAT_EQ(plain->cxform.m[3][0], 0.25f);
  plain->set_member("_visible", swf::as_variant(false));
  EXPECT_EQ(plain->find_mouse_target(2000, 2000), nullptr) << "hidden buttons are not hit";
  plain->set_member("_rotation", swf::as_variant(3));
  EXPECT_TRUE(player.log.Has("error: button_character_instance::set_member('_rotation', '3') not implemented yet\n"));
  EXPECT_FALSE(plain->get_member("_rotation", &value));

  swf::movie* mute = player.Child("mute");
  ASSERT_NE(mute, nullptr);
  EXPECT_EQ(mute->find_mouse_target(3000, 3000), mute);
  EXPECT_EQ(mute->find_mouse_target(3000, 3500), nullptr);
}

TEST(Buttons, ASpriteWithMouseEventsIsItsOwnButton) {
  {
    StagePlayer player("stage_buttons.swf");
    player.Step(0.1f, 150, 50, 0);
    swf::movie* pad = player.Child("pad");
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(pad->wants_mouse_events());
    EXPECT_EQ(player.sprite()->find_mouse_target(3000, 1000), pad) << "the sprite, not the square inside it";
    EXPECT_FALSE(player.Child("plain")->wants_mouse_events());
    player.Step(0.1f, 150, 50, 1);
    EXPECT_EQ(player.TakeTraces(), (Lines{"pad_press"}));
  }
  bool unloaded = false;
  for (const PlayerLogLine& line : PlayerLogCapture::Lines()) unloaded |= line.text == ">pad_unload\n";
  EXPECT_TRUE(unloaded) << "the children of a sprite that goes unload first";
}

}  // namespace
