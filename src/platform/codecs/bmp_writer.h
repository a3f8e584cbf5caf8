// Writes 0xAARRGGBB pixels (rows from the top) as a 24-bit uncompressed BMP.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// False when the image is too large for the format's 32-bit sizes or the file
// cannot be written whole.
bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const uint32_t* pixels);

}  // namespace platform
