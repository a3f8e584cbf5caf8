// Loading the assembled test movies: a file opener that finds relative paths
// in one folder (the assembled movies unless a test says otherwise), a render
// backend that keeps every bitmap's pixels, and a summary of what a movie
// definition holds, for comparing two reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "swf/base/counted_ptr.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/render/render_backend.h"

namespace swf_test {

std::string FixturePath(const std::string& name);

// Installs the opener (and restores the fixture folder) for its lifetime and
// empties the movie library on both ends.
class MovieFolder {
 public:
  explicit MovieFolder(const std::string& folder = FixturePath(""));
  ~MovieFolder();
  MovieFolder(const MovieFolder&) = delete;
  MovieFolder& operator=(const MovieFolder&) = delete;
};

// load_movie_file of the path, as a movie_def_impl the pointer keeps.
swf::counted_ptr<swf::movie_def_impl> LoadMovie(const std::string& path);

// Every frame's tags, labels, definitions and exports of the movie as text.
std::string Describe(swf::movie_def_impl* movie);

struct RecordedBitmap {
  int width = 0;
  int height = 0;
  bool has_alpha = false;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, alpha 255 for RGB images
};

// A render backend that records the images of the bitmaps it makes; a
// bitmap's texture index is 1 + its place in the record.
class RecordingBackend : public swf::render_backend {
 public:
  RecordingBackend();
  ~RecordingBackend() override;
  const RecordedBitmap* Find(swf::backend_bitmap* bitmap) const;

  swf::backend_bitmap* new_empty_bitmap() override;
  swf::backend_bitmap* new_alpha_bitmap(int width, int height, const uint8_t* pixels) override;
  swf::backend_bitmap* new_rgb_bitmap(swf::rgb_image* image) override;
  swf::backend_bitmap* new_rgba_bitmap(swf::rgba_image* image) override;
  void release_bitmap(swf::backend_bitmap*) override {}
  void start_frame(swf::rgba_color, int, int, int, int, float, float, float, float) override {}
  void finish_frame() override {}
  void put_transform(const swf::matrix2x3&) override {}
  void put_color_transform(const swf::color_xform&) override {}
  void render_triangle_strip(const int16_t*, int) override {}
  void render_polyline(const int16_t*, int) override {}
  void clear_fill(int) override {}
  void solid_fill(int, swf::rgba_color) override {}
  void textured_fill(int, swf::backend_bitmap*, const swf::matrix2x3&, int) override {}
  void clear_stroke() override {}
  void solid_stroke(swf::rgba_color) override {}
  void stroke_width(float) override {}
  void render_bitmap(const swf::matrix2x3&, swf::backend_bitmap*, const swf::bounds_rect&, const swf::bounds_rect&,
                     swf::rgba_color) override {}
  void reserved_operation() override {}
  void begin_mask() override {}
  void end_mask() override {}
  void drop_mask() override {}

 private:
  swf::backend_bitmap* Record(RecordedBitmap bitmap);
  std::vector<RecordedBitmap> bitmaps_;
};

}  // namespace swf_test
