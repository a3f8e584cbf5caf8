// A font a movie defines (DefineFont, DefineFontInfo, DefineFont2) or
// imports: glyph outlines in a 1024-unit em square, the code table from
// character codes to glyph indices, the layout of DefineFont2 fonts, and per
// glyph the cached image the glyph texture cache made for it.
#pragma once
#include <cstdint>
#include <memory>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/base/open_hash.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/character_definition.h"
#include "swf/render/backend_bitmap.h"
#include "swf/stream/bounds_rect.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

// Where a glyph lies in a cache texture. Texture coordinates run 0..1.
struct cached_glyph {
  counted_ptr<backend_bitmap> bitmap;  // null: the glyph has no cached image
  bounds_rect bounds;                  // the glyph's cell, border included
  float origin_x = 0, origin_y = 0;    // the pen position
};

// A pair of character codes, for the kerning table.
struct kerning_pair {
  uint16_t previous = 0;
  uint16_t code = 0;
};

class font : public library_item {
 public:
  explicit font(movie_definition_sub* owning_movie) : owning_movie(owning_movie) {}
  font* as_font() override { return this; }

  // DefineFont (tag type 10) or DefineFont2 (48); other types do nothing.
  void read(bit_stream& in, int tag_type, movie_definition_sub* m);
  // DefineFontInfo, after the DefineFont it names.
  void read_font_info(bit_stream& in);

  int glyph_count() const { return glyphs_.size(); }
  // Null outside 0 .. glyph count - 1.
  shape_character* get_glyph(int index) const;
  // Outside the glyphs, a shared empty one.
  const cached_glyph& get_cached_glyph(int index) const;
  // The caller checks the index.
  void add_cached_glyph(int index, const cached_glyph& glyph) { cached_glyphs_[index] = glyph; }
  void wipe_cached_glyphs();
  // -1 for a code the font does not map.
  int get_glyph_index(uint16_t code) const;
  // 512 for index -1, 0 past the advance table.
  float get_advance(int glyph_index) const;
  float get_kerning_adjustment(uint16_t previous_code, uint16_t code) const;
  const char* get_name() const { return name_.get(); }

  int nominal_glyph_size() const { return nominal_size_; }
  void set_nominal_glyph_size(int pixels) { nominal_size_ = pixels < 1 ? 1 : pixels; }

  bool is_small_text() const { return small_text_; }
  bool is_shift_jis() const { return shift_jis_; }
  bool is_ansi() const { return ansi_; }
  bool is_italic() const { return italic_; }
  bool is_bold() const { return bold_; }
  bool has_wide_codes() const { return wide_codes_; }
  float ascent() const { return ascent_; }
  float descent() const { return descent_; }
  float leading() const { return leading_; }

  movie_definition_sub* const owning_movie;  // not counted

 private:
  void read_define_font(bit_stream& in, movie_definition_sub* m);
  void read_define_font_2(bit_stream& in, movie_definition_sub* m);
  // Sizes the glyph tables and reads each outline at `table_start` + its offset.
  void read_glyphs(bit_stream& in, int tag_type, int64_t table_start, const dyn_array<uint32_t>& offsets,
                   movie_definition_sub* m);
  void read_code_table(bit_stream& in);
  void read_layout(bit_stream& in);

  dyn_array<counted_ptr<shape_character>> glyphs_;
  dyn_array<cached_glyph> cached_glyphs_;
  int32_t nominal_size_ = 96;
  std::unique_ptr<char[]> name_;
  bool small_text_ = false;
  bool shift_jis_ = false;
  bool ansi_ = true;
  bool italic_ = false;
  bool bold_ = false;
  bool wide_codes_ = false;
  open_hash<uint16_t, int32_t> code_table_;
  float ascent_ = 0, descent_ = 0, leading_ = 0;
  dyn_array<float> advances_;
  open_hash<kerning_pair, float> kerning_;
};

// DefineFont and DefineFont2 (the font reads itself), DefineFontInfo.
void define_font_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
void define_font_info_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
