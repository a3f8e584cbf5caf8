// Image buffers: rows one after another, top row first, `pitch` bytes apart.
#pragma once
#include <cstdint>

namespace swf {

struct pixel_image {
  pixel_image(int32_t width, int32_t height, int32_t pitch);
  ~pixel_image();
  pixel_image(const pixel_image&) = delete;
  pixel_image& operator=(const pixel_image&) = delete;

  uint8_t* data;  // pitch x height bytes, zero-filled
  int32_t width;
  int32_t height;
  int32_t pitch;
};

// Red, green, blue; rows padded to a multiple of 4 bytes.
struct rgb_image : pixel_image {
  rgb_image(int32_t width, int32_t height);
};

// Red, green, blue, alpha.
struct rgba_image : pixel_image {
  rgba_image(int32_t width, int32_t height);
  void set_pixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
};

// 8-bit coverage.
struct alpha_image : pixel_image {
  alpha_image(int32_t width, int32_t height);
  // Same size and the same first `width` bytes in every row.
  bool equals(const alpha_image& other) const;
  uint32_t hash() const;
};

// The largest image a movie may hold, in pixels; larger ones are refused.
constexpr int64_t kMaxImagePixels = 0xFFFFFF;
// True when an image of the size may be made; says why not in the log.
bool image_size_allowed(int64_t width, int64_t height);

rgb_image* make_rgb_image(int32_t width, int32_t height);
rgba_image* make_rgba_image(int32_t width, int32_t height);
uint8_t* image_row(pixel_image* image, int y);

}  // namespace swf
