// An edit text definition (DefineEditText): a text field's box, margins,
// font, colour, flags and initial text. Its instances lay their text out
// into text records.
#pragma once
#include <cstdint>

#include "swf/base/small_string.h"
#include "swf/movie/character_definition.h"
#include "swf/script/text_format.h"
#include "swf/stream/bounds_rect.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class bit_stream;
class font;
class movie_definition_sub;

class edit_text_char : public character_definition {
 public:
  enum alignment_type { LEFT = 0, RIGHT = 1, CENTER = 2, JUSTIFY = 3 };

  explicit edit_text_char(movie_definition_sub* owner) : owner(owner) {}
  ~edit_text_char() override;

  // The tag after its character id.
  void read(bit_stream& in);
  // A new edit text instance; resolves the font on the first one.
  movie* create_character(movie* parent, int id) override;

  movie_definition_sub* const owner;  // not counted: it keeps this definition
  bounds_rect bounds;
  small_string variable_name;
  text_format format;  // kept for scripts; layout does not read it
  bool word_wrap = false, multiline = false, password = false, read_only = false;
  bool auto_size = false;
  bool no_select = false, border = false, html = false, use_outlines = false;
  int32_t font_id = -1;
  font* text_font = nullptr;  // not counted: the movie keeps its fonts
  float text_height = 1.0f;
  rgba_color color{0, 0, 0, 255};
  int32_t max_length = 0;  // characters; 0 for no limit
  int32_t alignment = LEFT;
  float left_margin = 0, right_margin = 0, indent = 0, leading = 0;
  small_string initial_text;
};

// DefineEditText (37).
void edit_text_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
