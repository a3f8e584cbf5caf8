// PlaceObject and PlaceObject2: put a character at a depth, move the one
// there, or replace it.
#pragma once
#include <cstdint>
#include <memory>

#include "swf/base/dyn_array.h"
#include "swf/movie/display_tag.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"

namespace swf {

class bit_stream;
class movie_definition_sub;
class swf_event;

class place_object_2 : public display_tag {
 public:
  enum place_type { PLACE = 0, MOVE = 1, REPLACE = 2 };

  ~place_object_2() override;
  void read(bit_stream& in, int tag_type, int swf_version);
  uint32_t placement_key() const override;
  void run(movie* m) override;
  void run_state(movie* m) override { run(m); }
  // Undoes the tag when a timeline seeks back over `frame`.
  void run_state_backwards(movie* m, int frame) override;

  int32_t tag_type = 0;
  std::unique_ptr<char[]> name;  // null when absent
  float ratio = 0;
  color_xform cxform;
  matrix2x3 matrix;
  bool has_matrix = false;
  bool has_cxform = false;
  uint16_t depth = 0;
  uint16_t character_id = 0;
  uint16_t clip_depth = 0;
  place_type type = PLACE;
  dyn_array<swf_event*> events;  // owned

 private:
  void read_place_object(bit_stream& in);
  void read_place_object_2(bit_stream& in, int swf_version);
};

// Tags 4 and 26.
void place_object_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
