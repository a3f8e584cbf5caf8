// A DefineSprite: a timeline of its own inside a movie. It keeps its frames'
// tags and labels and asks the movie that holds it for everything else;
// definitions inside a sprite are refused.
#pragma once
#include <cstdint>

#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/movie/movie_definition_sub.h"

namespace swf {

class bit_stream;

class sprite_definition : public movie_definition_sub {
 public:
  explicit sprite_definition(movie_definition_sub* owner) : owner_(owner) {}
  ~sprite_definition() override;

  // Reads the sprite's tags up to the DefineSprite's end.
  void read(bit_stream& in);

  int get_swf_version() override { return owner_->get_swf_version(); }
  float get_pixel_width() override { return 1; }
  float get_pixel_height() override { return 1; }
  int get_frame_total() override { return frame_count_; }
  float get_frames_per_second() override { return owner_->get_frames_per_second(); }
  movie_root* create_root_instance() override { return nullptr; }
  movie* create_character(movie* parent, int id) override;
  void build_glyph_textures() override {}
  void visit_import_sources(import_visitor*) override {}
  void bind_import_source(const char*, movie_definition_sub*) override {}
  void keep_import_source(movie_definition_sub*) override {}
  int get_bitmap_count() override { return 0; }
  backend_bitmap* get_bitmap_at(int) override { return nullptr; }
  const frame_tag_list* get_frame_tags(int frame) override;
  const frame_tag_list* get_frame_init_tags(int) override { return nullptr; }
  library_item* find_export(const char* symbol) override { return owner_->find_export(symbol); }
  character_definition* find_character(int id) override { return owner_->find_character(id); }
  bool find_frame_label(const char* label, int* frame) override;
  int get_load_frame() override { return load_frame_; }
  void define_character(int id, character_definition* definition) override;
  void define_font(int id, font* f) override;
  font* find_font(int id) override { return owner_->find_font(id); }
  void append_frame_tag(display_tag* tag) override;
  void append_init_tag(int sprite_id, display_tag* tag) override;
  void label_frame(const char* name) override;
  void set_jpeg_tables(jpeg_reader* reader) override;
  jpeg_reader* get_jpeg_tables() override { return nullptr; }
  bitmap_character* find_bitmap_character(int id) override { return owner_->find_bitmap_character(id); }
  void define_bitmap_character(int id, bitmap_character* bitmap) override;
  sound_sample* find_sound(int id) override { return owner_->find_sound(id); }
  void define_sound(int id, sound_sample* sample) override;
  void export_item(const char* symbol, library_item* item) override;
  void queue_import(const char*, int, const char*) override {}
  void keep_bitmap(backend_bitmap*) override {}
  bool skips_bitmaps() override { return false; }
  bool skips_glyph_shapes() override { return false; }

 private:
  movie_definition_sub* owner_;  // not counted
  dyn_array<frame_tag_list> frame_tags_;
  open_hash<small_string, int32_t> labels_;
  int32_t frame_count_ = 0;
  int32_t load_frame_ = 0;
  bool warned_late_tags_ = false;
};

// Tag 39.
void sprite_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// Tag 43.
void frame_label_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
