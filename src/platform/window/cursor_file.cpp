#include "platform/window/cursor_file.h"

#include "platform/codecs/little_endian.h"

namespace platform {
namespace {

constexpr size_t kDirectoryHeader = 6;  // reserved, type (2: cursor), image count
constexpr size_t kEntrySize = 16;
constexpr uint32_t kBitmapHeaderSize = 40;
constexpr uint16_t kCursorType = 2;

// Bytes of one row of `bits` bits, padded to whole 32-bit words.
uint64_t RowBytes(uint64_t bits) { return (bits + 31) / 32 * 4; }

// One directory entry and the bitmap it points at.
bool CheckImage(const uint8_t* bytes, size_t size, const uint8_t* entry) {
  const uint32_t width = entry[0] ? entry[0] : kMaxCursorSide;  // 0 stands for 256
  const uint32_t height = entry[1] ? entry[1] : kMaxCursorSide;
  const uint64_t imageBytes = Load32(entry + 8);
  const uint64_t offset = Load32(entry + 12);
  if (imageBytes < kBitmapHeaderSize || offset + imageBytes > size) return false;
  const uint8_t* header = bytes + offset;
  // The bitmap's height counts the colour rows and the mask rows.
  const int32_t bitmapWidth = static_cast<int32_t>(Load32(header + 4));
  const int32_t bitmapHeight = static_cast<int32_t>(Load32(header + 8));
  const uint32_t bitCount = Load16(header + 14);
  const uint32_t compression = Load32(header + 16);
  const uint32_t coloursUsed = Load32(header + 32);
  if (Load32(header) != kBitmapHeaderSize || bitmapWidth != static_cast<int32_t>(width) ||
      bitmapHeight != static_cast<int32_t>(2 * height) || compression != 0)
    return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return false;
  uint64_t palette = 0;
  if (bitCount <= 8) {
    palette = coloursUsed ? coloursUsed : (1u << bitCount);
    if (palette > (1u << bitCount)) return false;
  }
  const uint64_t needed =
      kBitmapHeaderSize + palette * 4 + (RowBytes(uint64_t{width} * bitCount) + RowBytes(width)) * height;
  return needed <= imageBytes;
}

}  // namespace

bool CheckCursorFile(const uint8_t* bytes, size_t size, int* hotX, int* hotY) {
  if (!bytes || size < kDirectoryHeader || Load16(bytes) != 0 || Load16(bytes + 2) != kCursorType) return false;
  const size_t count = Load16(bytes + 4);
  if (count == 0 || kDirectoryHeader + count * kEntrySize > size) return false;
  for (size_t i = 0; i < count; ++i) {
    if (!CheckImage(bytes, size, bytes + kDirectoryHeader + i * kEntrySize)) return false;
  }
  // A cursor's entry holds its hot spot where an icon's holds planes and bit count.
  *hotX = Load16(bytes + kDirectoryHeader + 4);
  *hotY = Load16(bytes + kDirectoryHeader + 6);
  return true;
}

}  // namespace platform
