// A render backend for tests: installs itself for its lifetime, keeps the
// image of every bitmap it makes and logs every other call with its
// arguments, one line a call:
//   put_transform 1 0 0 0 1 0          (m00 m01 m02 m10 m11 m12)
//   put_color_transform 1 1 1 1 0 0 0 0 (multipliers, then addends)
//   render_triangle_strip 0,0 100,0 ...  (the vertices)
//   solid_fill 0 ff0000ff                (side, RGBA)
//   textured_fill 0 #2 1 <matrix>        (side, texture index, clamp)
// Bitmaps are "#N", N being the texture index, 1 + the bitmap's place in
// the record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "swf/render/render_backend.h"

namespace swf_test {

struct RecordedBitmap {
  int width = 0;
  int height = 0;
  bool has_alpha = false;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, alpha 255 for RGB images
};

class RecordingBackend : public swf::render_backend {
 public:
  RecordingBackend();
  ~RecordingBackend() override;
  const RecordedBitmap* Find(swf::backend_bitmap* bitmap) const;
  size_t BitmapCount() const { return bitmaps_.size(); }
  const std::vector<std::string>& Calls() const { return calls_; }
  // The logged calls whose line begins with `name` and a space.
  std::vector<std::string> CallsNamed(const std::string& name) const;
  void ClearCalls() { calls_.clear(); }

  swf::backend_bitmap* new_empty_bitmap() override;
  swf::backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels) override;
  swf::backend_bitmap* new_rgb_bitmap(swf::rgb_image* image) override;
  swf::backend_bitmap* new_rgba_bitmap(swf::rgba_image* image) override;
  void release_bitmap(swf::backend_bitmap* bitmap) override;
  void start_frame(swf::rgba_color background, int x0, int y0, int width, int height, float x_min, float x_max,
                   float y_min, float y_max) override;
  void finish_frame() override;
  void put_transform(const swf::matrix2x3& m) override;
  void put_color_transform(const swf::color_xform& cx) override;
  void render_triangle_strip(const int16_t* coords, int vertex_count) override;
  void render_polyline(const int16_t* coords, int vertex_count) override;
  void clear_fill(int side) override;
  void solid_fill(int side, swf::rgba_color color) override;
  void textured_fill(int side, swf::backend_bitmap* bitmap, const swf::matrix2x3& m, int clamp) override;
  void clear_stroke() override;
  void solid_stroke(swf::rgba_color color) override;
  void stroke_width(float width) override;
  void render_bitmap(const swf::matrix2x3& m, swf::backend_bitmap* bitmap, const swf::bounds_rect& coords,
                     const swf::bounds_rect& uv, swf::rgba_color color) override;
  void reserved_operation() override;
  void begin_mask() override;
  void end_mask() override;
  void drop_mask() override;

 private:
  swf::backend_bitmap* Record(RecordedBitmap bitmap);
  void Log(const std::string& line) { calls_.push_back(line); }

  std::vector<RecordedBitmap> bitmaps_;
  std::vector<std::string> calls_;
};

}  // namespace swf_test
