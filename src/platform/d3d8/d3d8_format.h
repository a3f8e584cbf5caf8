// Texel formats of the Direct3D layer: sizes, OpenGL upload parameters and
// conversion of single texels to and from 0xAARRGGBB words.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/d3d8/d3d8.h"

namespace platform::d3d8 {

struct FormatInfo {
  D3DFORMAT format;
  const char* name;         // the Direct3D constant's spelling
  uint32_t bytesPerTexel;   // 0 for block-compressed formats
  uint32_t bytesPerBlock;   // 4 x 4 blocks; 0 for plain formats
  bool hasAlpha;
  uint32_t glInternalFormat;
  uint32_t glFormat;        // 0 for block-compressed formats
  uint32_t glType;
};

// Null for a format the layer does not store.
const FormatInfo* FindFormat(D3DFORMAT format);
// "D3DFMT_UNKNOWN" for any format the layer does not know.
const char* FormatName(D3DFORMAT format);

// Bytes in one row of texels (one row of blocks when compressed).
uint32_t RowPitch(const FormatInfo& info, uint32_t width);
// Rows of the pitch above in a level of the given height.
uint32_t RowCount(const FormatInfo& info, uint32_t height);

// Plain formats only; a texel of any other format reads as 0.
uint32_t ReadTexel(D3DFORMAT format, const uint8_t* texel);
void WriteTexel(D3DFORMAT format, uint8_t* texel, uint32_t argb);

}  // namespace platform::d3d8
