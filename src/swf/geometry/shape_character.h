// A shape definition: the fill and line styles and the paths of a
// DefineShape tag, of a font glyph or of one end of a morph. It draws through
// tessellations, each made once for a tolerance and kept, largest tolerance
// first, so a shape shown at a steady size is tessellated once.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/base/dyn_array.h"
#include "swf/geometry/fill_style.h"
#include "swf/geometry/line_style.h"
#include "swf/geometry/shape_path.h"
#include "swf/geometry/tessellation.h"
#include "swf/movie/character_definition.h"
#include "swf/stream/bounds_rect.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"

namespace swf {

class bit_stream;
class movie;
class movie_definition_sub;

// What drawing a definition takes of the instance that shows it.
struct display_state {
  matrix2x3 world_matrix;
  color_xform world_cxform;
  float pixel_scale = 1;  // as the instance's parent reports it
  float ratio = 0;        // 0 .. 1, for morphs
};

// The state an instance on the stage is drawn with: its world transforms,
// its parent's pixel scale and its ratio.
display_state instance_display_state(movie* instance);

class shape_character : public character_definition, public tessellated_shape {
 public:
  // Reads a SHAPE record; styles come first in shape tags, not in glyphs and
  // morph ends.
  void read(bit_stream& in, int tag_type, bool with_styles, movie_definition_sub* m);

  // Draws with a cached tessellation that fits the on-screen scale, making
  // and keeping one when none does. A collapsed matrix draws nothing.
  virtual void display_with(const display_state& state);
  // The same with other styles than the shape's own: glyphs have none and
  // are drawn in their text's colour.
  void display_with_styles(const display_state& state, dyn_array<fill_style>& fills, dyn_array<line_style>& lines);

  void display(movie* instance) override { display_with(instance_display_state(instance)); }
  bool hit_test_local(float x, float y) override;
  float local_height() override { return bounds.y_max - bounds.y_min; }
  float local_width() override { return bounds.x_max - bounds.x_min; }
  bool load_cached_data(file_object* file) override;
  void save_cached_data(file_object* file) const;

  // The rectangle of every path start and edge anchor.
  void outline_bounds(bounds_rect* out) const;
  void tessellate_into(float tolerance, trapezoid_sink* sink) override;

  const std::vector<std::unique_ptr<tessellation>>& tessellations() const { return tessellations_; }

  dyn_array<fill_style> fill_styles;
  dyn_array<line_style> line_styles;
  dyn_array<shape_path> paths;
  bounds_rect bounds;

 protected:
  // The tolerance, in twips, for one pixel of error on screen; 0 when the
  // matrix collapses or the scale gives no finite tolerance.
  static float wanted_tolerance(const display_state& state);

 private:
  std::vector<std::unique_ptr<tessellation>> tessellations_;
};

}  // namespace swf
