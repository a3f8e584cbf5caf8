#include "swf/action/do_action_tag.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void do_action_tag::run(movie* m) { m->queue_actions(&buffer); }

void do_action_loader(bit_stream& in, int, movie_definition_sub* m) {
  do_action_tag* tag = new do_action_tag();
  tag->read(in);
  m->append_frame_tag(tag);
}

void do_init_action_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  log_message("  tag %d: do_init_action_loader\n", tag_type);
  const int sprite_id = in.read_uint16();
  log_message("  -- init actions for sprite %d\n", sprite_id);
  do_action_tag* tag = new do_action_tag();
  tag->read(in);
  m->append_init_tag(sprite_id, tag);
}

}  // namespace swf
