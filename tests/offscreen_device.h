// A Direct3D device that draws into a hidden window of its own (an offscreen
// one under SDL_VIDEODRIVER=offscreen), for tests that read back what they drew.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_testing.h"

// A windowed device's one back buffer of that size.
inline D3DPRESENT_PARAMETERS WindowedBackBuffer(UINT width, UINT height) {
  D3DPRESENT_PARAMETERS params{};
  params.BackBufferWidth = width;
  params.BackBufferHeight = height;
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.BackBufferCount = 1;
  params.SwapEffect = D3DSWAPEFFECT_DISCARD;
  params.Windowed = TRUE;
  return params;
}

class OffscreenDevice {
 public:
  // device() is null when no device could be made.
  OffscreenDevice(UINT width, UINT height) {
    direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    if (!direct3d_) return;
    D3DPRESENT_PARAMETERS params = WindowedBackBuffer(width, height);
    if (FAILED(direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params,
                                       &device_))) {
      device_ = nullptr;
    }
  }
  ~OffscreenDevice() {
    if (device_) device_->Release();
    if (direct3d_) direct3d_->Release();
  }
  OffscreenDevice(const OffscreenDevice&) = delete;
  OffscreenDevice& operator=(const OffscreenDevice&) = delete;

  IDirect3D8* direct3d() const { return direct3d_; }
  IDirect3DDevice8* device() const { return device_; }

  // The drawn pixel as 0xRRGGBB; 0 when the frame cannot be read.
  uint32_t Pixel(UINT x, UINT y) const {
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    if (!platform::testing::ReadBackFrame(device_, pixels, width, height) || x >= width || y >= height) return 0;
    return pixels[y * width + x] & 0xFFFFFFu;
  }

 private:
  IDirect3D8* direct3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
};
