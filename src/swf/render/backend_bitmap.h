// A bitmap as the render backend holds it: an index into the backend's
// texture table and the image's size. Deleting it leaves the texture alone.
#pragma once
#include <cstdint>

#include "swf/base/counted_object.h"

namespace swf {

class backend_bitmap : public counted_object {
 public:
  backend_bitmap() = default;
  backend_bitmap(int32_t texture_index, int32_t width, int32_t height)
      : texture_index(texture_index), width(width), height(height) {}

  int32_t texture_index = 0;  // 0 for a bitmap made without a backend
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace swf
