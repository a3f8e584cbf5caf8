// RemoveObject and RemoveObject2: take the character at a depth off.
#pragma once
#include <cstdint>

#include "swf/movie/display_tag.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

class remove_object_2 : public display_tag {
 public:
  bool is_removal() const override { return true; }
  void run(movie* m) override;
  void run_state(movie* m) override { run(m); }
  // Puts back what the last placement of the depth before `frame` placed.
  void run_state_backwards(movie* m, int frame) override;

  int32_t depth = -1;
  int32_t character_id = -1;  // -1 for RemoveObject2
};

// Tags 5 and 28.
void remove_object_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
