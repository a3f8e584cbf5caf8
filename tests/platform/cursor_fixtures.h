// Cursor files made in memory for the tests and the cursor fuzz target.
#pragma once
#include <cstdint>
#include <vector>

namespace cursor_fixtures {

// The offset of the first image's bitmap header in ArrowCursor.
constexpr size_t kBitmapOffset = 22;

// A 2 x 2 cursor file with its hot spot at (1, 1): 32-bit pixels, then the
// transparency mask.
inline std::vector<uint8_t> ArrowCursor() {
  std::vector<uint8_t> bytes;
  auto put = [&bytes](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  put(0, 2), put(2, 2), put(1, 2);                                    // a cursor file of one image
  put(2, 1), put(2, 1), put(0, 1), put(0, 1);                         // 2 x 2, no palette
  put(1, 2), put(1, 2), put(40 + 16 + 8, 4), put(kBitmapOffset, 4);  // hot spot, image size, offset
  put(40, 4), put(2, 4), put(4, 4), put(1, 2), put(32, 2);            // image header: height counts the mask
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int i = 0; i < 4; ++i) put(0xFF204080u, 4);  // pixels
  for (int i = 0; i < 2; ++i) put(0, 4);            // mask rows
  return bytes;
}

}  // namespace cursor_fixtures
