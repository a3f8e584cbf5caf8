#include "swf/geometry/fill_style.h"

#include <cmath>
#include <memory>

#include "swf/bitmap/pixel_image.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/render/render_backend.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kLinearRampWidth = 256;
constexpr int kRadialImageSize = 64;

bool is_gradient(int type) { return type == fill_style::kLinearGradient || type == fill_style::kRadialGradient; }
bool is_bitmap(int type) { return type == fill_style::kRepeatingBitmap || type == fill_style::kClippedBitmap; }
}  // namespace

matrix2x3 fill_style::gradient_matrix_for(int type, const matrix2x3& record) {
  // The SWF gradient square, -16384 .. 16384 twips, lands on the image.
  matrix2x3 m;
  if (type == kLinearGradient) {
    m.concatenate_translation(128, 0);
    m.concatenate_scale(1.0f / 128);
  } else {
    m.concatenate_translation(32, 32);
    m.concatenate_scale(1.0f / 512);
  }
  matrix2x3 inverse;
  inverse.set_inverse(record);
  m.concatenate(inverse);
  return m;
}

void fill_style::read(bit_stream& in, int tag_type, movie_definition_sub* m) {
  type = in.read_uint8();
  if (type == kSolid) {
    color.read(in, tag_type);
  } else if (is_gradient(type)) {
    matrix2x3 record;
    record.read(in);
    gradient_matrix = gradient_matrix_for(type, record);
    const int count = in.read_uint8();
    stops.resize(count);
    for (gradient_stop& stop : stops) {
      stop.ratio = in.read_uint8();
      stop.color.read(in, tag_type);
    }
    if (count > 0) color = stops[0].color;
    make_gradient_bitmap();
    if (m) m->keep_bitmap(gradient_bitmap.get());
  } else if (is_bitmap(type)) {
    const int id = in.read_uint16();
    bitmap = m ? m->find_bitmap_character(id) : nullptr;
    matrix2x3 record;
    record.read(in);
    bitmap_matrix.set_inverse(record);
  }
}

bool fill_style::apply(int side, float) {
  if (type == kSolid) {
    render::solid_fill(side, color);
    return true;
  }
  if (is_gradient(type)) {
    if (!gradient_bitmap) make_gradient_bitmap();
    render::textured_fill(side, gradient_bitmap.get(), gradient_matrix, 1);
    return true;
  }
  if (is_bitmap(type) && bitmap) {
    if (backend_bitmap* image = bitmap->get_bitmap()) {
      render::textured_fill(side, image, bitmap_matrix, type == kClippedBitmap ? 1 : 0);
      return true;
    }
  }
  return false;
}

void fill_style::set_lerp(const fill_style& a, const fill_style& b, float t) {
  type = a.type;
  color.set_lerp(a.color, b.color, t);
  gradient_matrix.set_lerp(a.gradient_matrix, b.gradient_matrix, t);
  for (int32_t i = 0; i < stops.size() && i < a.stops.size() && i < b.stops.size(); ++i) {
    const float ratio = a.stops[i].ratio + (b.stops[i].ratio - a.stops[i].ratio) * t + 0.5f;
    stops[i].ratio = static_cast<uint8_t>(static_cast<int>(ratio));
    stops[i].color.set_lerp(a.stops[i].color, b.stops[i].color, t);
  }
  gradient_bitmap = nullptr;
  bitmap = a.bitmap;
  bitmap_matrix.set_lerp(a.bitmap_matrix, b.bitmap_matrix, t);
}

rgba_color fill_style::sample_gradient(int r) const {
  if (stops.empty()) return color;
  if (r < stops[0].ratio) return stops[0].color;
  for (int32_t i = 1; i < stops.size(); ++i) {
    if (stops[i].ratio < r) continue;
    const gradient_stop& from = stops[i - 1];
    const gradient_stop& to = stops[i];
    const float t = to.ratio == from.ratio ? 0.0f : float(r - from.ratio) / float(to.ratio - from.ratio);
    rgba_color result;
    result.set_lerp(from.color, to.color, t);
    return result;
  }
  return stops[stops.size() - 1].color;
}

void fill_style::make_gradient_bitmap() {
  std::unique_ptr<rgba_image> image;
  if (type == kRadialGradient) {
    image.reset(make_rgba_image(kRadialImageSize, kRadialImageSize));
    const float centre = (kRadialImageSize - 1) / 2.0f;
    for (int y = 0; y < kRadialImageSize; ++y) {
      for (int x = 0; x < kRadialImageSize; ++x) {
        const float dx = (x - centre) / centre, dy = (y - centre) / centre;
        int ratio = static_cast<int>(std::floor(std::sqrt(dx * dx + dy * dy) * 255.5f));
        if (ratio > 255) ratio = 255;
        const rgba_color c = sample_gradient(ratio);
        image->set_pixel(x, y, c.r, c.g, c.b, c.a);
      }
    }
  } else {
    image.reset(make_rgba_image(kLinearRampWidth, 1));
    for (int x = 0; x < kLinearRampWidth; ++x) {
      const rgba_color c = sample_gradient(x);
      image->set_pixel(x, 0, c.r, c.g, c.b, c.a);
    }
  }
  gradient_bitmap = render::new_rgba_bitmap(image.get());
}

void read_fill_styles(dyn_array<fill_style>* styles, bit_stream& in, int tag_type, movie_definition_sub* m) {
  int count = in.read_uint8();
  if (tag_type > 2 && count == 0xFF) count = in.read_uint16();
  // A count beyond the tag's data stops where the data does.
  for (int i = 0; i < count && !in.overrun(); ++i) {
    styles->push_back(fill_style());
    styles->back().read(in, tag_type, m);
  }
}

}  // namespace swf
