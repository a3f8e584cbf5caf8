#include "recording_backend.h"

#include <cstdio>
#include <sstream>

#include "swf/bitmap/pixel_image.h"
#include "swf/render/backend_bitmap.h"

namespace swf_test {
namespace {
std::string Color(swf::rgba_color c) {
  char text[9];
  std::snprintf(text, sizeof text, "%02x%02x%02x%02x", c.r, c.g, c.b, c.a);
  return text;
}

std::string Matrix(const swf::matrix2x3& m) {
  std::ostringstream out;
  out << m.m00 << " " << m.m01 << " " << m.m02 << " " << m.m10 << " " << m.m11 << " " << m.m12;
  return out.str();
}

std::string Rect(const swf::bounds_rect& r) {
  std::ostringstream out;
  out << r.x_min << " " << r.x_max << " " << r.y_min << " " << r.y_max;
  return out.str();
}

std::string Bitmap(swf::backend_bitmap* bitmap) {
  return bitmap ? "#" + std::to_string(bitmap->texture_index) : std::string("null");
}

std::string Vertices(const int16_t* coords, int vertex_count) {
  std::ostringstream out;
  for (int i = 0; i < vertex_count; ++i) out << (i ? " " : "") << coords[2 * i] << "," << coords[2 * i + 1];
  return out.str();
}
}  // namespace

RecordingBackend::RecordingBackend() { swf::set_render_backend(this); }
RecordingBackend::~RecordingBackend() { swf::set_render_backend(nullptr); }

const RecordedBitmap* RecordingBackend::Find(swf::backend_bitmap* bitmap) const {
  const size_t index = static_cast<size_t>(bitmap->texture_index);
  return index >= 1 && index <= bitmaps_.size() ? &bitmaps_[index - 1] : nullptr;
}

std::vector<std::string> RecordingBackend::CallsNamed(const std::string& name) const {
  std::vector<std::string> found;
  for (const std::string& call : calls_)
    if (call.compare(0, name.size() + 1, name + " ") == 0) found.push_back(call);
  return found;
}

swf::backend_bitmap* RecordingBackend::Record(RecordedBitmap bitmap) {
  bitmaps_.push_back(std::move(bitmap));
  const RecordedBitmap& kept = bitmaps_.back();
  return new swf::backend_bitmap(static_cast<int32_t>(bitmaps_.size()), kept.width, kept.height);
}

swf::backend_bitmap* RecordingBackend::new_empty_bitmap() { return Record({}); }

swf::backend_bitmap* RecordingBackend::new_alpha_bitmap(int width, int height, const uint8_t* pixels) {
  RecordedBitmap bitmap{width, height, true, {}};
  for (int i = 0; i < width * height; ++i) bitmap.rgba.insert(bitmap.rgba.end(), {255, 255, 255, pixels[i]});
  return Record(std::move(bitmap));
}

swf::backend_bitmap* RecordingBackend::new_rgb_bitmap(swf::rgb_image* image) {
  RecordedBitmap bitmap{image->width, image->height, false, {}};
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* row = swf::image_row(image, y);
    for (int x = 0; x < image->width; ++x) bitmap.rgba.insert(bitmap.rgba.end(), {row[3 * x], row[3 * x + 1], row[3 * x + 2], 255});
  }
  return Record(std::move(bitmap));
}

swf::backend_bitmap* RecordingBackend::new_rgba_bitmap(swf::rgba_image* image) {
  RecordedBitmap bitmap{image->width, image->height, true, {}};
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* row = swf::image_row(image, y);
    bitmap.rgba.insert(bitmap.rgba.end(), row, row + 4 * image->width);
  }
  return Record(std::move(bitmap));
}

void RecordingBackend::release_bitmap(swf::backend_bitmap* bitmap) { Log("release_bitmap " + Bitmap(bitmap)); }

void RecordingBackend::start_frame(swf::rgba_color background, int x0, int y0, int width, int height, float x_min,
                                   float x_max, float y_min, float y_max) {
  std::ostringstream out;
  out << "start_frame " << Color(background) << " " << x0 << " " << y0 << " " << width << " " << height << " "
      << x_min << " " << x_max << " " << y_min << " " << y_max;
  Log(out.str());
}

void RecordingBackend::finish_frame() { Log("finish_frame"); }
void RecordingBackend::put_transform(const swf::matrix2x3& m) { Log("put_transform " + Matrix(m)); }

void RecordingBackend::put_color_transform(const swf::color_xform& cx) {
  std::ostringstream out;
  out << "put_color_transform " << cx.m[0][0] << " " << cx.m[1][0] << " " << cx.m[2][0] << " " << cx.m[3][0] << " "
      << cx.m[0][1] << " " << cx.m[1][1] << " " << cx.m[2][1] << " " << cx.m[3][1];
  Log(out.str());
}

void RecordingBackend::render_triangle_strip(const int16_t* coords, int vertex_count) {
  Log("render_triangle_strip " + Vertices(coords, vertex_count));
}

void RecordingBackend::render_polyline(const int16_t* coords, int vertex_count) {
  Log("render_polyline " + Vertices(coords, vertex_count));
}

void RecordingBackend::clear_fill(int side) { Log("clear_fill " + std::to_string(side)); }

void RecordingBackend::solid_fill(int side, swf::rgba_color color) {
  Log("solid_fill " + std::to_string(side) + " " + Color(color));
}

void RecordingBackend::textured_fill(int side, swf::backend_bitmap* bitmap, const swf::matrix2x3& m, int clamp) {
  Log("textured_fill " + std::to_string(side) + " " + Bitmap(bitmap) + " " + std::to_string(clamp) + " " + Matrix(m));
}

void RecordingBackend::clear_stroke() { Log("clear_stroke"); }
void RecordingBackend::solid_stroke(swf::rgba_color color) { Log("solid_stroke " + Color(color)); }

void RecordingBackend::stroke_width(float width) {
  std::ostringstream out;
  out << "stroke_width " << width;
  Log(out.str());
}

void RecordingBackend::render_bitmap(const swf::matrix2x3& m, swf::backend_bitmap* bitmap,
                                     const swf::bounds_rect& coords, const swf::bounds_rect& uv,
                                     swf::rgba_color color) {
  Log("render_bitmap " + Matrix(m) + " " + Bitmap(bitmap) + " " + Rect(coords) + " " + Rect(uv) + " " + Color(color));
}

void RecordingBackend::reserved_operation() { Log("reserved_operation"); }
void RecordingBackend::begin_mask() { Log("begin_mask"); }
void RecordingBackend::end_mask() { Log("end_mask"); }
void RecordingBackend::drop_mask() { Log("drop_mask"); }

}  // namespace swf_test
