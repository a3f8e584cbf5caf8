// A DefineMorphShape: a start and an end shape with matching styles and
// edges. Its own styles and paths hold the blend last shown; it blends and
// tessellates again only when the ratio it is shown at changes.
#pragma once
#include <cstdint>
#include <memory>

#include "swf/geometry/shape_character.h"

namespace swf {

class morph_shape : public shape_character {
 public:
  morph_shape();
  ~morph_shape() override;

  void read(bit_stream& in, int tag_type, movie_definition_sub* m);
  void display_with(const display_state& state) override;

  const shape_character& start_shape() const { return *start_; }
  const shape_character& end_shape() const { return *end_; }
  const tessellation* current_tessellation() const { return current_.get(); }

 private:
  // Rewrites the inherited bounds, styles and paths as the blend at `ratio`.
  void blend(float ratio);
  void read_style_pairs(bit_stream& in, int tag_type, movie_definition_sub* m);

  std::unique_ptr<shape_character> start_;
  std::unique_ptr<shape_character> end_;
  uint32_t end_edges_offset_ = 0;
  uint16_t fill_style_count_ = 0;
  uint16_t line_style_count_ = 0;
  float last_ratio_ = -1.0f;
  std::unique_ptr<tessellation> current_;
};

}  // namespace swf
