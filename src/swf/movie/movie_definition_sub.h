// What a movie or a sprite definition answers: its header values, its
// frames' tags and labels, and the tables its tag loaders fill.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/movie/character_definition.h"

namespace swf {

class backend_bitmap;
class bitmap_character;
class display_tag;
class jpeg_reader;
class movie_root;

using frame_tag_list = dyn_array<display_tag*>;

// Called once per distinct source of a movie's pending imports.
class import_visitor {
 public:
  virtual ~import_visitor() = default;
  virtual void visit(const char* source) = 0;
};

class movie_definition_sub : public character_definition {
 public:
  virtual int get_swf_version() = 0;
  virtual float get_pixel_width() = 0;
  virtual float get_pixel_height() = 0;
  virtual int get_frame_total() = 0;
  virtual float get_frames_per_second() = 0;
  // A new root instance; the stage code provides them.
  virtual movie_root* create_root_instance() = 0;
  virtual void build_glyph_textures() = 0;
  virtual void visit_import_sources(import_visitor* visitor) = 0;
  virtual void bind_import_source(const char* source, movie_definition_sub* definition) = 0;
  // Keeps a movie this one imported from alive as long as this one lives
  // (its items may refer back to it).
  virtual void keep_import_source(movie_definition_sub* definition) = 0;
  virtual int get_bitmap_count() = 0;
  virtual backend_bitmap* get_bitmap_at(int i) = 0;
  // The frame's display tags; an empty list for a frame the timeline lacks.
  virtual const frame_tag_list* get_frame_tags(int frame) = 0;
  // The frame's init actions; null where a definition keeps none.
  virtual const frame_tag_list* get_frame_init_tags(int frame) = 0;
  virtual library_item* find_export(const char* symbol) = 0;
  virtual character_definition* find_character(int id) = 0;
  virtual bool find_frame_label(const char* label, int* frame) = 0;
  virtual int get_load_frame() = 0;
  // The definition operations take the item even when they refuse it, so an
  // item nobody else keeps is released.
  virtual void define_character(int id, character_definition* definition) = 0;
  virtual void define_font(int id, font* f) = 0;
  virtual font* find_font(int id) = 0;
  // Takes the tag.
  virtual void append_frame_tag(display_tag* tag) = 0;
  virtual void append_init_tag(int sprite_id, display_tag* tag) = 0;
  virtual void label_frame(const char* name) = 0;
  // Takes the reader.
  virtual void set_jpeg_tables(jpeg_reader* reader) = 0;
  virtual jpeg_reader* get_jpeg_tables() = 0;
  virtual bitmap_character* find_bitmap_character(int id) = 0;
  virtual void define_bitmap_character(int id, bitmap_character* bitmap) = 0;
  virtual sound_sample* find_sound(int id) = 0;
  virtual void define_sound(int id, sound_sample* sample) = 0;
  virtual void export_item(const char* symbol, library_item* item) = 0;
  virtual void queue_import(const char* source, int id, const char* symbol) = 0;
  virtual void keep_bitmap(backend_bitmap* bitmap) = 0;
  virtual bool skips_bitmaps() = 0;
  virtual bool skips_glyph_shapes() = 0;
};

}  // namespace swf
