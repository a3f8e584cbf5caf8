#include "platform/codecs/dds_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/little_endian.h"
#include "platform/d3d8/d3d8_format.h"

namespace platform {
namespace {

constexpr uint32_t kMipMapCount = 0x20000;  // header flag: the mip count field is valid
constexpr uint32_t kFourCC = 0x4;
constexpr uint32_t kRgb = 0x40;
constexpr uint32_t kLuminance = 0x20000;
constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kAlphaOnly = 0x2;
constexpr uint32_t kAllFaces = 0xFC00;

struct PixelFormat {
  uint32_t flags, fourCC, bits, red, green, blue, alpha;
};

D3DFORMAT FormatOf(const PixelFormat& pf) {
  if (pf.flags & kFourCC) {
    if (pf.fourCC == D3DFMT_DXT1 || pf.fourCC == D3DFMT_DXT3 || pf.fourCC == D3DFMT_DXT5) {
      return static_cast<D3DFORMAT>(pf.fourCC);
    }
    return D3DFMT_UNKNOWN;
  }
  bool alpha = (pf.flags & kAlphaPixels) != 0;
  if (pf.flags & kRgb) {
    if (pf.bits == 32 && pf.red == 0xFF0000 && pf.green == 0xFF00 && pf.blue == 0xFF) {
      return alpha && pf.alpha == 0xFF000000u ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    }
    if (pf.bits == 24 && pf.red == 0xFF0000 && pf.green == 0xFF00 && pf.blue == 0xFF) return D3DFMT_R8G8B8;
    if (pf.bits == 16 && pf.red == 0xF800 && pf.green == 0x7E0 && pf.blue == 0x1F) return D3DFMT_R5G6B5;
    if (pf.bits == 16 && pf.red == 0x7C00 && pf.green == 0x3E0 && pf.blue == 0x1F) {
      return alpha && pf.alpha == 0x8000 ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
    }
    if (pf.bits == 16 && pf.red == 0xF00 && pf.green == 0xF0 && pf.blue == 0xF && alpha) return D3DFMT_A4R4G4B4;
    return D3DFMT_UNKNOWN;
  }
  if (pf.flags & kLuminance) {
    if (pf.bits == 8) return D3DFMT_L8;
    if (pf.bits == 16 && alpha) return D3DFMT_A8L8;
    return D3DFMT_UNKNOWN;
  }
  if ((pf.flags & kAlphaOnly) && pf.bits == 8) return D3DFMT_A8;
  return D3DFMT_UNKNOWN;
}

}  // namespace

bool IsDds(const uint8_t* bytes, size_t size) { return size >= 4 && std::memcmp(bytes, "DDS ", 4) == 0; }

bool ReadDds(const uint8_t* bytes, size_t size, DdsImage& image) {
  if (!IsDds(bytes, size) || size < kDdsHeaderSize || Load32(bytes + 4) != 124) return false;
  const uint8_t* h = bytes + 4;  // header fields from here, as offsets into the 124-byte header
  uint32_t flags = Load32(h + 4);
  image.height = Load32(h + 8);
  image.width = Load32(h + 12);
  uint32_t mipCount = (flags & kMipMapCount) ? Load32(h + 24) : 1;
  PixelFormat pf{Load32(h + 76), Load32(h + 80), Load32(h + 84), Load32(h + 88), Load32(h + 92), Load32(h + 96),
                 Load32(h + 100)};
  uint32_t caps2 = Load32(h + 108);
  image.format = FormatOf(pf);
  const d3d8::FormatInfo* info = d3d8::FindFormat(image.format);
  if (!info || image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) return false;
  image.cube = (caps2 & kDdsCubeMapBit) != 0;
  // Partial cube maps are not read: every face must be there.
  if (image.cube && ((caps2 & kAllFaces) != kAllFaces || image.width != image.height)) return false;
  uint32_t fullChain = 1;
  for (uint32_t side = std::max(image.width, image.height); side > 1; side /= 2) ++fullChain;
  image.levels = std::clamp(mipCount, 1u, fullChain);
  image.data.clear();
  size_t offset = kDdsHeaderSize;
  for (uint32_t face = 0; face < (image.cube ? 6u : 1u); ++face) {
    for (uint32_t level = 0; level < image.levels; ++level) {
      uint32_t w = std::max(1u, image.width >> level), h2 = std::max(1u, image.height >> level);
      size_t levelSize = static_cast<size_t>(d3d8::RowPitch(*info, w)) * d3d8::RowCount(*info, h2);
      if (levelSize > size - offset) return false;
      image.data.push_back({bytes + offset, static_cast<uint32_t>(levelSize), w, h2});
      offset += levelSize;
    }
  }
  return true;
}

}  // namespace platform
