// The one drawing interface of the player. At most one implementation is
// installed for the process; the rest of the player calls the forwarding
// functions of swf::render, which do nothing (or hand out an empty bitmap)
// while none is installed.
#pragma once
#include <cstdint>

#include "swf/stream/bounds_rect.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class backend_bitmap;
struct rgb_image;
struct rgba_image;

class render_backend {
 public:
  virtual ~render_backend() = default;

  virtual backend_bitmap* new_empty_bitmap() = 0;
  // 8-bit coverage, rows of width bytes, top row first.
  virtual backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels) = 0;
  virtual backend_bitmap* new_rgb_bitmap(rgb_image* image) = 0;
  // The implementation may rewrite the image's pixels.
  virtual backend_bitmap* new_rgba_bitmap(rgba_image* image) = 0;
  virtual void release_bitmap(backend_bitmap* bitmap) = 0;

  virtual void start_frame(rgba_color background, int x0, int y0, int width, int height, float x_min, float x_max,
                           float y_min, float y_max) = 0;
  virtual void finish_frame() = 0;
  virtual void put_transform(const matrix2x3& m) = 0;
  virtual void put_color_transform(const color_xform& cx) = 0;
  // Coordinates are signed 16-bit x, y pairs in twips.
  virtual void render_triangle_strip(const int16_t* coords, int vertex_count) = 0;
  virtual void render_polyline(const int16_t* coords, int vertex_count) = 0;
  virtual void clear_fill(int side) = 0;
  virtual void solid_fill(int side, rgba_color color) = 0;
  // `m` maps shape space to bitmap pixels; clamp 0 repeats, 1 clamps.
  virtual void textured_fill(int side, backend_bitmap* bitmap, const matrix2x3& m, int clamp) = 0;
  virtual void clear_stroke() = 0;
  virtual void solid_stroke(rgba_color color) = 0;
  virtual void stroke_width(float width) = 0;
  virtual void render_bitmap(const matrix2x3& m, backend_bitmap* bitmap, const bounds_rect& coords,
                             const bounds_rect& uv, rgba_color color) = 0;
  virtual void reserved_operation() = 0;
  virtual void begin_mask() = 0;
  virtual void end_mask() = 0;
  virtual void drop_mask() = 0;
};

// Installs the backend (null removes it); the caller keeps ownership.
void set_render_backend(render_backend* backend);

namespace render {
backend_bitmap* new_empty_bitmap();
backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels);
backend_bitmap* new_rgb_bitmap(rgb_image* image);
backend_bitmap* new_rgba_bitmap(rgba_image* image);
void start_frame(rgba_color background, int x0, int y0, int width, int height, float x_min, float x_max, float y_min,
                 float y_max);
void finish_frame();
void put_transform(const matrix2x3& m);
void put_color_transform(const color_xform& cx);
void render_triangle_strip(const int16_t* coords, int vertex_count);
void render_polyline(const int16_t* coords, int vertex_count);
void solid_fill(int side, rgba_color color);
void textured_fill(int side, backend_bitmap* bitmap, const matrix2x3& m, int clamp);
void solid_stroke(rgba_color color);
void stroke_width(float width);
void render_bitmap(const matrix2x3& m, backend_bitmap* bitmap, const bounds_rect& coords, const bounds_rect& uv,
                   rgba_color color);
void begin_mask();
void end_mask();
void drop_mask();
}  // namespace render

}  // namespace swf
