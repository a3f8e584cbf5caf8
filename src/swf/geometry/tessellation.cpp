#include "swf/geometry/tessellation.h"

#include <cmath>
#include <cstring>
#include <map>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/geometry/strip_builder.h"
#include "swf/geometry/trapezoid_tessellator.h"
#include "swf/render/render_backend.h"

namespace swf {

int16_t to_int16_saturated(float v) {
  if (!(v == v)) return 0;
  if (v >= 32767.0f) return 32767;
  if (v <= -32768.0f) return -32768;
  return static_cast<int16_t>(v);
}

// The sink that builds a tessellation: trapezoids into one strip builder per
// fill style, outlines straight into the tessellation.
class strip_collector : public trapezoid_sink {
 public:
  explicit strip_collector(tessellation* target) : target_(target) {}

  void take_trapezoid(int style, const trapezoid& t) override { builders_[style].add_trapezoid(t); }

  void take_outline(int style, const float* points, int count) override {
    target_->outlines_.push_back(outline());
    outline& o = target_->outlines_.back();
    o.line_style = style;
    o.coords.resize(2 * count);
    for (int i = 0; i < 2 * count; ++i) o.coords[i] = to_int16_saturated(points[i]);
  }

  // Stores each builder's joined strip as the mesh of its style.
  void finish() {
    for (auto& entry : builders_) {
      dyn_array<dyn_array<int16_t>>& meshes = target_->meshes_;
      if (meshes.size() < entry.first + 1) meshes.resize(entry.first + 1);
      meshes[entry.first] = entry.second.join();
    }
    builders_.clear();
  }

 private:
  tessellation* target_;
  std::map<int, strip_builder> builders_;
};

tessellation::tessellation(tessellated_shape* shape, float tolerance) : tolerance_(tolerance) {
  strip_collector collector(this);
  shape->tessellate_into(tolerance, &collector);
  collector.finish();
}

void tessellation::display(const matrix2x3& m, const color_xform& cx, dyn_array<fill_style>& fills,
                           dyn_array<line_style>& lines) const {
  render::put_transform(m);
  render::put_color_transform(cx);
  // A mesh or outline whose style the shape lacks (a malformed tag) is
  // skipped, as is a mesh whose fill cannot be applied: drawing it would
  // reuse whatever fill came before.
  for (int32_t i = 0; i < meshes_.size() && i < fills.size(); ++i) {
    const dyn_array<int16_t>& mesh = meshes_[i];
    if (mesh.empty() || !fills[i].apply(0, 1.0f)) continue;
    render::render_triangle_strip(mesh.begin(), mesh.size() / 2);
  }
  for (const outline& o : outlines_) {
    if (o.line_style < 0 || o.line_style >= lines.size()) continue;
    lines[o.line_style].apply(1.0f);
    render::render_polyline(o.coords.begin(), o.coords.size() / 2);
  }
}

namespace {
void write_le32(file_object* file, uint32_t v) {
  const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  file->write(bytes, 4);
}

void write_values(file_object* file, const dyn_array<int16_t>& values) {
  write_le32(file, static_cast<uint32_t>(values.size()));
  for (int16_t v : values) {
    const uint8_t bytes[2] = {uint8_t(v), uint8_t(uint16_t(v) >> 8)};
    file->write(bytes, 2);
  }
}

int64_t bytes_left(file_object* file) {
  const int64_t here = file->tell();
  if (file->seek_to_end() != 0) return 0;
  const int64_t end = file->tell();
  file->seek(here);
  return end > here ? end - here : 0;
}

// A count of items of at least `item_bytes` each, checked against the file.
bool read_count(file_object* file, int64_t item_bytes, int32_t* count) {
  const uint32_t raw = file->read_le32();
  if (!cache_count_fits(file, raw, item_bytes)) return false;
  *count = static_cast<int32_t>(raw);
  return true;
}
}  // namespace

bool cache_count_fits(file_object* file, uint32_t count, int64_t item_bytes) {
  return count <= INT32_MAX && static_cast<int64_t>(count) * item_bytes <= bytes_left(file);
}

namespace {

bool read_values(file_object* file, dyn_array<int16_t>* values) {
  int32_t count = 0;
  if (!read_count(file, 2, &count)) return false;
  values->resize(count);
  for (int16_t& v : *values) v = static_cast<int16_t>(file->read_le16());
  return true;
}
}  // namespace

void tessellation::save_cached_data(file_object* file) const {
  uint32_t tolerance_bits;
  std::memcpy(&tolerance_bits, &tolerance_, 4);
  write_le32(file, tolerance_bits);
  write_le32(file, static_cast<uint32_t>(meshes_.size()));
  for (const dyn_array<int16_t>& mesh : meshes_) write_values(file, mesh);
  write_le32(file, static_cast<uint32_t>(outlines_.size()));
  for (const outline& o : outlines_) {
    write_le32(file, static_cast<uint32_t>(o.line_style));
    write_values(file, o.coords);
  }
}

bool tessellation::load_cached_data(file_object* file) {
  const uint32_t tolerance_bits = file->read_le32();
  std::memcpy(&tolerance_, &tolerance_bits, 4);
  int32_t count = 0;
  bool ok = std::isfinite(tolerance_) && tolerance_ > 0 && read_count(file, 4, &count);
  if (ok) meshes_.resize(count);
  for (int32_t i = 0; ok && i < meshes_.size(); ++i) ok = read_values(file, &meshes_[i]);
  if (ok) ok = read_count(file, 8, &count);
  if (ok) outlines_.resize(count);
  for (int32_t i = 0; ok && i < outlines_.size(); ++i) {
    outlines_[i].line_style = static_cast<int32_t>(file->read_le32());
    ok = read_values(file, &outlines_[i].coords);
  }
  if (!ok) {
    log_error("cache file holds a bad tessellation record; skipping rest of cache data\n");
    meshes_.clear();
    outlines_.clear();
  }
  return ok;
}

}  // namespace swf
