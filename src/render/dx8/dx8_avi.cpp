#include "render/dx8/dx8_avi.h"

#include <algorithm>

bool Dx8AviImage::Bind(uint32_t stage) {
  texture_.Bind(stage);
  return true;
}

void Dx8AviImage::CopyFrame() {
  const uint32_t* pixels = FramePixels();
  if (!pixels) return;
  texture_.Write([&](const Dx8ImageTexture::Level& level) {
    const uint32_t width = std::min(width_, level.width), height = std::min(height_, level.height);
    const uint32_t texelBytes = level.format.bytesPerTexel;
    for (uint32_t y = 0; y < height; ++y) {
      const uint32_t* from = pixels + static_cast<size_t>(height_ - 1 - y) * width_;
      uint8_t* to = level.bits + static_cast<ptrdiff_t>(y) * level.pitch;
      for (uint32_t x = 0; x < width; ++x) {
        platform::d3d8::WriteTexel(level.format.format, to + x * texelBytes, 0xFF000000u | from[x]);
      }
    }
  });
}

bool Dx8AviImage::CreateTexture() {
  // D3DX puts the nearest format the device keeps in place of R8G8B8.
  if (texture_.Create(width_, height_, D3DFMT_R8G8B8, D3DPOOL_DEFAULT)) return true;
  Close();
  return false;
}
