#include "swf/text/glyph_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "swf/geometry/shape_character.h"
#include "swf/geometry/trapezoid_tessellator.h"

namespace swf {
namespace {

constexpr float kScale = glyph_rasterizer::kRenderSize / glyph_rasterizer::kGlyphSpace;
// Half a render pixel, in glyph units.
constexpr float kTolerance = glyph_rasterizer::kGlyphSpace / glyph_rasterizer::kRenderSize * 0.5f;
constexpr int kFactor = glyph_rasterizer::kRenderSize / glyph_rasterizer::kNominalSize;

// Fills the trapezoids of the outline into the render buffer.
class raster_sink : public trapezoid_sink {
 public:
  raster_sink(uint8_t* buffer, float offset_x, float offset_y)
      : buffer_(buffer), offset_x_(offset_x * kScale), offset_y_(offset_y * kScale) {}

  void take_trapezoid(int, const trapezoid& t) override {
    const double y0 = t.y0 * kScale + offset_y_, y1 = t.y1 * kScale + offset_y_;
    const double lx0 = t.left_x0 * kScale + offset_x_, lx1 = t.left_x1 * kScale + offset_x_;
    const double rx0 = t.right_x0 * kScale + offset_x_, rx1 = t.right_x1 * kScale + offset_x_;
    const double first = std::max(std::ceil(y0), 0.0);
    const double last = std::min(std::ceil(y1) - 1.0, kRenderSize - 1.0);
    for (double row = first; row <= last; ++row) {
      const double t_row = (row - y0) / (y1 - y0);
      const int left = column(std::ceil(lx0 + (lx1 - lx0) * t_row));
      const int right = column(std::ceil(rx0 + (rx1 - rx0) * t_row));
      if (left < right) {
        std::memset(buffer_ + static_cast<int>(row) * kRenderSize + left, 255, static_cast<size_t>(right - left));
        first_row = std::min(first_row, static_cast<int>(row));
        last_row = std::max(last_row, static_cast<int>(row));
        first_column = std::min(first_column, left);
        last_column = std::max(last_column, right - 1);
      }
    }
  }
  void take_outline(int, const float*, int) override {}

  // The rows and columns that were filled; none while last_row < 0.
  int first_row = kRenderSize, last_row = -1;
  int first_column = kRenderSize, last_column = -1;

 private:
  static constexpr int kRenderSize = glyph_rasterizer::kRenderSize;
  static int column(double x) {
    if (!(x >= 0.0)) return 0;
    return x > kRenderSize - 1 ? kRenderSize - 1 : static_cast<int>(x);
  }

  uint8_t* buffer_;
  double offset_x_, offset_y_;
};

}  // namespace

glyph_rasterizer::glyph_rasterizer() : buffer_(new uint8_t[kRenderSize * kRenderSize]()) {}

rasterized_glyph glyph_rasterizer::rasterize(shape_character* glyph, const bounds_rect& outline) {
  rasterized_glyph out;
  const float offset_x = outline.x_min < 0 ? -outline.x_min : 0.0f;
  const float offset_y = outline.y_max > 0 ? kGlyphSpace - outline.y_max : kGlyphSpace;
  raster_sink sink(buffer_.get(), offset_x, offset_y);
  glyph->tessellate_into(kTolerance, &sink);
  if (sink.last_row < 0) return out;

  // Only the output pixels over what was filled can be covered; the buffer
  // is left clear for the next glyph.
  uint8_t coverage[kNominalSize * kNominalSize];
  int min_x = kNominalSize, max_x = -1, min_y = kNominalSize, max_y = -1;
  for (int y = sink.first_row / kFactor; y <= sink.last_row / kFactor; ++y) {
    for (int x = sink.first_column / kFactor; x <= sink.last_column / kFactor; ++x) {
      int sum = 0;
      for (int sy = 0; sy < kFactor; ++sy) {
        const uint8_t* row = buffer_.get() + (y * kFactor + sy) * kRenderSize + x * kFactor;
        for (int sx = 0; sx < kFactor; ++sx) sum += row[sx];
      }
      coverage[y * kNominalSize + x] = static_cast<uint8_t>(sum / (kFactor * kFactor));
      if (sum > 15) {
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
      }
    }
  }
  for (int row = sink.first_row; row <= sink.last_row; ++row) {
    std::memset(buffer_.get() + row * kRenderSize + sink.first_column, 0,
                static_cast<size_t>(sink.last_column - sink.first_column + 1));
  }
  if (max_x < 0) return out;
  out.image.reset(new alpha_image(max_x - min_x + 1, max_y - min_y + 1));
  for (int y = min_y; y <= max_y; ++y) {
    std::memcpy(out.image->data + (y - min_y) * out.image->pitch, coverage + y * kNominalSize + min_x,
                static_cast<size_t>(max_x - min_x + 1));
  }
  out.offset_x = offset_x * kNominalSize / kGlyphSpace - min_x;
  out.offset_y = offset_y * kNominalSize / kGlyphSpace - min_y;
  return out;
}

}  // namespace swf
