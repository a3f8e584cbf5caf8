#include "swf/render/render_backend.h"

#include "swf/render/backend_bitmap.h"

namespace swf {
namespace {
render_backend* g_backend = nullptr;
}

void set_render_backend(render_backend* backend) { g_backend = backend; }

namespace render {

backend_bitmap* new_empty_bitmap() {
  render_backend* b = g_backend;
  return b ? b->new_empty_bitmap() : new backend_bitmap;
}

backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels) {
  render_backend* b = g_backend;
  return b ? b->new_alpha_bitmap(width, height, pixels) : new backend_bitmap;
}

backend_bitmap* new_rgb_bitmap(rgb_image* image) {
  render_backend* b = g_backend;
  return b ? b->new_rgb_bitmap(image) : new backend_bitmap;
}

backend_bitmap* new_rgba_bitmap(rgba_image* image) {
  render_backend* b = g_backend;
  return b ? b->new_rgba_bitmap(image) : new backend_bitmap;
}

void start_frame(rgba_color background, int x0, int y0, int width, int height, float x_min, float x_max, float y_min,
                 float y_max) {
  if (render_backend* b = g_backend) b->start_frame(background, x0, y0, width, height, x_min, x_max, y_min, y_max);
}

void finish_frame() {
  if (render_backend* b = g_backend) b->finish_frame();
}

void put_transform(const matrix2x3& m) {
  if (render_backend* b = g_backend) b->put_transform(m);
}

void put_color_transform(const color_xform& cx) {
  if (render_backend* b = g_backend) b->put_color_transform(cx);
}

void render_triangle_strip(const int16_t* coords, int vertex_count) {
  if (render_backend* b = g_backend) b->render_triangle_strip(coords, vertex_count);
}

void render_polyline(const int16_t* coords, int vertex_count) {
  if (render_backend* b = g_backend) b->render_polyline(coords, vertex_count);
}

void solid_fill(int side, rgba_color color) {
  if (render_backend* b = g_backend) b->solid_fill(side, color);
}

void textured_fill(int side, backend_bitmap* bitmap, const matrix2x3& m, int clamp) {
  if (render_backend* b = g_backend) b->textured_fill(side, bitmap, m, clamp);
}

void solid_stroke(rgba_color color) {
  if (render_backend* b = g_backend) b->solid_stroke(color);
}

void stroke_width(float width) {
  if (render_backend* b = g_backend) b->stroke_width(width);
}

void render_bitmap(const matrix2x3& m, backend_bitmap* bitmap, const bounds_rect& coords, const bounds_rect& uv,
                   rgba_color color) {
  if (render_backend* b = g_backend) b->render_bitmap(m, bitmap, coords, uv, color);
}

void begin_mask() {
  if (render_backend* b = g_backend) b->begin_mask();
}

void end_mask() {
  if (render_backend* b = g_backend) b->end_mask();
}

void drop_mask() {
  if (render_backend* b = g_backend) b->drop_mask();
}

}  // namespace render
}  // namespace swf
