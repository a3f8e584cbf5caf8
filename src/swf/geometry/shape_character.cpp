#include "swf/geometry/shape_character.h"

#include <algorithm>
#include <cmath>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/geometry/trapezoid_tessellator.h"
#include "swf/script/movie.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kFlagMoveTo = 0x01;
constexpr int kFlagFill0 = 0x02;
constexpr int kFlagFill1 = 0x04;
constexpr int kFlagLine = 0x08;
constexpr int kFlagNewStyles = 0x10;

// Appends a path that has edges and starts the next one at the pen with the
// same styles.
void flush_path(dyn_array<shape_path>* paths, shape_path* current, float pen_x, float pen_y) {
  if (current->empty()) return;
  paths->push_back(*current);
  current->edges.clear();
  current->start_x = pen_x;
  current->start_y = pen_y;
}

// Whether the ray from (x, y) towards +x crosses the edge from p.
bool crosses(float px, float py, const shape_edge& e, float x, float y) {
  const float cx = e.control_x, cy = e.control_y, ax = e.anchor_x, ay = e.anchor_y;
  if (cx == ax && cy == ay) {
    const float lhs = (ax - px) * (y - py) + px * (ay - py);
    const float rhs = x * (ay - py);
    if (py < y && y <= ay) return lhs > rhs;
    if (py > y && y >= ay) return lhs < rhs;
    return false;
  }
  if ((py < y && cy < y && ay < y) || (py > y && cy > y && ay > y) || (px < x && cx < x && ax < x)) return false;
  const float b = 2 * (cy - py), c = py - y, a = py + ay - 2 * cy;
  const float d = b * b - 4 * a * c;
  if (d < 0) return false;
  const float q = b < 0 ? -0.5f * (b - std::sqrt(d)) : -0.5f * (b + std::sqrt(d));
  int count = 0;
  auto count_root = [&](float t) {
    if (t >= 0 && t < 1 && x < px + t * (2 * (cx - px) + t * (px + ax - 2 * cx))) ++count;
  };
  if (a != 0) count_root(q / a);
  if (q != 0) count_root(c / q);
  return count % 2 == 1;
}

bool path_contains(const shape_path& path, float x, float y) {
  if (path.empty() || path.fill0 < 0) return false;
  float px = path.start_x, py = path.start_y;
  int count = 0;
  for (const shape_edge& e : path.edges) {
    if (crosses(px, py, e, x, y)) ++count;
    px = e.anchor_x;
    py = e.anchor_y;
  }
  return count % 2 == 1;
}
}  // namespace

void shape_character::read(bit_stream& in, int tag_type, bool with_styles, movie_definition_sub* m) {
  if (with_styles) {
    bounds.read(in);
    read_fill_styles(&fill_styles, in, tag_type, m);
    read_line_styles(&line_styles, in, tag_type);
  }
  int fill_bits = in.read_bits(4);
  int line_bits = in.read_bits(4);
  int fill_base = 0, line_base = 0;
  float pen_x = 0, pen_y = 0;
  shape_path current;
  for (;;) {
    if (in.read_bits(1)) {
      const bool straight = in.read_bits(1);
      const int bits = in.read_bits(4) + 2;
      shape_edge edge;
      if (straight) {
        float dx = 0, dy = 0;
        if (in.read_bits(1)) {
          dx = in.read_signed_bits(bits);
          dy = in.read_signed_bits(bits);
        } else if (in.read_bits(1)) {
          dy = in.read_signed_bits(bits);
        } else {
          dx = in.read_signed_bits(bits);
        }
        edge.anchor_x = edge.control_x = pen_x + dx;
        edge.anchor_y = edge.control_y = pen_y + dy;
      } else {
        edge.control_x = pen_x + in.read_signed_bits(bits);
        edge.control_y = pen_y + in.read_signed_bits(bits);
        edge.anchor_x = edge.control_x + in.read_signed_bits(bits);
        edge.anchor_y = edge.control_y + in.read_signed_bits(bits);
      }
      current.edges.push_back(edge);
      pen_x = edge.anchor_x;
      pen_y = edge.anchor_y;
      continue;
    }
    const int flags = in.read_bits(5);
    if (flags == 0) break;
    if (flags & kFlagMoveTo) {
      flush_path(&paths, &current, pen_x, pen_y);
      const int bits = in.read_bits(5);
      pen_x = in.read_signed_bits(bits);
      pen_y = in.read_signed_bits(bits);
      current.start_x = pen_x;
      current.start_y = pen_y;
    }
    if ((flags & kFlagFill0) && fill_bits > 0) {
      flush_path(&paths, &current, pen_x, pen_y);
      const int value = in.read_bits(fill_bits);
      current.fill0 = value > 0 ? value + fill_base : value;
    }
    if ((flags & kFlagFill1) && fill_bits > 0) {
      flush_path(&paths, &current, pen_x, pen_y);
      const int value = in.read_bits(fill_bits);
      current.fill1 = value > 0 ? value + fill_base : value;
    }
    if ((flags & kFlagLine) && line_bits > 0) {
      flush_path(&paths, &current, pen_x, pen_y);
      const int value = in.read_bits(line_bits);
      current.line = value > 0 ? value + line_base : value;
    }
    if (flags & kFlagNewStyles) {
      if (!current.empty()) {
        paths.push_back(current);
        current.edges.clear();
        current.fill0 = current.fill1 = current.line = -1;
      }
      paths.push_back(shape_path());
      paths.back().new_shape = true;
      fill_base = fill_styles.size();
      line_base = line_styles.size();
      read_fill_styles(&fill_styles, in, tag_type, m);
      read_line_styles(&line_styles, in, tag_type);
      fill_bits = in.read_bits(4);
      line_bits = in.read_bits(4);
    }
  }
  if (!current.empty()) paths.push_back(current);
}

display_state instance_display_state(movie* instance) {
  display_state state;
  state.world_matrix = instance->get_world_matrix();
  state.world_cxform = instance->get_world_color_transform();
  state.pixel_scale = instance->parent ? instance->parent->get_pixel_scale() : instance->get_pixel_scale();
  state.ratio = instance->ratio;
  return state;
}

bool shape_character::hit_test_local(float x, float y) {
  if (x < bounds.x_min || x > bounds.x_max || y < bounds.y_min || y > bounds.y_max) return false;
  for (const shape_path& path : paths)
    if (path_contains(path, x, y)) return true;
  return false;
}

void shape_character::outline_bounds(bounds_rect* out) const {
  out->x_min = out->y_min = 1e10f;
  out->x_max = out->y_max = -1e10f;
  for (const shape_path& path : paths) {
    out->expand_to_point(path.start_x, path.start_y);
    for (const shape_edge& e : path.edges) out->expand_to_point(e.anchor_x, e.anchor_y);
  }
}

void shape_character::tessellate_into(float tolerance, trapezoid_sink* sink) {
  trapezoid_tessellator::start_shape(sink, tolerance);
  for (const shape_path& path : paths) {
    if (path.new_shape) {
      trapezoid_tessellator::finish_shape();
      trapezoid_tessellator::start_shape(sink, tolerance);
      continue;
    }
    trapezoid_tessellator::start_path(path.fill0 - 1, path.fill1 - 1, path.line - 1, path.start_x, path.start_y);
    for (const shape_edge& e : path.edges)
      trapezoid_tessellator::curve_to(e.control_x, e.control_y, e.anchor_x, e.anchor_y);
    trapezoid_tessellator::finish_path();
  }
  trapezoid_tessellator::finish_shape();
}

float shape_character::wanted_tolerance(const display_state& state) {
  const float scale = state.world_matrix.max_scale();
  if (std::fabs(scale) < 1e-6f) return 0;
  const float wanted = 20.0f / state.pixel_scale / scale;
  return std::isfinite(wanted) && wanted > 0 ? wanted : 0;
}

void shape_character::display_with(const display_state& state) {
  display_with_styles(state, fill_styles, line_styles);
}

void shape_character::display_with_styles(const display_state& state, dyn_array<fill_style>& fills,
                                          dyn_array<line_style>& lines) {
  const float wanted = wanted_tolerance(state);
  if (wanted == 0) return;
  for (const std::unique_ptr<tessellation>& t : tessellations_) {
    if (wanted > 3 * t->tolerance()) break;  // every later one is finer still
    if (wanted > t->tolerance()) {
      t->display(state.world_matrix, state.world_cxform, fills, lines);
      return;
    }
  }
  tessellations_.push_back(std::make_unique<tessellation>(this, 0.75f * wanted));
  tessellations_.back()->display(state.world_matrix, state.world_cxform, fills, lines);
  std::stable_sort(tessellations_.begin(), tessellations_.end(),
                   [](const std::unique_ptr<tessellation>& a, const std::unique_ptr<tessellation>& b) {
                     return a->tolerance() > b->tolerance();
                   });
}

void shape_character::save_cached_data(file_object* file) const {
  const uint32_t count = static_cast<uint32_t>(tessellations_.size());
  const uint8_t bytes[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
  file->write(bytes, 4);
  for (const std::unique_ptr<tessellation>& t : tessellations_) t->save_cached_data(file);
}

bool shape_character::load_cached_data(file_object* file) {
  const uint32_t count = file->read_le32();
  tessellations_.clear();
  // A record takes at least its tolerance and its two counts.
  if (!cache_count_fits(file, count, 12)) {
    log_error("cache file holds more tessellations than it has data for; skipping rest of cache data\n");
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    std::unique_ptr<tessellation> t(new tessellation);
    if (!t->load_cached_data(file)) return false;
    tessellations_.push_back(std::move(t));
  }
  return true;
}

}  // namespace swf
