#include "swf/movie/set_background_color.h"

#include "swf/movie/movie_definition_sub.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void set_background_color::run(movie* m) {
  rgba_color backdrop = color;
  backdrop.a = static_cast<uint8_t>(static_cast<int>(m->get_backdrop_alpha() * 255 + 0.5f));
  m->set_backdrop_color(backdrop);
}

void set_background_color_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  set_background_color* tag = new set_background_color;
  tag->color.read_rgb(in);
  m->append_frame_tag(tag);
}

}  // namespace swf
