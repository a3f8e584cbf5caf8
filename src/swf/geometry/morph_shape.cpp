#include "swf/geometry/morph_shape.h"

#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
float lerp(float a, float b, float t) { return a + (b - a) * t; }

int read_style_count(bit_stream& in) {
  const int count = in.read_uint8();
  return count == 0xFF ? in.read_uint16() : count;
}

// The end shape's edges as one sequence across its paths. Where a malformed
// end shape has fewer edges than the start, the start's own edge stands in.
class end_edge_walk {
 public:
  explicit end_edge_walk(const shape_character& end) : paths_(end.paths) {}

  // The path the next edge comes from, or null past the last.
  const shape_path* current_path() {
    while (path_ < paths_.size() && edge_ >= paths_[path_].edges.size()) {
      ++path_;
      edge_ = 0;
    }
    return path_ < paths_.size() ? &paths_[path_] : nullptr;
  }

  const shape_edge& next(const shape_edge& fallback) {
    const shape_path* path = current_path();
    return path ? path->edges[edge_++] : fallback;
  }

 private:
  const dyn_array<shape_path>& paths_;
  int32_t path_ = 0;
  int32_t edge_ = 0;
};
}  // namespace

morph_shape::morph_shape() : start_(new shape_character), end_(new shape_character) {}

morph_shape::~morph_shape() {
  end_.reset();
  start_.reset();
}

void morph_shape::read_style_pairs(bit_stream& in, int tag_type, movie_definition_sub* m) {
  fill_style_count_ = static_cast<uint16_t>(read_style_count(in));
  for (int i = 0; i < fill_style_count_ && !in.overrun(); ++i) {
    fill_style from, to;
    from.type = to.type = in.read_uint8();
    if (from.type == fill_style::kSolid) {
      from.color.read_rgba(in);
      to.color.read_rgba(in);
    } else if (from.type == fill_style::kLinearGradient || from.type == fill_style::kRadialGradient) {
      matrix2x3 record;
      record.read(in);
      from.gradient_matrix = fill_style::gradient_matrix_for(from.type, record);
      record = matrix2x3();
      record.read(in);
      to.gradient_matrix = fill_style::gradient_matrix_for(to.type, record);
      const int stops = in.read_uint8();
      from.stops.resize(stops);
      to.stops.resize(stops);
      for (int s = 0; s < stops; ++s) {
        from.stops[s].ratio = in.read_uint8();
        from.stops[s].color.read(in, tag_type);
        to.stops[s].ratio = in.read_uint8();
        to.stops[s].color.read(in, tag_type);
      }
      if (stops > 0) {
        from.color = from.stops[0].color;
        to.color = to.stops[0].color;
      }
    } else if (from.type == fill_style::kRepeatingBitmap || from.type == fill_style::kClippedBitmap) {
      const int id = in.read_uint16();
      from.bitmap = to.bitmap = m ? m->find_bitmap_character(id) : nullptr;
      matrix2x3 record;
      record.read(in);
      from.bitmap_matrix.set_inverse(record);
      record = matrix2x3();
      record.read(in);
      to.bitmap_matrix.set_inverse(record);
    }
    start_->fill_styles.push_back(from);
    end_->fill_styles.push_back(to);
  }
  line_style_count_ = static_cast<uint16_t>(read_style_count(in));
  for (int i = 0; i < line_style_count_ && !in.overrun(); ++i) {
    line_style from, to;
    from.width = in.read_uint16();
    to.width = in.read_uint16();
    from.color.read(in, tag_type);
    to.color.read(in, tag_type);
    start_->line_styles.push_back(from);
    end_->line_styles.push_back(to);
  }
}

void morph_shape::read(bit_stream& in, int tag_type, movie_definition_sub* m) {
  start_->bounds.read(in);
  end_->bounds.read(in);
  end_edges_offset_ = in.read_uint32();
  read_style_pairs(in, tag_type, m);
  start_->read(in, tag_type, false, m);
  in.align_to_byte();
  end_->read(in, tag_type, false, m);

  // The blend takes the start shape's form.
  fill_styles = start_->fill_styles;
  line_styles = start_->line_styles;
  paths = start_->paths;
}

void morph_shape::blend(float r) {
  bounds.set_lerp(start_->bounds, end_->bounds, r);
  // Styles the start shape's records added have no end: they stay as read.
  for (int32_t i = 0; i < fill_styles.size() && i < end_->fill_styles.size(); ++i)
    fill_styles[i].set_lerp(start_->fill_styles[i], end_->fill_styles[i], r);
  for (int32_t i = 0; i < line_styles.size() && i < end_->line_styles.size(); ++i) {
    const line_style& from = start_->line_styles[i];
    const line_style& to = end_->line_styles[i];
    line_styles[i].width = static_cast<uint16_t>(static_cast<int>(lerp(from.width, to.width, r) + 0.5f));
    line_styles[i].color.set_lerp(from.color, to.color, r);
  }
  end_edge_walk walk(*end_);
  for (int32_t i = 0; i < paths.size(); ++i) {
    const shape_path& from = start_->paths[i];
    shape_path& path = paths[i];
    path.fill0 = from.fill0;
    path.fill1 = from.fill1;
    path.line = from.line;
    if (path.fill0 == 0 && path.fill1 == 0 && !start_->fill_styles.empty()) path.fill0 = 1;
    const shape_path* to = walk.current_path();
    path.start_x = lerp(from.start_x, to ? to->start_x : from.start_x, r);
    path.start_y = lerp(from.start_y, to ? to->start_y : from.start_y, r);
    for (int32_t e = 0; e < path.edges.size(); ++e) {
      const shape_edge& a = from.edges[e];
      const shape_edge& b = walk.next(a);
      path.edges[e] = {lerp(a.control_x, b.control_x, r), lerp(a.control_y, b.control_y, r),
                       lerp(a.anchor_x, b.anchor_x, r), lerp(a.anchor_y, b.anchor_y, r)};
    }
  }
}

void morph_shape::display_with(const display_state& state) {
  const float r = state.ratio;
  const float wanted = wanted_tolerance(state);
  if (wanted == 0) return;
  if (r != last_ratio_ || !current_) {
    blend(r);
    last_ratio_ = r;
    current_.reset(new tessellation(this, 0.75f * wanted));
  }
  current_->display(state.world_matrix, state.world_cxform, fill_styles, line_styles);
}

}  // namespace swf
