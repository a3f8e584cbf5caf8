#include "platform/codecs/image_header.h"

#include <cstring>

#include "platform/codecs/little_endian.h"

namespace platform {
namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t Load16Big(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }
uint32_t Load32Big(const uint8_t* p) { return Load16Big(p) << 16 | Load16Big(p + 2); }

// The first chunk after the signature is the header: width and height, big-endian.
bool PngSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height) {
  if (size < 24 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  *width = Load32Big(bytes + 16);
  *height = Load32Big(bytes + 20);
  return true;
}

// Marker segments up to the first frame header (SOF0 to SOF15; C4, C8 and CC
// are other markers), which holds the height and then the width.
bool JpegSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height) {
  size_t at = 2;
  while (at + 4 <= size) {
    if (bytes[at] != 0xFF) return false;
    const uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return false;  // end of image, start of scan
    const size_t length = Load16Big(bytes + at + 2);
    if (length < 2) return false;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 7 || at + 9 > size) return false;
      *height = Load16Big(bytes + at + 5);
      *width = Load16Big(bytes + at + 7);
      return true;
    }
    at += 2 + length;
  }
  return false;
}

// A 12-byte core header holds 16-bit sizes, the others 32-bit ones; a
// negative height stores the rows from the top.
bool BmpSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height) {
  if (size < 22) return false;
  if (Load32(bytes + 14) == 12) {
    *width = Load16(bytes + 18);
    *height = Load16(bytes + 20);
    return true;
  }
  if (size < 26) return false;
  const int64_t w = static_cast<int32_t>(Load32(bytes + 18));
  const int64_t h = static_cast<int32_t>(Load32(bytes + 22));
  if (w < 0) return false;
  *width = static_cast<uint32_t>(w);
  *height = static_cast<uint32_t>(h < 0 ? -h : h);
  return true;
}

// TGA pixels follow the header, the image's id and its colour map: plain,
// each pixel whole; run-length packed (type bit 3), a packet byte and one
// pixel at least for every 128 pixels. A file too short for the pixels it
// claims would fail in the decoder only after the whole picture was allocated.
bool TgaSize(const uint8_t* bytes, size_t size, uint32_t* width, uint32_t* height) {
  constexpr size_t kHeader = 18;
  constexpr uint8_t kRunLength = 8;
  constexpr uint64_t kPixelsPerPacket = 128;
  if (size < kHeader) return false;
  *width = Load16(bytes + 12);
  *height = Load16(bytes + 14);
  const uint64_t mapBytes = bytes[1] == 1 ? uint64_t{Load16(bytes + 5)} * ((bytes[7] + 7u) / 8) : 0;
  const uint64_t pixelBytes = (bytes[16] + 7u) / 8;
  const uint64_t pixels = uint64_t{*width} * *height;
  const uint64_t least = (bytes[2] & kRunLength)
                             ? (pixels + kPixelsPerPacket - 1) / kPixelsPerPacket * (1 + pixelBytes)
                             : pixels * pixelBytes;
  return kHeader + bytes[0] + mapBytes + least <= size;
}

}  // namespace

ImageType ImageTypeOf(const uint8_t* bytes, size_t size) {
  if (size >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0)
    return ImageType::kPng;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return ImageType::kJpeg;
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ImageType::kBmp;
  return ImageType::kTga;
}

bool ReadImageSize(const uint8_t* bytes, size_t size, ImageType type, uint32_t* width, uint32_t* height) {
  switch (type) {
    case ImageType::kPng: return PngSize(bytes, size, width, height);
    case ImageType::kJpeg: return JpegSize(bytes, size, width, height);
    case ImageType::kBmp: return BmpSize(bytes, size, width, height);
    case ImageType::kTga: return TgaSize(bytes, size, width, height);
  }
  return false;
}

}  // namespace platform
