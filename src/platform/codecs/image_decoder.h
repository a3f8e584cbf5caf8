// Image files to 0xAARRGGBB pixels: PNG, JPEG, BMP and TGA through
// SDL2_image, DDS (plain formats) through our reader.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace platform {

struct DecodedImage {
  uint32_t width = 0;
  uint32_t height = 0;
  D3DFORMAT sourceFormat = D3DFMT_UNKNOWN;  // the file's own pixel format
  bool hasAlpha = false;
  std::vector<uint32_t> pixels;             // rows from the top
};

// A PNG, JPEG, BMP or TGA file whose header claims more pixels across or
// down is refused before it is decoded: no texture is that large, and a few
// bytes of header could otherwise claim gigabytes.
constexpr uint32_t kMaxImageSide = 8192;

bool DecodeImage(const uint8_t* bytes, size_t size, DecodedImage& image);

// Box-filters `source` to the given size (each target texel averages the
// source texels it covers; enlarging repeats texels).
std::vector<uint32_t> Resample(const std::vector<uint32_t>& source, uint32_t width, uint32_t height,
                               uint32_t targetWidth, uint32_t targetHeight);

}  // namespace platform
