#include "render/dx8/dx8_render_target.h"

#include <string>

#include "core/log.h"
#include "render/dx8/dx8_graphics.h"

Dx8RenderTarget* Dx8RenderTarget::Create(IDirect3DDevice8* device, uint32_t width, uint32_t height) {
  IDirect3DTexture8* texture = nullptr;
  if (!device || width == 0 || height == 0 ||
      FAILED(device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                   &texture))) {
    LOG_LINE(MSG_ERROR, "Unable to create a " + std::to_string(width) + " x " + std::to_string(height) +
                            " render target");
    return nullptr;
  }
  return new Dx8RenderTarget(texture, width, height);
}

Dx8RenderTarget::Dx8RenderTarget(IDirect3DTexture8* texture, uint32_t width, uint32_t height) : texture_(texture) {
  width_ = width;
  height_ = height;
}

Dx8RenderTarget::~Dx8RenderTarget() { texture_->Release(); }

bool Dx8RenderTarget::Bind(uint32_t stage) {
  Dx8Graphics* graphics = GetDx8Graphics();
  IDirect3DDevice8* device = graphics ? graphics->GetDevice() : nullptr;
  return device && SUCCEEDED(device->SetTexture(stage, texture_));
}

bool Dx8RenderTarget::MakeTarget(IDirect3DDevice8& device) {
  IDirect3DSurface8* surface = nullptr;
  if (FAILED(texture_->GetSurfaceLevel(0, &surface))) return false;
  const HRESULT result = device.SetRenderTarget(surface, nullptr);
  surface->Release();
  return SUCCEEDED(result);
}
