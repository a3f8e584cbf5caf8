#include "swf/text/text_record.h"

#include "swf/base/log.h"
#include "swf/geometry/fill_style.h"
#include "swf/geometry/line_style.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/render/render_backend.h"
#include "swf/script/movie.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"

namespace swf {
namespace {

// Pixels of a 1024-unit em per twip of text height and unit of scale.
constexpr float kEmPixelsPerTwip = 1024.0f / 20.0f;

// The outline of a missing glyph, in glyph units.
const int16_t kMissingGlyphBox[] = {32, 32, 480, 32, 480, -656, 32, -656, 32, 32};

// Glyphs carry no styles: they are filled with their record's colour
// through this one-style array.
dyn_array<fill_style>& glyph_fill_styles() {
  static dyn_array<fill_style>* const styles = [] {
    auto* made = new dyn_array<fill_style>;
    made->resize(1);
    return made;
  }();
  return *styles;
}

dyn_array<line_style>& no_line_styles() {
  static dyn_array<line_style> styles;
  return styles;
}

// Resolves the record's font once; false, reported, when there is none.
bool resolve_font(text_record& record, movie_definition_sub* m) {
  if (!record.text_font && m) record.text_font = m->find_font(record.font_id);
  if (record.text_font) return true;
  log_error("error: text style with undefined font; font_id = %d\n", static_cast<int>(record.font_id));
  return false;
}

}  // namespace

void display_text_records(const matrix2x3& text_matrix, movie* instance, dyn_array<text_record>& records,
                          movie_definition_sub* m) {
  matrix2x3 world = instance->get_world_matrix();
  world.concatenate(text_matrix);
  const color_xform cx = instance->get_world_color_transform();
  // Text keeps its own pixel scale, not its parent's as shapes do.
  const float pixel_scale = instance->get_pixel_scale();
  const float world_scale = world.max_scale();
  dyn_array<fill_style>& fills = glyph_fill_styles();

  float pen_x = 0, pen_y = 0;
  for (text_record& record : records) {
    if (!resolve_font(record, m)) continue;
    const font& f = *record.text_font;
    const float scale = record.text_height / 1024.0f;
    const float em_pixels = scale * world_scale * pixel_scale * kEmPixelsPerTwip;
    const bool use_bitmaps = fontlib::cached_glyph_em_size(f) >= em_pixels;
    if (record.has_x_offset) pen_x = record.x_offset;
    if (record.has_y_offset) pen_y = record.y_offset;
    fills[0].color = record.color;
    const rgba_color transformed = cx.transform(record.color);

    for (const glyph_entry& glyph : record.glyphs) {
      matrix2x3 glyph_matrix = world;
      glyph_matrix.concatenate_translation(pen_x, pen_y);
      glyph_matrix.concatenate_scale(scale);
      if (glyph.index == -1) {
        // The backend colours strokes through the colour transform last put.
        render::put_transform(glyph_matrix);
        render::put_color_transform(cx);
        render::solid_stroke(record.color);
        render::render_polyline(kMissingGlyphBox, 5);
      } else {
        const cached_glyph& cached = f.get_cached_glyph(glyph.index);
        shape_character* outline = f.get_glyph(glyph.index);
        if (cached.bitmap && (use_bitmaps || !outline)) {
          fontlib::draw_cached_glyph(glyph_matrix, cached, transformed, f.nominal_glyph_size());
        } else if (outline) {
          display_state state;
          state.world_matrix = glyph_matrix;
          state.world_cxform = cx;
          state.pixel_scale = pixel_scale;
          outline->display_with_styles(state, fills, no_line_styles());
        }
      }
      pen_x += glyph.advance;
    }
  }
}

}  // namespace swf
