#include "swf/movie/remove_object_2.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void remove_object_2::run(movie* m) { m->remove_character(depth, character_id); }

void remove_object_2::run_state_backwards(movie* m, int frame) {
  if (display_tag* last = m->find_last_placement(frame, depth, character_id)) {
    last->run_state(m);
  } else {
    log_error("reverse REMOVE can't find previous replace or add tag(%d, %d)\n", frame, depth);
  }
}

void remove_object_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  remove_object_2* tag = new remove_object_2;
  if (tag_type == 5) tag->character_id = in.read_uint16();
  tag->depth = in.read_uint16();
  m->append_frame_tag(tag);
}

}  // namespace swf
