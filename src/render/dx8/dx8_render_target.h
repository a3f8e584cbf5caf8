// An image that draws go into: a texture of the device made to be drawn
// into, 32 bits a texel.
#pragma once
#include <cstdint>

#include "platform/d3d8/d3d8.h"
#include "render/device/image.h"

class Dx8RenderTarget : public Image {
 public:
  // Null (logged) when the device cannot make one of that size.
  static Dx8RenderTarget* Create(IDirect3DDevice8* device, uint32_t width, uint32_t height);
  ~Dx8RenderTarget() override;

  bool Bind(uint32_t stage) override;
  // Draws go into the image from here on.
  bool MakeTarget(IDirect3DDevice8& device);

 private:
  Dx8RenderTarget(IDirect3DTexture8* texture, uint32_t width, uint32_t height);

  IDirect3DTexture8* texture_;
};
