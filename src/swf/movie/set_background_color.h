// SetBackgroundColor: the colour behind the stage.
#pragma once
#include "swf/movie/display_tag.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

class set_background_color : public display_tag {
 public:
  // Sets the backdrop's colour and keeps its alpha.
  void run(movie* m) override;
  void run_state(movie* m) override { run(m); }

  rgba_color color;
};

// Tag 9.
void set_background_color_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
