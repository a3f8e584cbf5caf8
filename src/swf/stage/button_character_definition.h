// A button of DefineButton or DefineButton2: the characters it shows in each
// mouse state and tests hits with, the actions its transitions run, and the
// sounds of DefineButtonSound.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/movie/character_definition.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"

namespace swf {

class action_buffer;
class bit_stream;
class movie_definition_sub;
class sound_sample;

struct button_record {
  bool hit_test = false;
  bool down = false;
  bool over = false;
  bool up = false;
  int32_t character_id = 0;
  // Looked up when the first instance is made; the movie keeps it.
  character_definition* character = nullptr;
  int32_t depth = 0;
  matrix2x3 matrix;
  color_xform cxform;
};

struct button_action {
  // The transitions that run the actions.
  enum : uint32_t { IDLE_TO_OVER_UP = 0x01, OVER_UP_TO_IDLE = 0x02, OVER_UP_TO_OVER_DOWN = 0x04,
                    OVER_DOWN_TO_OVER_UP = 0x08, OVER_DOWN_TO_OUT_DOWN = 0x10, OUT_DOWN_TO_OVER_DOWN = 0x20,
                    OUT_DOWN_TO_IDLE = 0x40 };
  uint32_t conditions = 0;
  dyn_array<action_buffer*> actions;  // owned
};

struct sound_envelope {
  uint32_t mark44 = 0;
  uint16_t level0 = 0;
  uint16_t level1 = 0;
};

struct button_sound {
  uint16_t sound_id = 0;  // 0: none
  counted_ptr<sound_sample> sample;
  bool stop_playback = false;
  bool no_multiple = false;
  bool has_envelope = false;
  bool has_loops = false;
  bool has_out_point = false;
  bool has_in_point = false;
  uint32_t in_point = 0;
  uint32_t out_point = 0;
  uint16_t loop_count = 0;
  dyn_array<sound_envelope> envelopes;
};

class button_character_definition : public character_definition {
 public:
  // The sounds of roll out, roll over, press and release, in that order.
  enum { SOUND_ROLL_OUT = 0, SOUND_ROLL_OVER = 1, SOUND_PRESS = 2, SOUND_RELEASE = 3, SOUND_COUNT = 4 };

  ~button_character_definition() override;

  // The body of a DefineButton (7) or DefineButton2 (34) after its id.
  void read(bit_stream& in, int tag_type, movie_definition_sub* m);
  // The body of a DefineButtonSound after the button's id.
  void read_sounds(bit_stream& in, movie_definition_sub* m);
  movie* create_character(movie* parent, int id) override;

  bool track_as_menu = false;
  dyn_array<button_record> records;
  dyn_array<button_action> actions;
  button_sound* sounds = nullptr;  // owned; SOUND_COUNT of them, or none

 private:
  void read_records(bit_stream& in, int tag_type);
  void read_button2_actions(bit_stream& in, int64_t first_offset);
};

// Tags 7 and 34.
void button_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// Tag 17.
void button_sound_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
