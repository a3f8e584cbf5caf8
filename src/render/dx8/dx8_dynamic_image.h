// The Direct3D 8 part of a dynamic image: a managed texture of 16 bits
// (R5G6B5), 24 (R8G8B8) or else 32 (A8R8G8B8) a texel, zeroed at creation.
#pragma once
#include "render/dx8/dx8_image_texture.h"
#include "render/video/dynamic_image.h"

class Dx8DynamicImage : public DynamicImage {
 public:
  using DynamicImage::DynamicImage;

  bool Bind(uint32_t stage) override;

 protected:
  bool CreateTexture() override;

 private:
  Dx8ImageTexture texture_;
};
