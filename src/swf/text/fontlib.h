// The glyph texture cache: every glyph of a movie's fonts rendered once,
// packed with a 3-pixel border into shared 256 x 256 alpha textures (identical
// images share one cell), so text at ordinary sizes draws textured quads.
// The same data comes from the font block of a ".gsc" cache file.
#pragma once
#include "swf/base/dyn_array.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class file_object;
class font;
class movie_definition_sub;
struct cached_glyph;

namespace fontlib {

// Renders, packs and assigns the cached glyphs of every glyph that has none;
// the movie keeps the textures.
void build_glyph_textures(const dyn_array<font*>& fonts, movie_definition_sub* m);

// Reads the font block of a ".gsc" file for `fonts`, the movie's own fonts by
// ascending id. A block that does not fit the fonts or the file is reported,
// and the file is left at its end.
void load_cached_font_data(file_object* file, const dyn_array<font*>& fonts, movie_definition_sub* m);

// One quad covering the glyph's outline in glyph units, through `m`.
void draw_cached_glyph(const matrix2x3& m, const cached_glyph& glyph, rgba_color color, int nominal_size);

// The pixel size of a 1024-unit em in the font's cached glyphs.
float cached_glyph_em_size(const font& f);

}  // namespace fontlib
}  // namespace swf
