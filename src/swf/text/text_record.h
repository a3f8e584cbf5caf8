// A run of glyphs in one font, colour and size: what static text tags store
// and what edit text lays its text out into. One routine draws the records
// of both kinds, glyph by glyph, from the glyph texture cache at ordinary
// sizes and from the outlines above them.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class font;
class movie;
class movie_definition_sub;

struct glyph_entry {
  int32_t index = -1;  // -1: a character the font lacks, drawn as a box
  float advance = 0;   // twips
};

struct text_record {
  int32_t font_id = -1;
  font* text_font = nullptr;  // resolved from the id when first drawn, or set by edit text
  rgba_color color;
  float x_offset = 0, y_offset = 0;  // the pen position the record starts at, when it has them
  float text_height = 1.0f;          // em size in twips
  bool has_x_offset = false, has_y_offset = false;
  dyn_array<glyph_entry> glyphs;
};

// Draws the records through the instance's world transforms after
// `text_matrix`. A record whose font cannot be found is skipped and reported.
void display_text_records(const matrix2x3& text_matrix, movie* instance, dyn_array<text_record>& records,
                          movie_definition_sub* m);

}  // namespace swf
