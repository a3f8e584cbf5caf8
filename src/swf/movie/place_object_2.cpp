#include "swf/movie/place_object_2.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/swf_event.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {

place_object_2::~place_object_2() {
  for (swf_event* event : events) delete event;
}

void place_object_2::read(bit_stream& in, int type, int swf_version) {
  tag_type = type;
  if (type == 4) {
    read_place_object(in);
  } else {
    read_place_object_2(in, swf_version);
  }
}

void place_object_2::read_place_object(bit_stream& in) {
  character_id = in.read_uint16();
  depth = in.read_uint16();
  matrix.read(in);
  if (in.tell_offset() < in.tag_end_offset()) cxform.read_rgb(in);
}

void place_object_2::read_place_object_2(bit_stream& in, int swf_version) {
  in.align_to_byte();
  const bool has_actions = in.read_bits(1);
  const bool has_clip_depth = in.read_bits(1);
  const bool has_name = in.read_bits(1);
  const bool has_ratio = in.read_bits(1);
  const bool has_color = in.read_bits(1);
  has_matrix = in.read_bits(1);
  const bool has_character = in.read_bits(1);
  const bool move = in.read_bits(1);

  depth = in.read_uint16();
  if (has_character) character_id = in.read_uint16();
  if (has_matrix) matrix.read(in);
  if (has_color) {
    cxform.read_rgba(in);
    has_cxform = true;
  }
  if (has_ratio) ratio = in.read_uint16() * (1.0f / 65535.0f);
  if (has_name) name = in.read_cstring();
  if (has_clip_depth) clip_depth = in.read_uint16();
  if (has_actions) {
    const bool wide_flags = swf_version >= 6;
    in.read_uint16();  // reserved
    if (wide_flags) {
      in.read_uint32();  // every event the clip has
    } else {
      in.read_uint16();
    }
    for (;;) {
      in.align_to_byte();
      const uint32_t flags = wide_flags ? in.read_uint32() : in.read_uint16();
      if (flags == 0) break;
      swf_event* event = new swf_event;
      events.push_back(event);
      event->read(in, flags);
    }
  }
  if (has_character) {
    type = move ? REPLACE : PLACE;
  } else {
    type = move ? MOVE : PLACE;
  }
}

uint32_t place_object_2::placement_key() const {
  if (type == MOVE) return 0xFFFFFFFFu;
  const uint32_t id = tag_type == 4 ? character_id : 0xFFFFu;
  return static_cast<uint32_t>(depth) << 16 | id;
}

void place_object_2::run(movie* m) {
  switch (type) {
    case PLACE:
      m->place_character(character_id, name.get(), events, depth, tag_type != 4, cxform, matrix, ratio, clip_depth);
      break;
    case MOVE:
      m->move_character(depth, has_cxform, cxform, has_matrix, matrix, ratio, clip_depth);
      break;
    case REPLACE:
      m->replace_character(character_id, name.get(), depth, has_cxform, cxform, has_matrix, matrix, ratio,
                           clip_depth);
      break;
  }
}

void place_object_2::run_state_backwards(movie* m, int frame) {
  switch (type) {
    case PLACE:
      m->remove_character(depth, tag_type == 4 ? character_id : -1);
      break;
    case MOVE:
      run(m);
      break;
    case REPLACE:
      if (display_tag* last = m->find_last_placement(frame, depth, -1)) {
        last->run_state(m);
      } else {
        log_error("reverse REPLACE can't find previous replace or add tag(%d, %d)\n", frame, depth);
      }
      break;
  }
}

void place_object_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  place_object_2* tag = new place_object_2;
  tag->read(in, tag_type, m->get_swf_version());
  m->append_frame_tag(tag);
}

}  // namespace swf
