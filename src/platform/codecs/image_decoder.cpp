#include "platform/codecs/image_decoder.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/codecs/dds_reader.h"
#include "platform/codecs/image_header.h"
#include "platform/d3d8/d3d8_format.h"

namespace platform {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

D3DFORMAT SourceFormatOf(const SDL_PixelFormat& format) {
  if (format.palette) return D3DFMT_P8;
  switch (format.BytesPerPixel) {
    case 3: return D3DFMT_R8G8B8;
    case 4: return format.Amask ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    case 2:
      if (format.Amask == 0xF000) return D3DFMT_A4R4G4B4;
      if (format.Amask) return D3DFMT_A1R5G5B5;
      return format.Gmask == 0x7E0 ? D3DFMT_R5G6B5 : D3DFMT_X1R5G5B5;
    default: return D3DFMT_L8;
  }
}

bool DecodeDds(const uint8_t* bytes, size_t size, DecodedImage& image) {
  DdsImage dds;
  const d3d8::FormatInfo* info = nullptr;
  if (!ReadDds(bytes, size, dds) || !(info = d3d8::FindFormat(dds.format)) || info->bytesPerBlock) return false;
  const DdsImage::Level& top = dds.data[0];
  image.width = dds.width;
  image.height = dds.height;
  image.sourceFormat = dds.format;
  image.hasAlpha = info->hasAlpha;
  image.pixels.resize(static_cast<size_t>(dds.width) * dds.height);
  uint32_t pitch = d3d8::RowPitch(*info, dds.width);
  for (uint32_t y = 0; y < dds.height; ++y) {
    for (uint32_t x = 0; x < dds.width; ++x) {
      image.pixels[static_cast<size_t>(y) * dds.width + x] =
          d3d8::ReadTexel(dds.format, top.bytes + static_cast<size_t>(y) * pitch + x * info->bytesPerTexel);
    }
  }
  return true;
}

// Only the types the engine reads go to SDL2_image, which knows many more
// (vector drawings, layered paint files, ...) that no game file may be, and
// only once the header's size is within bounds: the decoders allocate the
// whole picture before they read it.
SDL_Surface* LoadWithSdlImage(const uint8_t* bytes, size_t size) {
  const ImageType type = ImageTypeOf(bytes, size);
  uint32_t width = 0, height = 0;
  if (!ReadImageSize(bytes, size, type, &width, &height) || width == 0 || height == 0 ||
      width > kMaxImageSide || height > kMaxImageSide)
    return nullptr;
  if (size > static_cast<size_t>(std::numeric_limits<int>::max())) return nullptr;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (!stream) return nullptr;
  SDL_Surface* surface = nullptr;
  switch (type) {
    case ImageType::kPng: surface = IMG_LoadPNG_RW(stream); break;
    case ImageType::kJpeg: surface = IMG_LoadJPG_RW(stream); break;
    case ImageType::kBmp: surface = IMG_LoadBMP_RW(stream); break;
    case ImageType::kTga: surface = IMG_LoadTGA_RW(stream); break;
  }
  SDL_RWclose(stream);
  return surface;
}

}  // namespace

bool DecodeImage(const uint8_t* bytes, size_t size, DecodedImage& image) {
  if (!bytes || size == 0) return false;
  if (IsDds(bytes, size)) return DecodeDds(bytes, size, image);
  SurfacePtr loaded(LoadWithSdlImage(bytes, size));
  if (!loaded || loaded->w <= 0 || loaded->h <= 0) return false;
  image.sourceFormat = SourceFormatOf(*loaded->format);
  Uint32 key = 0;
  bool paletteAlpha = false;
  if (const SDL_Palette* palette = loaded->format->palette) {
    for (int i = 0; i < palette->ncolors; ++i) paletteAlpha |= palette->colors[i].a != 255;
  }
  image.hasAlpha = loaded->format->Amask != 0 || paletteAlpha || SDL_GetColorKey(loaded.get(), &key) == 0;
  SurfacePtr argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb) return false;
  image.width = static_cast<uint32_t>(argb->w);
  image.height = static_cast<uint32_t>(argb->h);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  SDL_LockSurface(argb.get());
  for (uint32_t y = 0; y < image.height; ++y) {
    std::memcpy(&image.pixels[static_cast<size_t>(y) * image.width],
                static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch, image.width * 4);
  }
  SDL_UnlockSurface(argb.get());
  return true;
}

namespace {

// Each target texel averages a kX x kY block of the source, rounded as the
// general box filter rounds: what a mipmap level is of the level above.
template <uint32_t kX, uint32_t kY>
std::vector<uint32_t> ShrinkByBlocks(const std::vector<uint32_t>& source, uint32_t width, uint32_t targetWidth,
                                     uint32_t targetHeight) {
  constexpr uint32_t kCount = kX * kY;
  std::vector<uint32_t> target(static_cast<size_t>(targetWidth) * targetHeight);
  for (uint32_t ty = 0; ty < targetHeight; ++ty) {
    const uint32_t* rows = &source[static_cast<size_t>(ty) * kY * width];
    uint32_t* out = &target[static_cast<size_t>(ty) * targetWidth];
    for (uint32_t tx = 0; tx < targetWidth; ++tx) {
      uint32_t sum[4] = {0, 0, 0, 0};
      for (uint32_t y = 0; y < kY; ++y)
        for (uint32_t x = 0; x < kX; ++x) {
          const uint32_t p = rows[static_cast<size_t>(y) * width + tx * kX + x];
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (c * 8)) & 0xFF;
        }
      uint32_t texel = 0;
      for (int c = 0; c < 4; ++c) texel |= ((sum[c] + kCount / 2) / kCount) << (c * 8);
      out[tx] = texel;
    }
  }
  return target;
}

}  // namespace

std::vector<uint32_t> Resample(const std::vector<uint32_t>& source, uint32_t width, uint32_t height,
                               uint32_t targetWidth, uint32_t targetHeight) {
  if (width == targetWidth && height == targetHeight) return source;
  // Halving, the step between mipmap levels, in one pass without divisions.
  const bool halfWide = width == 2 * targetWidth, halfHigh = height == 2 * targetHeight;
  const bool sameWide = width == targetWidth, sameHigh = height == targetHeight;
  if (halfWide && halfHigh) return ShrinkByBlocks<2, 2>(source, width, targetWidth, targetHeight);
  if (halfWide && sameHigh) return ShrinkByBlocks<2, 1>(source, width, targetWidth, targetHeight);
  if (sameWide && halfHigh) return ShrinkByBlocks<1, 2>(source, width, targetWidth, targetHeight);
  std::vector<uint32_t> target(static_cast<size_t>(targetWidth) * targetHeight);
  for (uint32_t ty = 0; ty < targetHeight; ++ty) {
    uint32_t y0 = static_cast<uint32_t>(static_cast<uint64_t>(ty) * height / targetHeight);
    uint32_t y1 = std::max(y0 + 1, static_cast<uint32_t>((static_cast<uint64_t>(ty) + 1) * height / targetHeight));
    for (uint32_t tx = 0; tx < targetWidth; ++tx) {
      uint32_t x0 = static_cast<uint32_t>(static_cast<uint64_t>(tx) * width / targetWidth);
      uint32_t x1 = std::max(x0 + 1, static_cast<uint32_t>((static_cast<uint64_t>(tx) + 1) * width / targetWidth));
      uint64_t sum[4] = {0, 0, 0, 0};
      for (uint32_t y = y0; y < y1; ++y) {
        for (uint32_t x = x0; x < x1; ++x) {
          uint32_t p = source[static_cast<size_t>(y) * width + x];
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (c * 8)) & 0xFF;
        }
      }
      uint64_t n = static_cast<uint64_t>(y1 - y0) * (x1 - x0);
      uint32_t out = 0;
      for (int c = 0; c < 4; ++c) out |= static_cast<uint32_t>((sum[c] + n / 2) / n) << (c * 8);
      target[static_cast<size_t>(ty) * targetWidth + tx] = out;
    }
  }
  return target;
}

}  // namespace platform
