// Cursor files (.cur): a directory of images, each a device-independent
// bitmap followed by its transparency mask. The file is checked before any
// decoder sees it, so that a header claiming a huge image is refused rather
// than allocated.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// A cursor image is at most this many pixels across and down.
constexpr uint32_t kMaxCursorSide = 256;

// True when the file is a cursor file whose every image is at most
// kMaxCursorSide square, is as large as its directory entry says, and lies
// whole inside the file (header, palette, colour and mask rows); the hot spot
// is that of the first image.
bool CheckCursorFile(const uint8_t* bytes, size_t size, int* hotX, int* hotY);

}  // namespace platform
