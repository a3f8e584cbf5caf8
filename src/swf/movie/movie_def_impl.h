// A loaded SWF file: its header values, what it defines under each id, the
// tags of each frame, its labels, exports and imports.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/stream/bounds_rect.h"

namespace swf {
class bit_stream;
}

namespace swf {

struct import_entry {
  small_string source;
  int32_t id = 0;
  small_string symbol;
};

class movie_def_impl : public movie_definition_sub {
 public:
  movie_def_impl(bool skips_bitmaps, bool skips_glyph_shapes);
  ~movie_def_impl() override;

  // Reads the whole movie from the file's current offset; the file stays the
  // caller's. A file that is not a movie leaves the definition empty.
  void read(file_object* in);
  // Completes the definition from its cache file.
  bool load_cached_data(file_object* file) override;
  // The fonts this movie defines itself, by ascending id.
  void collect_own_fonts(dyn_array<font*>* fonts);

  uint32_t get_file_length() const { return file_length_; }
  const bounds_rect& get_frame_rect() const { return frame_rect_; }
  // The tables, for tools that list a movie's contents.
  const open_hash<int32_t, counted_ptr<character_definition>>& characters() const { return characters_; }
  const open_hash<int32_t, counted_ptr<bitmap_character>>& bitmap_characters() const { return bitmap_characters_; }
  const open_hash<small_string, counted_ptr<library_item>>& exports() const { return exports_; }
  const open_hash<small_string, int32_t>& frame_labels() const { return labels_; }

  int get_swf_version() override { return version_; }
  float get_pixel_width() override;
  float get_pixel_height() override;
  int get_frame_total() override { return frame_count_; }
  float get_frames_per_second() override { return frame_rate_; }
  // A new movie root over a new "_root" sprite; one reference for the caller.
  movie_root* create_root_instance() override;
  void build_glyph_textures() override;
  void visit_import_sources(import_visitor* visitor) override;
  void bind_import_source(const char* source, movie_definition_sub* definition) override;
  void keep_import_source(movie_definition_sub* definition) override { import_sources_.push_back(definition); }
  int get_bitmap_count() override { return bitmaps_.size(); }
  backend_bitmap* get_bitmap_at(int i) override;
  const frame_tag_list* get_frame_tags(int frame) override;
  const frame_tag_list* get_frame_init_tags(int frame) override;
  library_item* find_export(const char* symbol) override;
  character_definition* find_character(int id) override;
  bool find_frame_label(const char* label, int* frame) override;
  int get_load_frame() override { return load_frame_; }
  void define_character(int id, character_definition* definition) override;
  void define_font(int id, font* f) override;
  font* find_font(int id) override;
  void append_frame_tag(display_tag* tag) override;
  void append_init_tag(int sprite_id, display_tag* tag) override;
  void label_frame(const char* name) override;
  void set_jpeg_tables(jpeg_reader* reader) override;
  jpeg_reader* get_jpeg_tables() override { return jpeg_tables_; }
  bitmap_character* find_bitmap_character(int id) override;
  void define_bitmap_character(int id, bitmap_character* bitmap) override;
  sound_sample* find_sound(int id) override;
  void define_sound(int id, sound_sample* sample) override;
  void export_item(const char* symbol, library_item* item) override;
  void queue_import(const char* source, int id, const char* symbol) override;
  void keep_bitmap(backend_bitmap* bitmap) override;
  bool skips_bitmaps() override { return skips_bitmaps_; }
  bool skips_glyph_shapes() override { return skips_glyph_shapes_; }

 private:
  void read_tags(bit_stream& in, int64_t end);
  // Appends to the load frame's list, or drops a tag that comes after the
  // last frame.
  void append_to_frame(dyn_array<frame_tag_list>& frames, display_tag* tag);

  open_hash<int32_t, counted_ptr<character_definition>> characters_;
  open_hash<int32_t, counted_ptr<font>> fonts_;
  open_hash<int32_t, counted_ptr<bitmap_character>> bitmap_characters_;
  open_hash<int32_t, counted_ptr<sound_sample>> sounds_;
  dyn_array<frame_tag_list> frame_tags_;
  dyn_array<frame_tag_list> frame_init_tags_;
  open_hash<small_string, int32_t> labels_;
  open_hash<small_string, counted_ptr<library_item>> exports_;
  dyn_array<import_entry> pending_imports_;
  dyn_array<counted_ptr<movie_definition_sub>> import_sources_;
  dyn_array<counted_ptr<backend_bitmap>> bitmaps_;
  const bool skips_bitmaps_;
  const bool skips_glyph_shapes_;
  bounds_rect frame_rect_;
  float frame_rate_ = 30;
  int32_t frame_count_ = 0;
  int32_t version_ = 0;
  int32_t load_frame_ = 0;
  uint32_t file_length_ = 0;
  jpeg_reader* jpeg_tables_ = nullptr;
  bool warned_late_tags_ = false;
};

}  // namespace swf
