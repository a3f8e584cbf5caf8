// The format record a TextFormat object carries and an edit text definition
// keeps: what a movie asked of a text's look. Nothing draws from it yet; the
// fields a script can set are copied in by setTextFormat.
#pragma once
#include <cstdint>

#include "swf/base/small_string.h"

namespace swf {

struct text_format {
  bool underline = false;
  bool bold = false;
  bool italic = false;
  bool bullet = false;
  small_string align;
  float block_indent = -1.0f;
  int32_t color = 0;
  small_string font;
  float indent = -1.0f;
  float leading = -1.0f;
  float left_margin = -1.0f;
  float right_margin = -1.0f;
  float size = -1.0f;
  int32_t tab_stops = -1;
  int32_t target = -1;
  small_string url;
};

}  // namespace swf
