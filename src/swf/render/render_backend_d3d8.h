// The player's drawing on the engine's Direct3D 8 device, inside the
// engine's scene. Coordinates stay in twips up to the device: the shape
// matrix is the world transform and an orthographic projection maps the
// movie's frame onto the viewport. Colours travel as the texture factor,
// bitmap fills take their texture coordinates from camera-space positions,
// and masks live in the stencil buffer.
#pragma once
#include <cstdint>

#include "platform/d3d8/d3d8.h"
#include "swf/render/render_backend.h"

namespace swf {

class render_backend_d3d8 : public render_backend {
 public:
  // Takes a reference on the device and probes the texture formats it keeps.
  explicit render_backend_d3d8(IDirect3DDevice8* device);
  ~render_backend_d3d8() override;
  render_backend_d3d8(const render_backend_d3d8&) = delete;
  render_backend_d3d8& operator=(const render_backend_d3d8&) = delete;

  backend_bitmap* new_empty_bitmap() override;
  backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels) override;
  backend_bitmap* new_rgb_bitmap(rgb_image* image) override;
  backend_bitmap* new_rgba_bitmap(rgba_image* image) override;
  void release_bitmap(backend_bitmap* bitmap) override;

  void start_frame(rgba_color background, int x0, int y0, int width, int height, float x_min, float x_max,
                   float y_min, float y_max) override;
  void finish_frame() override;
  void put_transform(const matrix2x3& m) override;
  void put_color_transform(const color_xform& cx) override;
  void render_triangle_strip(const int16_t* coords, int vertex_count) override;
  void render_polyline(const int16_t* coords, int vertex_count) override;
  void clear_fill(int side) override;
  void solid_fill(int side, rgba_color color) override;
  void textured_fill(int side, backend_bitmap* bitmap, const matrix2x3& m, int clamp) override;
  void clear_stroke() override;
  void solid_stroke(rgba_color color) override;
  void stroke_width(float width) override;
  void render_bitmap(const matrix2x3& m, backend_bitmap* bitmap, const bounds_rect& coords, const bounds_rect& uv,
                     rgba_color color) override;
  void reserved_operation() override;
  void begin_mask() override;
  void end_mask() override;
  void drop_mask() override;

  // The formats chosen at construction.
  D3DFORMAT rgb_format() const { return rgb_format_; }
  D3DFORMAT rgba_format() const { return rgba_format_; }
  D3DFORMAT alpha_format() const { return alpha_format_; }
  // The texture of a bitmap this backend made; null for any other bitmap or
  // one whose texture could not be made.
  static IDirect3DTexture8* texture_of(const backend_bitmap* bitmap);

 private:
  enum style_mode { kModeOff = 0, kModeSolid = 1, kModeRepeated = 2, kModeClamped = 3 };
  enum style_index { kFillSide0 = 0, kFillSide1 = 1, kLineStyle = 2 };
  struct draw_style {
    int32_t mode = kModeOff;
    rgba_color color;
    backend_bitmap* bitmap = nullptr;  // not counted
    matrix2x3 bitmap_matrix;
    color_xform cxform;  // bitmap modes: multipliers in [0, 1], addends in [-255, 255]
    bool additive_pass = false;
  };

  void probe_formats();
  backend_bitmap* make_bitmap(int width, int height, D3DFORMAT format, bool may_widen, const void* pixels,
                              D3DFORMAT source_format, int pitch);
  void apply_style(const draw_style& style);
  void set_world_from_current_matrix();
  // Fills the mesh buffer with the points at z 1 and binds it; false, with
  // an error line, when it cannot.
  bool upload_mesh(const int16_t* coords, int vertex_count);

  IDirect3DDevice8* device_;
  D3DFORMAT rgb_format_ = D3DFMT_A8R8G8B8;
  D3DFORMAT rgba_format_ = D3DFMT_A8R8G8B8;
  D3DFORMAT alpha_format_ = D3DFMT_A8R8G8B8;
  matrix2x3 matrix_;
  color_xform cxform_;
  IDirect3DVertexBuffer8* mesh_buffer_ = nullptr;
  IDirect3DVertexBuffer8* glyph_buffer_ = nullptr;
  int32_t mesh_capacity_ = 0;
  D3DVIEWPORT8 saved_viewport_{};
  // The transforms the frame replaced, put back when it finishes.
  D3DMATRIX saved_view_{}, saved_world_{}, saved_projection_{};
  DWORD saved_color_writes_ = 0xF;
  draw_style styles_[3];
};

// Null without a device or when allocation fails.
render_backend_d3d8* create_render_backend_d3d8(IDirect3DDevice8* device);

}  // namespace swf
