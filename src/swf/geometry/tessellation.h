// A shape made drawable at one curve tolerance: a triangle strip per fill
// style and a polyline per outlined path, in signed 16-bit twips.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/geometry/fill_style.h"
#include "swf/geometry/line_style.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"

namespace swf {

class file_object;
class trapezoid_sink;

// What the tessellator can walk.
class tessellated_shape {
 public:
  virtual ~tessellated_shape() = default;
  virtual void tessellate_into(float tolerance, trapezoid_sink* sink) = 0;
};

struct outline {
  int32_t line_style = 0;  // 0-based
  dyn_array<int16_t> coords;
};

// Whether `count` items of `item_bytes` each fit in what is left of the file.
bool cache_count_fits(file_object* file, uint32_t count, int64_t item_bytes);

// Truncated toward zero and saturated to the 16-bit range; NaN gives 0.
int16_t to_int16_saturated(float v);

class tessellation {
 public:
  // An empty tessellation, to be read from a cache file.
  tessellation() = default;
  tessellation(tessellated_shape* shape, float tolerance);

  // Draws the meshes whose fill style exists and can be applied, then the
  // outlines whose line style exists.
  void display(const matrix2x3& m, const color_xform& cx, dyn_array<fill_style>& fills,
               dyn_array<line_style>& lines) const;

  void save_cached_data(file_object* file) const;
  // Reads one cache record; answers false, with an error line, for a
  // tolerance that is not a positive number or a count that does not fit in
  // what is left of the file.
  bool load_cached_data(file_object* file);

  float tolerance() const { return tolerance_; }
  const dyn_array<dyn_array<int16_t>>& meshes() const { return meshes_; }
  const dyn_array<outline>& outlines() const { return outlines_; }

 private:
  friend class strip_collector;
  float tolerance_ = 0;
  dyn_array<dyn_array<int16_t>> meshes_;  // element i is fill style i's strip
  dyn_array<outline> outlines_;
};

}  // namespace swf
