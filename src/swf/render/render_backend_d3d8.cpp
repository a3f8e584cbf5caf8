#include "swf/render/render_backend_d3d8.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/d3dx/d3dx8.h"
#include "swf/base/dyn_array.h"
#include "swf/base/log.h"
#include "swf/bitmap/pixel_image.h"
#include "swf/render/backend_bitmap.h"
#include "swf/stream/point2.h"

namespace swf {
namespace {

constexpr DWORD kMeshFvf = D3DFVF_XYZ;
constexpr UINT kMeshStride = 12;
constexpr DWORD kGlyphFvf = D3DFVF_XYZ | D3DFVF_TEX1;
constexpr UINT kGlyphStride = 20;
constexpr int32_t kInitialMeshCapacity = 128;
constexpr DWORD kDynamicUsage = D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY;
constexpr int kLargestTextureSide = 1 << 16;

// Every texture the backends made, by bitmap texture index; an entry is null
// once freed or when its texture could not be made. Never destroyed: bitmaps
// that tables of other static lifetime hold may die after it at exit.
dyn_array<IDirect3DTexture8*>& texture_table() {
  using table_type = dyn_array<IDirect3DTexture8*>;
  alignas(table_type) static unsigned char storage[sizeof(table_type)];
  static table_type* table = new (storage) table_type;
  return *table;
}

// A bitmap of this backend frees its texture when it dies, so textures made
// at every display (morph gradients) do not pile up.
class d3d8_bitmap : public backend_bitmap {
 public:
  d3d8_bitmap(int32_t texture_index, int32_t width, int32_t height) : backend_bitmap(texture_index, width, height) {}
  ~d3d8_bitmap() override {
    IDirect3DTexture8*& entry = texture_table()[texture_index];
    if (entry) entry->Release();
    entry = nullptr;
  }
};

D3DMATRIX identity_d3d_matrix() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

D3DCOLOR argb(const rgba_color& c) {
  return (static_cast<D3DCOLOR>(c.a) << 24) | (static_cast<D3DCOLOR>(c.r) << 16) |
         (static_cast<D3DCOLOR>(c.g) << 8) | c.b;
}

int power_of_two_at_least(int side) {
  int power = 1;
  while (power < side && power < kLargestTextureSide) power *= 2;
  return power;
}

float clamp_to(float v, float low, float high) { return std::min(std::max(v, low), high); }

}  // namespace

render_backend_d3d8::render_backend_d3d8(IDirect3DDevice8* device) : device_(device) {
  device_->AddRef();
  if (FAILED(device_->CreateVertexBuffer(kInitialMeshCapacity * kMeshStride, kDynamicUsage, kMeshFvf,
                                         D3DPOOL_DEFAULT, &mesh_buffer_))) {
    mesh_buffer_ = nullptr;
  }
  mesh_capacity_ = mesh_buffer_ ? kInitialMeshCapacity : 0;
  if (FAILED(device_->CreateVertexBuffer(4 * kGlyphStride, kDynamicUsage, kGlyphFvf, D3DPOOL_DEFAULT,
                                         &glyph_buffer_))) {
    glyph_buffer_ = nullptr;
  }
  probe_formats();
}

render_backend_d3d8::~render_backend_d3d8() {
  for (IDirect3DTexture8*& texture : texture_table()) {
    if (texture) texture->Release();
    texture = nullptr;
  }
  if (mesh_buffer_) mesh_buffer_->Release();
  if (glyph_buffer_) glyph_buffer_->Release();
  device_->Release();
}

void render_backend_d3d8::probe_formats() {
  IDirect3D8* direct3d = nullptr;
  D3DCAPS8 caps{};
  D3DDISPLAYMODE mode{};
  const bool can_probe = SUCCEEDED(device_->GetDirect3D(&direct3d)) && SUCCEEDED(device_->GetDeviceCaps(&caps)) &&
                         SUCCEEDED(device_->GetDisplayMode(&mode));
  auto kept = [&](D3DFORMAT format) {
    return can_probe && !FAILED(direct3d->CheckDeviceFormat(caps.AdapterOrdinal, caps.DeviceType, mode.Format, 0,
                                                            D3DRTYPE_TEXTURE, format));
  };
  rgb_format_ = kept(D3DFMT_DXT1) ? D3DFMT_DXT1 : kept(D3DFMT_R8G8B8) ? D3DFMT_R8G8B8 : D3DFMT_A8R8G8B8;
  rgba_format_ = kept(D3DFMT_DXT5) ? D3DFMT_DXT5 : D3DFMT_A8R8G8B8;
  alpha_format_ = D3DFMT_A8R8G8B8;
  for (D3DFORMAT format : {D3DFMT_A8, D3DFMT_A8L8, D3DFMT_A8P8}) {
    if (kept(format)) {
      alpha_format_ = format;
      break;
    }
  }
  if (direct3d) direct3d->Release();
}

IDirect3DTexture8* render_backend_d3d8::texture_of(const backend_bitmap* bitmap) {
  if (!dynamic_cast<const d3d8_bitmap*>(bitmap)) return nullptr;
  return texture_table()[bitmap->texture_index];
}

backend_bitmap* render_backend_d3d8::make_bitmap(int width, int height, D3DFORMAT format, bool may_widen,
                                                 const void* pixels, D3DFORMAT source_format, int pitch) {
  dyn_array<IDirect3DTexture8*>& table = texture_table();
  table.push_back(nullptr);
  auto* bitmap = new d3d8_bitmap(table.size() - 1, width, height);
  IDirect3DTexture8* texture = nullptr;
  HRESULT result = D3DERR_INVALIDCALL;
  if (width > 0 && height > 0 && width <= kLargestTextureSide && height <= kLargestTextureSide) {
    const UINT texture_width = static_cast<UINT>(power_of_two_at_least(width));
    const UINT texture_height = static_cast<UINT>(power_of_two_at_least(height));
    result = device_->CreateTexture(texture_width, texture_height, 1, 0, format, D3DPOOL_MANAGED, &texture);
    if (FAILED(result) && may_widen && format != D3DFMT_A8R8G8B8) {
      result = device_->CreateTexture(texture_width, texture_height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                      &texture);
    }
  }
  if (FAILED(result)) {
    log_error("error: can't create texture\n");
    return bitmap;
  }
  table[bitmap->texture_index] = texture;
  IDirect3DSurface8* surface = nullptr;
  if (FAILED(texture->GetSurfaceLevel(0, &surface))) {
    log_error("error: can't get surface\n");
    return bitmap;
  }
  // The image is stretched over the whole power-of-two texture.
  const RECT source_rect{0, 0, width, height};
  result = D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, pixels, source_format, static_cast<UINT>(pitch),
                                     nullptr, &source_rect, D3DX_DEFAULT, 0);
  if (result != D3D_OK) log_error("error: can't load surface from memory, result = %d\n", static_cast<int>(result));
  surface->Release();
  return bitmap;
}

backend_bitmap* render_backend_d3d8::new_empty_bitmap() { return nullptr; }

backend_bitmap* render_backend_d3d8::new_alpha_bitmap(int width, int height, const uint8_t* pixels) {
  return make_bitmap(width, height, alpha_format_, false, pixels, D3DFMT_A8, width);
}

backend_bitmap* render_backend_d3d8::new_rgb_bitmap(rgb_image* image) {
  const int width = image->width, height = image->height;
  if (width <= 0 || height <= 0) return make_bitmap(width, height, rgb_format_, true, nullptr, D3DFMT_A8R8G8B8, 0);
  std::unique_ptr<uint8_t[]> bgra(new uint8_t[static_cast<size_t>(width) * height * 4]);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = image_row(image, y);
    uint8_t* out = bgra.get() + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, in += 3, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = 255;
    }
  }
  return make_bitmap(width, height, rgb_format_, true, bgra.get(), D3DFMT_A8R8G8B8, width * 4);
}

backend_bitmap* render_backend_d3d8::new_rgba_bitmap(rgba_image* image) {
  for (int y = 0; y < image->height; ++y) {
    uint8_t* row = image_row(image, y);
    for (int x = 0; x < image->width; ++x) std::swap(row[x * 4], row[x * 4 + 2]);
  }
  return make_bitmap(image->width, image->height, rgba_format_, true, image->data, D3DFMT_A8R8G8B8, image->pitch);
}

void render_backend_d3d8::release_bitmap(backend_bitmap* bitmap) { delete bitmap; }

void render_backend_d3d8::start_frame(rgba_color background, int x0, int y0, int width, int height, float x_min,
                                      float x_max, float y_min, float y_max) {
  D3DMATRIX projection{};
  projection.m[0][0] = 2.0f / (x_max - x_min);
  projection.m[1][1] = -2.0f / (y_max - y_min);
  projection.m[2][2] = 1.0f;
  projection.m[3][0] = -(x_min + x_max) / (x_max - x_min);
  projection.m[3][1] = (y_min + y_max) / (y_max - y_min);
  projection.m[3][3] = 1.0f;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  D3DMATRIX view = identity_d3d_matrix();
  view.m[0][0] = w * (1.0f / w);
  view.m[1][1] = h * (1.0f / h);
  view.m[3][0] = (2.0f * x0 + w) / w - 1.0f;
  view.m[3][1] = 1.0f - 2.0f * y0 / h - h * (1.0f / h);

  device_->GetTransform(D3DTS_PROJECTION, &saved_projection_);
  device_->GetTransform(D3DTS_VIEW, &saved_view_);
  device_->GetTransform(D3DTS_WORLD, &saved_world_);
  const D3DMATRIX identity = identity_d3d_matrix();
  device_->SetTransform(D3DTS_PROJECTION, &projection);
  device_->SetTransform(D3DTS_VIEW, &view);
  device_->SetTransform(D3DTS_WORLD, &identity);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);

  device_->GetViewport(&saved_viewport_);
  const D3DVIEWPORT8 viewport{static_cast<DWORD>(x0), static_cast<DWORD>(y0), static_cast<DWORD>(width),
                              static_cast<DWORD>(height), 0.0f, 1.0f};
  device_->SetViewport(&viewport);

  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);

  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device_->SetPixelShader(0);

  if (background.a == 0) return;
  if (background.a == 255) {
    // The viewport, exactly: Direct3D clears no more than that.
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | (argb(background) & 0xFFFFFFu), 0.0f, 0);
    return;
  }
  device_->SetRenderState(D3DRS_TEXTUREFACTOR, argb(background));
  put_transform(identity_matrix);
  set_world_from_current_matrix();
  const int16_t left = static_cast<int16_t>(x_min), right = static_cast<int16_t>(x_max);
  const int16_t top = static_cast<int16_t>(y_min), bottom = static_cast<int16_t>(y_max);
  const int16_t corners[8] = {left, top, right, top, left, bottom, right, bottom};
  if (upload_mesh(corners, 4)) device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void render_backend_d3d8::finish_frame() {
  device_->SetTransform(D3DTS_VIEW, &saved_view_);
  device_->SetTransform(D3DTS_WORLD, &saved_world_);
  device_->SetTransform(D3DTS_PROJECTION, &saved_projection_);
  device_->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
  device_->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  device_->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  device_->SetViewport(&saved_viewport_);
}

void render_backend_d3d8::put_transform(const matrix2x3& m) { matrix_ = m; }

void render_backend_d3d8::put_color_transform(const color_xform& cx) { cxform_ = cx; }

void render_backend_d3d8::set_world_from_current_matrix() {
  D3DMATRIX world = identity_d3d_matrix();
  world.m[0][0] = matrix_.m00;
  world.m[0][1] = matrix_.m10;
  world.m[1][0] = matrix_.m01;
  world.m[1][1] = matrix_.m11;
  world.m[3][0] = matrix_.m02;
  world.m[3][1] = matrix_.m12;
  device_->SetTransform(D3DTS_WORLD, &world);
}

void render_backend_d3d8::apply_style(const draw_style& style) {
  if (style.mode == kModeOff) return;
  device_->SetRenderState(D3DRS_TEXTUREFACTOR, argb(style.color));
  if (style.mode == kModeSolid || !style.bitmap) {
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    return;
  }
  device_->SetTexture(0, texture_of(style.bitmap));
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  const DWORD address = style.mode == kModeClamped ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
  device_->SetTextureStageState(0, D3DTSS_ADDRESSU, address);
  device_->SetTextureStageState(0, D3DTSS_ADDRESSV, address);

  // Camera space is the shape's space through the current matrix: map back
  // by its inverse, then into the bitmap's pixels, then over its size.
  matrix2x3 inverse;
  inverse.set_inverse(matrix_);
  matrix2x3 t = style.bitmap_matrix;
  t.concatenate(inverse);
  const float w = static_cast<float>(style.bitmap->width), h = static_cast<float>(style.bitmap->height);
  D3DMATRIX texture{};
  texture.m[0][0] = t.m00 / w;
  texture.m[0][1] = t.m10 / h;
  texture.m[1][0] = t.m01 / w;
  texture.m[1][1] = t.m11 / h;
  texture.m[3][0] = t.m02 / w;
  texture.m[3][1] = t.m12 / h;
  texture.m[3][3] = 1.0f;
  device_->SetTransform(D3DTS_TEXTURE0, &texture);
  device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  device_->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION);
}

bool render_backend_d3d8::upload_mesh(const int16_t* coords, int vertex_count) {
  if (vertex_count > mesh_capacity_ || !mesh_buffer_) {
    if (mesh_buffer_) mesh_buffer_->Release();
    mesh_buffer_ = nullptr;
    mesh_capacity_ = 0;
    const int32_t capacity = std::max(vertex_count, kInitialMeshCapacity);
    if (FAILED(device_->CreateVertexBuffer(static_cast<UINT>(capacity) * kMeshStride, kDynamicUsage, kMeshFvf,
                                           D3DPOOL_DEFAULT, &mesh_buffer_))) {
      mesh_buffer_ = nullptr;
      log_error("error: can't create vertex buffer for %d vertices\n", vertex_count);
      return false;
    }
    mesh_capacity_ = capacity;
  }
  BYTE* bytes = nullptr;
  if (FAILED(mesh_buffer_->Lock(0, 0, &bytes, D3DLOCK_DISCARD))) {
    log_error("error: can't lock vertex buffer\n");
    return false;
  }
  auto* out = reinterpret_cast<float*>(bytes);
  for (int i = 0; i < vertex_count; ++i) {
    out[i * 3] = coords[i * 2];
    out[i * 3 + 1] = coords[i * 2 + 1];
    out[i * 3 + 2] = 1.0f;
  }
  mesh_buffer_->Unlock();
  device_->SetStreamSource(0, mesh_buffer_, kMeshStride);
  device_->SetVertexShader(kMeshFvf);
  return true;
}

void render_backend_d3d8::render_triangle_strip(const int16_t* coords, int vertex_count) {
  if (!coords || vertex_count < 3) return;
  const draw_style& fill = styles_[kFillSide0];
  apply_style(fill);
  set_world_from_current_matrix();
  if (!upload_mesh(coords, vertex_count)) return;
  device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, static_cast<UINT>(vertex_count - 2));
  if ((fill.mode != kModeRepeated && fill.mode != kModeClamped) || !fill.additive_pass) return;
  // The addends go on top of the whole strip. Blending can only add, so a
  // negative addend adds nothing here.
  auto addend = [&](int channel) {
    return static_cast<D3DCOLOR>(clamp_to(fill.cxform.m[channel][1], 0.0f, 255.0f));
  };
  device_->SetRenderState(D3DRS_TEXTUREFACTOR,
                          (addend(3) << 24) | (addend(0) << 16) | (addend(1) << 8) | addend(2));
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, static_cast<UINT>(vertex_count - 2));
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void render_backend_d3d8::render_polyline(const int16_t* coords, int vertex_count) {
  if (!coords || vertex_count < 2) return;
  apply_style(styles_[kLineStyle]);
  set_world_from_current_matrix();
  if (!upload_mesh(coords, vertex_count)) return;
  device_->DrawPrimitive(D3DPT_LINESTRIP, 0, static_cast<UINT>(vertex_count - 1));
}

void render_backend_d3d8::clear_fill(int side) {
  if (side == kFillSide0 || side == kFillSide1) styles_[side].mode = kModeOff;
}

void render_backend_d3d8::solid_fill(int side, rgba_color color) {
  if (side != kFillSide0 && side != kFillSide1) return;
  styles_[side].mode = kModeSolid;
  styles_[side].color = cxform_.transform(color);
}

void render_backend_d3d8::textured_fill(int side, backend_bitmap* bitmap, const matrix2x3& m, int clamp) {
  if (side != kFillSide0 && side != kFillSide1) return;
  draw_style& style = styles_[side];
  style.bitmap = bitmap;
  style.mode = clamp ? kModeClamped : kModeRepeated;
  style.bitmap_matrix = m;
  style.additive_pass = false;
  uint8_t multipliers[4];
  for (int channel = 0; channel < 4; ++channel) {
    style.cxform.m[channel][0] = clamp_to(cxform_.m[channel][0], 0.0f, 1.0f);
    style.cxform.m[channel][1] = clamp_to(cxform_.m[channel][1], -255.0f, 255.0f);
    multipliers[channel] = static_cast<uint8_t>(style.cxform.m[channel][0] * 255.0f);
    if (style.cxform.m[channel][1] > 1.0f) style.additive_pass = true;
  }
  style.color = rgba_color(multipliers[0], multipliers[1], multipliers[2], multipliers[3]);
}

void render_backend_d3d8::clear_stroke() { styles_[kLineStyle].mode = kModeOff; }

void render_backend_d3d8::solid_stroke(rgba_color color) {
  styles_[kLineStyle].mode = kModeSolid;
  styles_[kLineStyle].color = cxform_.transform(color);
}

// Lines are always one pixel wide.
void render_backend_d3d8::stroke_width(float) {}

void render_backend_d3d8::render_bitmap(const matrix2x3& m, backend_bitmap* bitmap, const bounds_rect& coords,
                                        const bounds_rect& uv, rgba_color color) {
  if (!bitmap || !glyph_buffer_) return;
  device_->SetRenderState(D3DRS_TEXTUREFACTOR, argb(color));
  const D3DMATRIX identity = identity_d3d_matrix();
  device_->SetTransform(D3DTS_WORLD, &identity);
  const point2 p0 = m.transform(point2{coords.x_min, coords.y_min});
  const point2 p1 = m.transform(point2{coords.x_max, coords.y_min});
  const point2 p2 = m.transform(point2{coords.x_min, coords.y_max});
  const point2 p3{p1.x + p2.x - p0.x, p1.y + p2.y - p0.y};

  device_->SetTexture(0, texture_of(bitmap));
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  device_->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);

  BYTE* bytes = nullptr;
  if (FAILED(glyph_buffer_->Lock(0, 0, &bytes, D3DLOCK_DISCARD))) {
    log_error("error: can't lock vertex buffer\n");
    return;
  }
  const float vertices[4][5] = {{p0.x, p0.y, 1.0f, uv.x_min, uv.y_min},
                                {p1.x, p1.y, 1.0f, uv.x_max, uv.y_min},
                                {p2.x, p2.y, 1.0f, uv.x_min, uv.y_max},
                                {p3.x, p3.y, 1.0f, uv.x_max, uv.y_max}};
  std::memcpy(bytes, vertices, sizeof vertices);
  glyph_buffer_->Unlock();
  device_->SetStreamSource(0, glyph_buffer_, kGlyphStride);
  device_->SetVertexShader(kGlyphFvf);
  device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void render_backend_d3d8::reserved_operation() {}

void render_backend_d3d8::begin_mask() {
  device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device_->SetRenderState(D3DRS_STENCILENABLE, TRUE);
  device_->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0);
  device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
  device_->SetRenderState(D3DRS_STENCILREF, 1);
  device_->SetRenderState(D3DRS_STENCILMASK, 1);
  device_->SetRenderState(D3DRS_STENCILWRITEMASK, 1);
  device_->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
  device_->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
  // Mask shapes shape the stencil only; they never show.
  device_->GetRenderState(D3DRS_COLORWRITEENABLE, &saved_color_writes_);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
}

void render_backend_d3d8::end_mask() {
  device_->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
  device_->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, saved_color_writes_);
}

void render_backend_d3d8::drop_mask() { device_->SetRenderState(D3DRS_STENCILENABLE, FALSE); }

render_backend_d3d8* create_render_backend_d3d8(IDirect3DDevice8* device) {
  return device ? new (std::nothrow) render_backend_d3d8(device) : nullptr;
}

}  // namespace swf
