#include "swf/bitmap/pixel_image.h"

#include <cstring>

#include "swf/base/hash_functions.h"
#include "swf/base/log.h"

namespace swf {

pixel_image::pixel_image(int32_t width, int32_t height, int32_t pitch)
    : data(new uint8_t[static_cast<size_t>(pitch) * static_cast<size_t>(height)]()),
      width(width),
      height(height),
      pitch(pitch) {}

pixel_image::~pixel_image() {
  delete[] data;
  data = nullptr;
}

rgb_image::rgb_image(int32_t width, int32_t height) : pixel_image(width, height, (width * 3 + 3) & ~3) {}

rgba_image::rgba_image(int32_t width, int32_t height) : pixel_image(width, height, width * 4) {}

void rgba_image::set_pixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  uint8_t* p = data + y * pitch + x * 4;
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = a;
}

alpha_image::alpha_image(int32_t width, int32_t height) : pixel_image(width, height, width) {}

bool alpha_image::equals(const alpha_image& other) const {
  if (width != other.width || height != other.height) return false;
  for (int y = 0; y < height; ++y)
    if (std::memcmp(data + y * pitch, other.data + y * other.pitch, static_cast<size_t>(width)) != 0) return false;
  return true;
}

uint32_t alpha_image::hash() const {
  uint32_t h = hash_bytes_xor33(&width, sizeof width, kHashSeed);
  h = hash_bytes_xor33(&height, sizeof height, h);
  for (int y = 0; y < height; ++y) h = hash_bytes_xor33(data + y * pitch, static_cast<size_t>(width), h);
  return h;
}

bool image_size_allowed(int64_t width, int64_t height) {
  if (width >= 0 && height >= 0 && width * height <= kMaxImagePixels) return true;
  log_error("image of %lld x %lld pixels is too large; skipping it\n", static_cast<long long>(width),
            static_cast<long long>(height));
  return false;
}

rgb_image* make_rgb_image(int32_t width, int32_t height) { return new rgb_image(width, height); }
rgba_image* make_rgba_image(int32_t width, int32_t height) { return new rgba_image(width, height); }

uint8_t* image_row(pixel_image* image, int y) { return image->data + y * image->pitch; }

}  // namespace swf
