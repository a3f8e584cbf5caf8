#include "swf/stage/button_character_definition.h"

#include "swf/action/action_buffer.h"
#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/sound/sound_sample.h"
#include "swf/stage/button_character_instance.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kTagDefineButton = 7;

void read_sound_info(bit_stream& in, button_sound* sound) {
  const uint8_t flags = in.read_uint8();
  sound->stop_playback = flags & 0x20;
  sound->no_multiple = flags & 0x10;
  sound->has_envelope = flags & 0x08;
  sound->has_loops = flags & 0x04;
  sound->has_out_point = flags & 0x02;
  sound->has_in_point = flags & 0x01;
  if (sound->has_in_point) sound->in_point = in.read_uint32();
  if (sound->has_out_point) sound->out_point = in.read_uint32();
  if (sound->has_loops) sound->loop_count = in.read_uint16();
  if (sound->has_envelope) {
    const int count = in.read_uint8();
    for (int i = 0; i < count && !in.overrun(); ++i) {
      sound_envelope point;
      point.mark44 = in.read_uint32();
      point.level0 = in.read_uint16();
      point.level1 = in.read_uint16();
      sound->envelopes.push_back(point);
    }
  }
}
}  // namespace

button_character_definition::~button_character_definition() {
  for (button_action& action : actions)
    for (action_buffer* buffer : action.actions) delete buffer;
  delete[] sounds;
}

movie* button_character_definition::create_character(movie* parent, int id) {
  return new button_character_instance(this, parent, id);
}

void button_character_definition::read_records(bit_stream& in, int tag_type) {
  for (;;) {
    const uint8_t flags = in.read_uint8();
    if (flags == 0 || in.overrun()) return;
    button_record record;
    record.hit_test = flags & 0x08;
    record.down = flags & 0x04;
    record.over = flags & 0x02;
    record.up = flags & 0x01;
    record.character_id = in.read_uint16();
    record.depth = in.read_uint16();
    record.matrix.read(in);
    if (tag_type != kTagDefineButton) record.cxform.read_rgba(in);
    if (in.overrun()) return;
    records.push_back(record);
  }
}

void button_character_definition::read(bit_stream& in, int tag_type, movie_definition_sub*) {
  if (tag_type == kTagDefineButton) {
    read_records(in, tag_type);
    button_action action;
    action.conditions = button_action::OVER_DOWN_TO_OVER_UP;
    action_buffer* buffer = new action_buffer;
    buffer->read(in);
    action.actions.push_back(buffer);
    actions.push_back(action);
    return;
  }
  track_as_menu = in.read_uint8() != 0;
  const int64_t offset_field = in.tell_offset();
  const uint16_t action_offset = in.read_uint16();
  read_records(in, tag_type);
  if (action_offset != 0) read_button2_actions(in, offset_field + action_offset);
}

void button_character_definition::read_button2_actions(bit_stream& in, int64_t first_offset) {
  const int64_t end = in.tag_end_offset();
  // Every record lies after the one before it, so the walk ends.
  for (int64_t next = first_offset; next < end;) {
    in.seek_offset(next);
    const int64_t start = in.tell_offset();
    const uint16_t next_offset = in.read_uint16();
    button_action action;
    action.conditions = in.read_uint16();
    action_buffer* buffer = new action_buffer;
    buffer->read(in);
    action.actions.push_back(buffer);
    actions.push_back(action);
    if (next_offset == 0 || in.overrun()) return;
    next = start + next_offset;
  }
}

void button_character_definition::read_sounds(bit_stream& in, movie_definition_sub* m) {
  delete[] sounds;
  sounds = new button_sound[SOUND_COUNT];
  for (int i = 0; i < SOUND_COUNT; ++i) {
    button_sound& sound = sounds[i];
    sound.sound_id = in.read_uint16();
    if (sound.sound_id == 0) continue;
    sound.sample = m->find_sound(sound.sound_id);
    read_sound_info(in, &sound);
  }
}

void button_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  button_character_definition* button = new button_character_definition;
  button->read(in, tag_type, m);
  m->define_character(id, button);
}

void button_sound_loader(bit_stream& in, int, movie_definition_sub* m) {
  const int id = in.read_uint16();
  auto* button = dynamic_cast<button_character_definition*>(m->find_character(id));
  if (!button) return;
  button->read_sounds(in, m);
}

}  // namespace swf
