// The 128 bytes that open a DDS file a test writes: the magic and a header
// with its mip count. A four-character code of 0 gives 32-bit texels with
// alpha (A8R8G8B8); `caps2` carries the cube-map bits.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/codecs/little_endian.h"

inline std::vector<uint8_t> DdsHeader(uint32_t width, uint32_t height, uint32_t levels, uint32_t fourCC,
                                      uint32_t caps2) {
  using platform::Append32;
  std::vector<uint8_t> out = {'D', 'D', 'S', ' '};
  Append32(out, 124);
  Append32(out, 0x21007);  // caps, height, width, pixel format, mip count
  Append32(out, height);
  Append32(out, width);
  Append32(out, 0);  // pitch
  Append32(out, 0);  // depth
  Append32(out, levels);
  for (int i = 0; i < 11; ++i) Append32(out, 0);
  Append32(out, 32);  // pixel format size
  if (fourCC) {
    Append32(out, 0x4);
    Append32(out, fourCC);
    for (int i = 0; i < 5; ++i) Append32(out, 0);
  } else {
    Append32(out, 0x41);  // RGB with alpha
    Append32(out, 0);
    Append32(out, 32);
    Append32(out, 0xFF0000);
    Append32(out, 0xFF00);
    Append32(out, 0xFF);
    Append32(out, 0xFF000000u);
  }
  Append32(out, 0x1000);  // caps
  Append32(out, caps2);
  for (int i = 0; i < 3; ++i) Append32(out, 0);
  return out;
}
