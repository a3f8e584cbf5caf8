// Renders one glyph outline into a small anti-aliased coverage image: the
// outline's 1536-unit square is filled at 384 x 384 pixels, box-filtered down
// to 96 x 96 and cropped to the covered pixels.
#pragma once
#include <memory>

#include "swf/bitmap/pixel_image.h"
#include "swf/stream/bounds_rect.h"

namespace swf {

class shape_character;

struct rasterized_glyph {
  std::unique_ptr<alpha_image> image;  // null when no pixel is covered
  float offset_x = 0, offset_y = 0;    // the glyph origin in the image, in pixels
};

class glyph_rasterizer {
 public:
  static constexpr float kGlyphSpace = 1536.0f;
  static constexpr int kNominalSize = 96;
  static constexpr int kRenderSize = 384;

  glyph_rasterizer();
  // Lays the glyph right of x = 0 with its lowest point at most at the
  // bottom of the square, as its outline bounds say.
  rasterized_glyph rasterize(shape_character* glyph, const bounds_rect& outline);

 private:
  std::unique_ptr<uint8_t[]> buffer_;  // kRenderSize x kRenderSize
};

}  // namespace swf
