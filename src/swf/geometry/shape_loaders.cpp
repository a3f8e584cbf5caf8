#include "swf/geometry/shape_loaders.h"

#include "swf/geometry/morph_shape.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void shape_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  shape_character* shape = new shape_character;
  shape->read(in, tag_type, true, m);
  m->define_character(id, shape);
}

void shape_morph_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  morph_shape* morph = new morph_shape;
  morph->read(in, tag_type, m);
  m->define_character(id, morph);
}

}  // namespace swf
