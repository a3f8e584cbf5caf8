// DoAction and DoInitAction: a frame's actions, queued on the clip that
// reaches the frame.
#pragma once
#include "swf/action/action_buffer.h"
#include "swf/movie/display_tag.h"

namespace swf {

class movie_definition_sub;

class do_action_tag : public display_tag {
 public:
  void read(bit_stream& in) { buffer.read(in); }
  void run(movie* m) override;
  bool holds_actions() const override { return true; }

  action_buffer buffer;
};

// Tag 12.
void do_action_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// Tag 59.
void do_init_action_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
