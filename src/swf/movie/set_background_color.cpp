#include "swf/movie/set_background_color.h"

#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void set_background_color_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  set_background_color* tag = new set_background_color;
  tag->color.read_rgb(in);
  m->append_frame_tag(tag);
}

}  // namespace swf
