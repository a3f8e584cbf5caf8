// What an image file's header claims, read before any decoder allocates by
// it: the file's type by its signature and the picture's size. For the types
// the image loader hands to SDL2_image: PNG, JPEG, BMP and TGA.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// TGA files carry no signature: whatever is none of the others.
enum class ImageType { kPng, kJpeg, kBmp, kTga };

ImageType ImageTypeOf(const uint8_t* bytes, size_t size);

// The width and height the header names; false when it is cut short or names
// none (a JPEG whose frame header does not come before its first scan), and
// for a TGA file when it is too short for the pixels it names.
bool ReadImageSize(const uint8_t* bytes, size_t size, ImageType type, uint32_t* width, uint32_t* height);

}  // namespace platform
