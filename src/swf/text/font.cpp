#include "swf/text/font.h"

#include "swf/base/log.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kTagDefineFont = 10;
constexpr int kTagDefineFont2 = 48;
constexpr int kTagDefineShape = 2;
constexpr int kTagDefineShape2 = 22;
}  // namespace

void font::read(bit_stream& in, int tag_type, movie_definition_sub* m) {
  if (tag_type == kTagDefineFont) {
    read_define_font(in, m);
  } else if (tag_type == kTagDefineFont2) {
    read_define_font_2(in, m);
  }
}

void font::read_glyphs(bit_stream& in, int tag_type, int64_t table_start, const dyn_array<uint32_t>& offsets,
                       movie_definition_sub* m) {
  glyphs_.resize(offsets.size());
  cached_glyphs_.resize(offsets.size());
  for (int32_t i = 0; i < offsets.size(); ++i) {
    in.seek_offset(table_start + offsets[i]);
    shape_character* glyph = new shape_character;
    glyph->read(in, tag_type, false, m);
    glyphs_[i] = glyph;
  }
}

namespace {
// Reads `count` glyph offsets; a table cut short by the end of the tag keeps
// the offsets that came whole, so a corrupt count makes no phantom glyphs.
void read_offsets(bit_stream& in, int32_t count, bool wide, dyn_array<uint32_t>* offsets) {
  for (int32_t i = offsets->size(); i < count; ++i) {
    const uint32_t offset = wide ? in.read_uint32() : in.read_uint16();
    if (in.overrun()) {
      log_error("error: font offset table runs past its tag; %d of %d glyphs kept\n", static_cast<int>(i),
                static_cast<int>(count));
      return;
    }
    offsets->push_back(offset);
  }
}
}  // namespace

void font::read_define_font(bit_stream& in, movie_definition_sub* m) {
  const int64_t table_start = in.tell_offset();
  dyn_array<uint32_t> offsets;
  const uint32_t first = in.read_uint16();
  log_message("offset[0] = %d\n", static_cast<int>(first));
  if (first >= 2 && !in.overrun()) {
    offsets.push_back(first);
    read_offsets(in, static_cast<int32_t>(first / 2), false, &offsets);
    for (int32_t i = 1; i < offsets.size(); ++i) {
      log_message("offset[%d] = %d\n", static_cast<int>(i), static_cast<int>(offsets[i]));
    }
  }
  read_glyphs(in, kTagDefineShape, table_start, offsets, m);
}

void font::read_define_font_2(bit_stream& in, movie_definition_sub* m) {
  const bool has_layout = in.read_bits(1);
  shift_jis_ = in.read_bits(1);
  small_text_ = in.read_bits(1);
  ansi_ = in.read_bits(1);
  const bool wide_offsets = in.read_bits(1);
  wide_codes_ = in.read_bits(1);
  italic_ = in.read_bits(1);
  bold_ = in.read_bits(1);
  in.read_uint8();  // language
  name_ = in.read_pstring();
  const int32_t count = in.read_uint16();
  const int64_t table_start = in.tell_offset();
  dyn_array<uint32_t> offsets;
  read_offsets(in, count, wide_offsets, &offsets);
  const uint32_t code_table_offset = wide_offsets ? in.read_uint32() : in.read_uint16();
  read_glyphs(in, kTagDefineShape2, table_start, offsets, m);
  // Glyph data that does not end where the code table starts leaves the
  // font without codes and layout: nothing after it can be trusted.
  if (in.tell_offset() != table_start + code_table_offset) return;
  read_code_table(in);
  if (has_layout) read_layout(in);
}

void font::read_font_info(bit_stream& in) {
  name_ = in.read_pstring();
  const uint8_t flags = in.read_uint8();
  small_text_ = flags & 0x20;
  shift_jis_ = flags & 0x10;
  ansi_ = flags & 0x08;
  italic_ = flags & 0x04;
  bold_ = flags & 0x02;
  wide_codes_ = flags & 0x01;
  read_code_table(in);
}

void font::read_code_table(bit_stream& in) {
  for (int32_t i = 0; i < glyphs_.size(); ++i) {
    const uint16_t code = wide_codes_ ? in.read_uint16() : in.read_uint8();
    code_table_.set(code, i);
  }
}

void font::read_layout(bit_stream& in) {
  ascent_ = static_cast<int16_t>(in.read_uint16());
  descent_ = static_cast<int16_t>(in.read_uint16());
  leading_ = static_cast<int16_t>(in.read_uint16());
  advances_.resize(glyphs_.size());
  for (float& advance : advances_) advance = static_cast<int16_t>(in.read_uint16());
  for (int32_t i = 0; i < glyphs_.size(); ++i) {
    bounds_rect unused;
    unused.read(in);
  }
  const int32_t kerning_count = in.read_uint16();
  for (int32_t i = 0; i < kerning_count; ++i) {
    kerning_pair pair;
    pair.previous = wide_codes_ ? in.read_uint16() : in.read_uint8();
    pair.code = wide_codes_ ? in.read_uint16() : in.read_uint8();
    kerning_.set(pair, static_cast<int16_t>(in.read_uint16()));
  }
}

shape_character* font::get_glyph(int index) const {
  return index >= 0 && index < glyphs_.size() ? glyphs_[index].get() : nullptr;
}

const cached_glyph& font::get_cached_glyph(int index) const {
  static const cached_glyph empty;
  return index >= 0 && index < cached_glyphs_.size() ? cached_glyphs_[index] : empty;
}

void font::wipe_cached_glyphs() {
  for (cached_glyph& glyph : cached_glyphs_) glyph = cached_glyph();
}

int font::get_glyph_index(uint16_t code) const {
  int32_t index = -1;
  code_table_.get(code, &index);
  return index;
}

float font::get_advance(int glyph_index) const {
  if (glyph_index == -1) return 512.0f;
  if (advances_.empty()) {
    static bool reported = false;
    if (!reported) {
      reported = true;
      log_error("error: empty advance table in font %s\n", name_ ? name_.get() : "<null>");
    }
    return 0.0f;
  }
  return glyph_index >= 0 && glyph_index < advances_.size() ? advances_[glyph_index] : 0.0f;
}

float font::get_kerning_adjustment(uint16_t previous_code, uint16_t code) const {
  kerning_pair pair;
  pair.previous = previous_code;
  pair.code = code;
  float adjustment = 0.0f;
  kerning_.get(pair, &adjustment);
  return adjustment;
}

void define_font_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  font* f = new font(m);
  f->read(in, tag_type, m);
  m->define_font(id, f);
}

void define_font_info_loader(bit_stream& in, int, movie_definition_sub* m) {
  const int id = in.read_uint16();
  font* f = m->find_font(id);
  if (!f) {
    log_error("define_font_info_loader: can't find font w/ id %d\n", id);
    return;
  }
  f->read_font_info(in);
}

}  // namespace swf
