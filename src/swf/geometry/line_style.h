// The paint of a shape's outlines: a width in twips and a colour.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class bit_stream;

class line_style {
 public:
  virtual ~line_style() = default;
  // Sets the render backend's stroke.
  virtual void apply(float ratio);

  uint16_t width = 0;
  rgba_color color;
};

// Appends a line style array: an 8-bit count, 255 meaning a 16-bit count
// follows, in every shape tag.
void read_line_styles(dyn_array<line_style>* styles, bit_stream& in, int tag_type);

}  // namespace swf
