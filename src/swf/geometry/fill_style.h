// The paint of a shape's fills: a solid colour, a linear or radial gradient
// drawn from a small ramp image, or a bitmap.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/render/backend_bitmap.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

struct gradient_stop {
  uint8_t ratio = 0;
  rgba_color color;
};

class fill_style {
 public:
  static constexpr int kSolid = 0x00;
  static constexpr int kLinearGradient = 0x10;
  static constexpr int kRadialGradient = 0x12;
  static constexpr int kRepeatingBitmap = 0x40;
  static constexpr int kClippedBitmap = 0x41;

  virtual ~fill_style() = default;

  // Sets fill side `side` of the render backend. Answers false, and sets
  // nothing, for a fill that cannot be drawn (a bitmap fill without its
  // bitmap, a type the player does not know): its mesh is then left undrawn.
  virtual bool apply(int side, float ratio);

  void read(bit_stream& in, int tag_type, movie_definition_sub* m);
  // Blends two styles of one morph; this style already holds as many stops
  // as they do. The gradient image is made again by the next apply.
  void set_lerp(const fill_style& a, const fill_style& b, float t);

  // The ramp's colour at ratio r (0..255); a gradient without stops is its
  // fill colour throughout.
  rgba_color sample_gradient(int r) const;
  // Renders the ramp into its image, 256 x 1 for linear gradients, 64 x 64
  // for radial ones, and keeps the backend's bitmap of it.
  void make_gradient_bitmap();

  // The gradient matrix for the gradient's own MATRIX record: shape space to
  // the ramp image's pixels.
  static matrix2x3 gradient_matrix_for(int type, const matrix2x3& record);

  int32_t type = kSolid;
  rgba_color color;
  matrix2x3 gradient_matrix;
  dyn_array<gradient_stop> stops;
  counted_ptr<backend_bitmap> gradient_bitmap;
  counted_ptr<bitmap_character> bitmap;
  matrix2x3 bitmap_matrix;
};

// Appends a fill style array: an 8-bit count, 255 meaning a 16-bit count
// follows in shape tags after the first.
void read_fill_styles(dyn_array<fill_style>* styles, bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
