#include "image_files.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <filesystem>

#include "dds_header.h"
#include "platform/codecs/little_endian.h"

namespace image_files {
namespace {

using platform::Append16;
using platform::Append32;

template <typename Save>
bool WithSurface(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels, Save save) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(pixels.data()), static_cast<int>(width), static_cast<int>(height), 32,
      static_cast<int>(width * 4), SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  bool ok = save(surface);
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace

std::string Folder(const std::string& name) {
  std::filesystem::path folder = std::filesystem::path(VANTOR_BINARY_DIR) / "test_images" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string() + "/";
}

std::vector<uint32_t> TwoBands(uint32_t width, uint32_t height, uint32_t top, uint32_t bottom) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) pixels[y * width + x] = y < height / 2 ? top : bottom;
  }
  return pixels;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool WritePng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
  return WithSurface(width, height, pixels, [&](SDL_Surface* s) { return IMG_SavePNG(s, path.c_str()) == 0; });
}

bool WriteJpg(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
  return WithSurface(width, height, pixels, [&](SDL_Surface* s) { return IMG_SaveJPG(s, path.c_str(), 95) == 0; });
}

bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
  return WithSurface(width, height, pixels, [&](SDL_Surface* s) { return SDL_SaveBMP(s, path.c_str()) == 0; });
}

bool WriteTga(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Append16(out, width);
  Append16(out, height);
  out.push_back(32);
  out.push_back(0x28);  // rows from the top, 8 alpha bits
  for (uint32_t p : pixels) Append32(out, p);
  return WriteBytes(path, out);
}

bool WriteDds(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels,
              bool cube) {
  std::vector<uint8_t> out = DdsHeader(width, height, 1, 0, cube ? 0x200 | 0xFC00 : 0);
  for (int face = 0; face < (cube ? 6 : 1); ++face) {
    for (uint32_t p : pixels) Append32(out, p);
  }
  return WriteBytes(path, out);
}

bool WriteDxt1(const std::string& path, uint32_t width, uint32_t height, uint16_t top, uint16_t bottom) {
  std::vector<uint8_t> out = DdsHeader(width, height, 1, 0x31545844, 0);  // "DXT1"
  for (uint32_t by = 0; by < height / 4; ++by) {
    for (uint32_t bx = 0; bx < width / 4; ++bx) {
      uint16_t colour = by < height / 8 ? top : bottom;
      Append16(out, colour);
      Append16(out, 0);
      Append32(out, 0);  // every texel takes colour 0
    }
  }
  return WriteBytes(path, out);
}

}  // namespace image_files
