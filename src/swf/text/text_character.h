// Static text (DefineText, DefineText2): text records positioned by the
// tag's matrix, drawn by the instance that shows the definition.
#pragma once
#include "swf/base/dyn_array.h"
#include "swf/movie/character_definition.h"
#include "swf/stream/bounds_rect.h"
#include "swf/stream/matrix2x3.h"
#include "swf/text/text_record.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

class text_character : public character_definition {
 public:
  explicit text_character(movie_definition_sub* owner) : owner_(owner) {}
  ~text_character() override;

  // The tag after its character id; tag type 11 stores RGB colours, 33 RGBA.
  void read(bit_stream& in, int tag_type);
  void display(movie* instance) override;

  bounds_rect bounds;
  matrix2x3 text_matrix;
  dyn_array<text_record> records;

 private:
  // Reads the glyph entries of one record; false when the tag cannot hold them.
  bool read_glyphs(bit_stream& in, int count, int glyph_bits, int advance_bits, text_record* record);

  movie_definition_sub* owner_;  // not counted: it keeps this definition
};

// DefineText (11) and DefineText2 (33).
void text_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
