#include "platform/d3d8/d3d8_format.h"

#include "platform/codecs/little_endian.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::d3d8 {
namespace {

using platform::Load16;
using platform::Store16;

const FormatInfo kFormats[] = {
    {D3DFMT_A8R8G8B8, "D3DFMT_A8R8G8B8", 4, 0, true, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_X8R8G8B8, "D3DFMT_X8R8G8B8", 4, 0, false, GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {D3DFMT_R8G8B8, "D3DFMT_R8G8B8", 3, 0, false, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE},
    {D3DFMT_R5G6B5, "D3DFMT_R5G6B5", 2, 0, false, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {D3DFMT_X1R5G5B5, "D3DFMT_X1R5G5B5", 2, 0, false, GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {D3DFMT_A1R5G5B5, "D3DFMT_A1R5G5B5", 2, 0, true, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {D3DFMT_A4R4G4B4, "D3DFMT_A4R4G4B4", 2, 0, true, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
    {D3DFMT_A8, "D3DFMT_A8", 1, 0, true, GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE},
    {D3DFMT_L8, "D3DFMT_L8", 1, 0, false, GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE},
    {D3DFMT_A8L8, "D3DFMT_A8L8", 2, 0, true, GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE},
    {D3DFMT_DXT1, "D3DFMT_DXT1", 0, 8, true, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0, 0},
    {D3DFMT_DXT3, "D3DFMT_DXT3", 0, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0},
    {D3DFMT_DXT5, "D3DFMT_DXT5", 0, 16, true, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0},
};

uint32_t Expand(uint32_t value, uint32_t bits) {
  // Replicates the high bits into the low ones, so full scale stays 255.
  uint32_t v = value << (8 - bits);
  return v | (v >> bits);
}

}  // namespace

const FormatInfo* FindFormat(D3DFORMAT format) {
  for (const FormatInfo& info : kFormats) {
    if (info.format == format) return &info;
  }
  return nullptr;
}

const char* FormatName(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  return info ? info->name : "D3DFMT_UNKNOWN";
}

uint32_t RowPitch(const FormatInfo& info, uint32_t width) {
  if (info.bytesPerBlock) return ((width + 3) / 4) * info.bytesPerBlock;
  return width * info.bytesPerTexel;
}

uint32_t RowCount(const FormatInfo& info, uint32_t height) {
  return info.bytesPerBlock ? (height + 3) / 4 : height;
}

uint32_t ReadTexel(D3DFORMAT format, const uint8_t* t) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
      return t[0] | (t[1] << 8) | (t[2] << 16) | (static_cast<uint32_t>(t[3]) << 24);
    case D3DFMT_X8R8G8B8:
    case D3DFMT_R8G8B8:
      return 0xFF000000u | t[0] | (t[1] << 8) | (t[2] << 16);
    case D3DFMT_R5G6B5: {
      uint32_t v = Load16(t);
      return 0xFF000000u | (Expand(v >> 11, 5) << 16) | (Expand((v >> 5) & 63, 6) << 8) | Expand(v & 31, 5);
    }
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: {
      uint32_t v = Load16(t);
      uint32_t a = (format == D3DFMT_X1R5G5B5 || (v & 0x8000)) ? 0xFF : 0;
      return (a << 24) | (Expand((v >> 10) & 31, 5) << 16) | (Expand((v >> 5) & 31, 5) << 8) | Expand(v & 31, 5);
    }
    case D3DFMT_A4R4G4B4: {
      uint32_t v = Load16(t);
      return (Expand(v >> 12, 4) << 24) | (Expand((v >> 8) & 15, 4) << 16) | (Expand((v >> 4) & 15, 4) << 8) |
             Expand(v & 15, 4);
    }
    case D3DFMT_A8:
      return static_cast<uint32_t>(t[0]) << 24;
    case D3DFMT_L8:
      return 0xFF000000u | (t[0] << 16) | (t[0] << 8) | t[0];
    case D3DFMT_A8L8:
      return (static_cast<uint32_t>(t[1]) << 24) | (t[0] << 16) | (t[0] << 8) | t[0];
    default:
      return 0;
  }
}

void WriteTexel(D3DFORMAT format, uint8_t* t, uint32_t argb) {
  uint32_t a = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      t[0] = static_cast<uint8_t>(b);
      t[1] = static_cast<uint8_t>(g);
      t[2] = static_cast<uint8_t>(r);
      t[3] = static_cast<uint8_t>(format == D3DFMT_X8R8G8B8 ? 0xFF : a);
      break;
    case D3DFMT_R8G8B8:
      t[0] = static_cast<uint8_t>(b);
      t[1] = static_cast<uint8_t>(g);
      t[2] = static_cast<uint8_t>(r);
      break;
    case D3DFMT_R5G6B5:
      Store16(t, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
      break;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      Store16(t, ((format == D3DFMT_X1R5G5B5 || a >= 128) ? 0x8000 : 0) | ((r >> 3) << 10) | ((g >> 3) << 5) |
                     (b >> 3));
      break;
    case D3DFMT_A4R4G4B4:
      Store16(t, ((a >> 4) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4));
      break;
    case D3DFMT_A8:
      t[0] = static_cast<uint8_t>(a);
      break;
    case D3DFMT_L8:
      t[0] = static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
      break;
    case D3DFMT_A8L8:
      t[0] = static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
      t[1] = static_cast<uint8_t>(a);
      break;
    default:
      break;
  }
}

}  // namespace platform::d3d8
