#include "platform/d3d8/d3d8_testing.h"

#include <SDL.h>

#include <cstring>
#include <utility>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/d3d8/d3d8_adapter.h"
#include "platform/d3d8/d3d8_device.h"
#include "platform/d3d8/d3d8_texture_storage.h"
#include "platform/gl/gl_drawable.h"

namespace platform::testing {
namespace {

d3d8::Device* DeviceOf(IDirect3DDevice8* device) { return dynamic_cast<d3d8::Device*>(device); }

}  // namespace

bool ReadBackFrame(IDirect3DDevice8* device, std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) {
  IDirect3DSurface8* surface = nullptr;
  if (!device || FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return false;
  D3DSURFACE_DESC desc;
  D3DLOCKED_RECT locked;
  surface->GetDesc(&desc);
  bool ok = SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
  if (ok) {
    width = desc.Width;
    height = desc.Height;
    pixels.resize(static_cast<size_t>(width) * height);
    for (uint32_t row = 0; row < height; ++row) {
      std::memcpy(&pixels[static_cast<size_t>(row) * width],
                  static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(row) * locked.Pitch, width * 4);
    }
    surface->UnlockRect();
  }
  surface->Release();
  return ok;
}

bool ReadBackWindow(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) {
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  if (!window) return false;
  int w = 0, h = 0;
  CurrentDrawableSize(window, &w, &h);
  if (w <= 0 || h <= 0) return false;
  GLint readFrameBuffer = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFrameBuffer);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  width = static_cast<uint32_t>(w);
  height = static_cast<uint32_t>(h);
  pixels.assign(static_cast<size_t>(width) * height, 0);
  for (uint32_t row = 0; row < height; ++row) {
    glReadPixels(0, static_cast<GLint>(height - 1 - row), w, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 &pixels[static_cast<size_t>(row) * width]);
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFrameBuffer));
  return true;
}

bool DrawsThroughBuffer(IDirect3DDevice8* device) {
  d3d8::Device* d = DeviceOf(device);
  return d && d->DrawsThroughBuffer();
}

bool KeepsLevelCopy(IDirect3DTexture8* texture, UINT level) {
  const d3d8::MemorySurface* surface = d3d8::StorageOf(texture).Level(0, level);
  return surface && !surface->CopyDropped();
}

void LoseDevice(IDirect3DDevice8* device) {
  if (d3d8::Device* d = DeviceOf(device)) d->SetCooperation(d3d8::Device::Cooperation::kLost);
}

void AllowDeviceReset(IDirect3DDevice8* device) {
  if (d3d8::Device* d = DeviceOf(device)) d->SetCooperation(d3d8::Device::Cooperation::kNotReset);
}

void FailNextResets(IDirect3DDevice8* device, int count) {
  if (d3d8::Device* d = DeviceOf(device)) d->FailNextResets(count);
}

void SetSquareTexturesOnly(bool on) { d3d8::Overrides().squareTexturesOnly = on; }
void SetCapsUnavailable(bool on) { d3d8::Overrides().capsUnavailable = on; }
void SetFullScreenUnavailable(bool on) { d3d8::Overrides().fullScreenUnavailable = on; }
void SetPresentObserver(std::function<void(IDirect3DDevice8*)> observer) {
  d3d8::Overrides().presentObserver = std::move(observer);
}

void RefuseTextureFormats(const std::vector<D3DFORMAT>& formats) {
  d3d8::Overrides().refusedFormats = std::set<D3DFORMAT>(formats.begin(), formats.end());
}

}  // namespace platform::testing
