#include "render/dx8/dx8_dynamic_image.h"

#include <cstring>

bool Dx8DynamicImage::Bind(uint32_t stage) {
  texture_.Bind(stage);
  return true;
}

bool Dx8DynamicImage::CreateTexture() {
  D3DFORMAT format = D3DFMT_A8R8G8B8;
  if (bitsPerPixel_ == 16) format = D3DFMT_R5G6B5;
  if (bitsPerPixel_ == 24) format = D3DFMT_R8G8B8;
  if (!texture_.Create(width_, height_, format, D3DPOOL_MANAGED)) return false;
  // The level's own height: D3DX may have made it other than asked.
  texture_.Write([](const Dx8ImageTexture::Level& level) {
    std::memset(level.bits, 0, static_cast<size_t>(level.pitch) * level.height);
  });
  return true;
}
