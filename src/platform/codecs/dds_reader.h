// A small reader of DDS files: DXT1/3/5 and plain RGB/luminance/alpha
// formats, mip chains and cube maps. Every size is checked against the file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace platform {

struct DdsImage {
  uint32_t width = 0;
  uint32_t height = 0;
  D3DFORMAT format = D3DFMT_UNKNOWN;
  uint32_t levels = 0;
  bool cube = false;
  // One entry per face (6 for a cube, else 1) per level, face-major; each
  // points into the file's bytes, which must outlive the image.
  struct Level {
    const uint8_t* bytes;
    uint32_t size;
    uint32_t width;
    uint32_t height;
  };
  std::vector<Level> data;
};

constexpr uint32_t kDdsHeaderSize = 128;  // magic and header
constexpr uint32_t kDdsCubeMapBit = 0x200;

bool IsDds(const uint8_t* bytes, size_t size);
// False for a file that is not a DDS, is cut short or holds a format we do not read.
bool ReadDds(const uint8_t* bytes, size_t size, DdsImage& image);

}  // namespace platform
