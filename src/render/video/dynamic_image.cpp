#include "render/video/dynamic_image.h"

namespace {
uint32_t SixteenBitSide(uint32_t side) { return side <= 0xFFFFu ? side : 0; }
}  // namespace

DynamicImage::DynamicImage(uint32_t width, uint32_t height, uint32_t bitsPerPixel)
    : bitsPerPixel_(static_cast<uint16_t>(bitsPerPixel)) {
  width_ = SixteenBitSide(width);
  height_ = SixteenBitSide(height);
}

bool DynamicImage::Load(const std::string&) {
  name_ = "dynamic";
  return CreateTexture();
}
