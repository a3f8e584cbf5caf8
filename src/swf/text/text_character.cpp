#include "swf/text/text_character.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kTagDefineText = 11;
constexpr int kStyleHasFont = 0x08;
constexpr int kStyleHasColor = 0x04;
constexpr int kStyleHasYOffset = 0x02;
constexpr int kStyleHasXOffset = 0x01;
// Wider fields than 32 bits are no glyph index or advance a reader can hold.
constexpr int kMostFieldBits = 32;
}  // namespace

text_character::~text_character() = default;

void text_character::read(bit_stream& in, int tag_type) {
  bounds.read(in);
  text_matrix.read(in);
  const int glyph_bits = in.read_uint8();
  const int advance_bits = in.read_uint8();
  if (glyph_bits > kMostFieldBits || advance_bits > kMostFieldBits) {
    log_error("error: text glyph fields of %d and %d bits; no text records read\n", glyph_bits, advance_bits);
    return;
  }

  text_record style;
  bool last_was_style = false;
  for (;;) {
    const int b = in.read_uint8();
    if (b == 0 || in.overrun()) break;
    if (last_was_style) {
      log_message("  glyph_records: count = %d\n", b);
      text_record record = style;
      if (!read_glyphs(in, b, glyph_bits, advance_bits, &record)) break;
      records.push_back(record);
      last_was_style = false;
      continue;
    }
    log_message("  text style change\n");
    if (b & kStyleHasFont) {
      style.font_id = in.read_uint16();
      log_message("  has_font: font id = %d\n", static_cast<int>(style.font_id));
    }
    if (b & kStyleHasColor) {
      if (tag_type == kTagDefineText) {
        style.color.read_rgb(in);
      } else {
        style.color.read_rgba(in);
      }
      log_message("  has_color\n");
    }
    style.has_x_offset = b & kStyleHasXOffset;
    style.x_offset = style.has_x_offset ? static_cast<int16_t>(in.read_uint16()) : 0.0f;
    if (style.has_x_offset) log_message("  has_x_offset = %g\n", style.x_offset);
    style.has_y_offset = b & kStyleHasYOffset;
    style.y_offset = style.has_y_offset ? static_cast<int16_t>(in.read_uint16()) : 0.0f;
    if (style.has_y_offset) log_message("  has_y_offset = %g\n", style.y_offset);
    if (b & kStyleHasFont) {
      style.text_height = in.read_uint16();
      log_message("  text_height = %g\n", style.text_height);
    }
    last_was_style = true;
  }
  log_message("end text records\n");
}

bool text_character::read_glyphs(bit_stream& in, int count, int glyph_bits, int advance_bits, text_record* record) {
  // The stream's position is in bytes; bits already taken from the current
  // byte make the test a little generous, never short.
  const int64_t bytes_needed = (static_cast<int64_t>(count) * (glyph_bits + advance_bits) + 7) / 8;
  if (bytes_needed > in.tag_end_offset() - in.tell_offset()) {
    log_error("error: %d glyph records run past the text tag\n", count);
    return false;
  }
  record->glyphs.resize(count);
  for (glyph_entry& glyph : record->glyphs) {
    glyph.index = static_cast<int32_t>(in.read_bits(glyph_bits));
    glyph.advance = static_cast<float>(in.read_signed_bits(advance_bits));
  }
  return true;
}

void text_character::display(movie* instance) { display_text_records(text_matrix, instance, records, owner_); }

void text_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  text_character* text = new text_character(m);
  text->read(in, tag_type);
  m->define_character(id, text);
}

}  // namespace swf
