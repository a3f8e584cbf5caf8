#include "swf/geometry/line_style.h"

#include "swf/base/log.h"
#include "swf/render/render_backend.h"
#include "swf/stream/bit_stream.h"

namespace swf {

void line_style::apply(float) {
  render::solid_stroke(color);
  render::stroke_width(width);
}

void read_line_styles(dyn_array<line_style>* styles, bit_stream& in, int tag_type) {
  int count = in.read_uint8();
  if (count == 0xFF) {
    count = in.read_uint16();
    log_message("  read_line_styles: count2 = %d\n", count);
  }
  // A count beyond the tag's data stops where the data does.
  for (int i = 0; i < count && !in.overrun(); ++i) {
    line_style style;
    style.width = in.read_uint16();
    style.color.read(in, tag_type);
    styles->push_back(style);
  }
}

}  // namespace swf
