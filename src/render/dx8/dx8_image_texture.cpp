#include "render/dx8/dx8_image_texture.h"

#include <string>

#include "core/log.h"
#include "platform/d3dx/d3dx8.h"
#include "render/dx8/dx8_graphics.h"

namespace {
IDirect3DDevice8* Device() {
  Dx8Graphics* graphics = GetDx8Graphics();
  return graphics ? graphics->GetDevice() : nullptr;
}
}  // namespace

bool Dx8ImageTexture::Create(uint32_t width, uint32_t height, D3DFORMAT format, D3DPOOL pool) {
  Release();
  if (width == 0 || height == 0 ||
      FAILED(D3DXCreateTexture(Device(), width, height, 1, D3DUSAGE_DYNAMIC, format, pool, &texture_))) {
    texture_ = nullptr;
    LOG_LINE(MSG_ERROR, "Unable to create a " + std::to_string(width) + " x " + std::to_string(height) +
                            " texture surface for the AVI file");
    return false;
  }
  return true;
}

void Dx8ImageTexture::Release() {
  if (texture_) texture_->Release();
  texture_ = nullptr;
}

void Dx8ImageTexture::Bind(uint32_t stage) {
  IDirect3DDevice8* device = Device();
  if (texture_ && device) device->SetTexture(stage, texture_);
}

void Dx8ImageTexture::Write(const std::function<void(const Level&)>& write) {
  D3DSURFACE_DESC desc{};
  if (!texture_ || FAILED(texture_->GetLevelDesc(0, &desc))) return;
  const platform::d3d8::FormatInfo* format = platform::d3d8::FindFormat(desc.Format);
  D3DLOCKED_RECT locked{};
  if (!format || format->bytesPerBlock || FAILED(texture_->LockRect(0, &locked, nullptr, D3DLOCK_DISCARD))) return;
  write(Level{desc.Width, desc.Height, *format, static_cast<uint8_t*>(locked.pBits), locked.Pitch});
  texture_->UnlockRect(0);
}
