#include "swf/text/edit_text_char.h"

#include <memory>

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/edit_text_character.h"

namespace swf {

edit_text_char::~edit_text_char() = default;

void edit_text_char::read(bit_stream& in) {
  bounds.read(in);
  in.align_to_byte();
  const bool has_text = in.read_bits(1);
  word_wrap = in.read_bits(1);
  multiline = in.read_bits(1);
  password = in.read_bits(1);
  read_only = in.read_bits(1);
  const bool has_color = in.read_bits(1);
  const bool has_max_length = in.read_bits(1);
  const bool has_font = in.read_bits(1);
  in.read_bits(1);
  auto_size = in.read_bits(1);
  const bool has_layout = in.read_bits(1);
  no_select = in.read_bits(1);
  border = in.read_bits(1);
  in.read_bits(1);
  html = in.read_bits(1);
  use_outlines = in.read_bits(1);

  if (has_font) {
    font_id = in.read_uint16();
    text_height = in.read_uint16();
  }
  if (has_color) color.read_rgba(in);
  if (has_max_length) max_length = in.read_uint16();
  if (has_layout) {
    alignment = in.read_uint8();
    left_margin = in.read_uint16();
    right_margin = in.read_uint16();
    indent = static_cast<int16_t>(in.read_uint16());
    leading = static_cast<int16_t>(in.read_uint16());
  }
  std::unique_ptr<char[]> name = in.read_cstring();
  variable_name = name ? name.get() : "";
  if (has_text) {
    std::unique_ptr<char[]> text = in.read_cstring();
    initial_text = text ? text.get() : "";
  }
}

movie* edit_text_char::create_character(movie* parent, int id) {
  if (!text_font) {
    text_font = owner->find_font(font_id);
    if (!text_font) log_error("error: text style with undefined font; font_id = %d\n", static_cast<int>(font_id));
  }
  movie* instance = new edit_text_character(parent, this, id);
  instance->name = variable_name;
  return instance;
}

void edit_text_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int id = in.read_uint16();
  log_message("edit_text_char, id = %d\n", id);
  edit_text_char* text = new edit_text_char(m);
  text->read(in);
  m->define_character(id, text);
}

}  // namespace swf
