// The Direct3D 8 part of a video image: the texture the frames go into.
#pragma once
#include "render/dx8/dx8_image_texture.h"
#include "render/video/avi.h"

class Dx8AviImage : public AviImage {
 public:
  Dx8AviImage() = default;

  bool Bind(uint32_t stage) override;

 protected:
  // Upright (the DIB is bottom-up), by the texture's real format and never
  // past its size; the texels are opaque.
  void CopyFrame() override;
  bool CreateTexture() override;

 private:
  Dx8ImageTexture texture_;
};
