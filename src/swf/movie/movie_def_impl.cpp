#include "swf/movie/movie_def_impl.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/movie/asset_tags.h"
#include "swf/movie/display_tag.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"
#include "swf/movie/frame_lists.h"
#include "swf/movie/inflating_file.h"
#include "swf/movie/tag_loaders.h"
#include "swf/render/backend_bitmap.h"
#include "swf/sound/sound_sample.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"

namespace swf {

movie_def_impl::movie_def_impl(bool skips_bitmaps, bool skips_glyph_shapes)
    : skips_bitmaps_(skips_bitmaps), skips_glyph_shapes_(skips_glyph_shapes) {}

movie_root* movie_def_impl::create_root_instance() {
  movie_root* root = new movie_root(this);
  root->take_ref();
  sprite_instance* sprite = new sprite_instance(this, root, nullptr, -1);
  sprite->name = "_root";
  root->set_root_sprite(sprite);
  return root;
}

movie_def_impl::~movie_def_impl() {
  delete_frame_tags(frame_tags_);
  delete_frame_tags(frame_init_tags_);
  import_sources_.clear();
  bitmaps_.clear();
  pending_imports_.clear();
  exports_.clear();
  labels_.clear();
  characters_.clear();
  fonts_.clear();
  bitmap_characters_.clear();
  sounds_.clear();
  delete jpeg_tables_;
}

void movie_def_impl::read(file_object* in) {
  const int64_t start = in->tell();
  unsigned char header[8];
  const int got = in->read(header, 8);
  if (got < 8 || (header[0] != 'F' && header[0] != 'C') || header[1] != 'W' || header[2] != 'S') {
    log_error("swf::movie_def_impl::read() -- file does not start with a SWF header!\n");
    return;
  }
  version_ = header[3];
  file_length_ = static_cast<uint32_t>(header[4]) | static_cast<uint32_t>(header[5]) << 8 |
                 static_cast<uint32_t>(header[6]) << 16 | static_cast<uint32_t>(header[7]) << 24;

  std::unique_ptr<file_object> inflated;
  file_object* body = in;
  int64_t end = start + file_length_;
  if (header[0] == 'C') {
    // Offsets in the inflated body start at 0 right after the header.
    inflated.reset(open_inflating_file(in));
    body = inflated.get();
    end = static_cast<int64_t>(file_length_) - 8;
  }

  bit_stream stream(body);
  // The JPEGTables reader reads through the stream: it goes before it.
  struct tables_release {
    jpeg_reader*& tables;
    ~tables_release() {
      delete tables;
      tables = nullptr;
    }
  } release_tables{jpeg_tables_};

  frame_rect_.read(stream);
  frame_rate_ = stream.read_uint16() / 256.0f;
  frame_count_ = stream.read_uint16();
  frame_tags_.resize(frame_count_);
  frame_init_tags_.resize(frame_count_);

  if (!read_timeline_tags(stream, end, this, &load_frame_, true))
    log_message("warning: hit stream-end tag, but not at the end of the file yet; stopping for safety\n");
  if (stream.hit_file_end()) log_error("swf::movie_def_impl::read() -- the movie's data ends early\n");
}

float movie_def_impl::get_pixel_width() { return std::ceil((frame_rect_.x_max - frame_rect_.x_min) * 0.05f); }
float movie_def_impl::get_pixel_height() { return std::ceil((frame_rect_.y_max - frame_rect_.y_min) * 0.05f); }

void movie_def_impl::build_glyph_textures() {
  dyn_array<font*> fonts;
  collect_own_fonts(&fonts);
  fontlib::build_glyph_textures(fonts, this);
}

void movie_def_impl::collect_own_fonts(dyn_array<font*>* fonts) {
  dyn_array<int32_t> ids;
  for (auto& entry : fonts_) {
    font* f = entry.value.get();
    if (!f || f->owning_movie != this) continue;
    int32_t at = 0;
    while (at < ids.size() && ids[at] <= entry.key) ++at;
    ids.insert(at, entry.key);
    fonts->insert(at, f);
  }
}

void movie_def_impl::visit_import_sources(import_visitor* visitor) {
  open_hash<small_string, bool> visited;
  for (const import_entry& entry : pending_imports_) {
    if (visited.get(entry.source, nullptr)) continue;
    visited.add(entry.source, true);
    visitor->visit(entry.source.c_str());
  }
}

void movie_def_impl::bind_import_source(const char* source, movie_definition_sub* definition) {
  for (int32_t i = pending_imports_.size() - 1; i >= 0; --i) {
    if (std::strcmp(pending_imports_[i].source.c_str(), source) != 0) continue;
    define_imported_item(this, pending_imports_[i].id, definition, pending_imports_[i].symbol.c_str(), source);
    pending_imports_.remove(i);
    import_sources_.push_back(definition);
  }
}

backend_bitmap* movie_def_impl::get_bitmap_at(int i) {
  return i >= 0 && i < bitmaps_.size() ? bitmaps_[i].get() : nullptr;
}

const frame_tag_list* movie_def_impl::get_frame_tags(int frame) { return frame_tags_at(frame_tags_, frame); }

const frame_tag_list* movie_def_impl::get_frame_init_tags(int frame) {
  return frame_tags_at(frame_init_tags_, frame);
}

library_item* movie_def_impl::find_export(const char* symbol) {
  counted_ptr<library_item>* item = exports_.find(symbol);
  return item ? item->get() : nullptr;
}

character_definition* movie_def_impl::find_character(int id) {
  counted_ptr<character_definition>* found = characters_.find(id);
  return found ? found->get() : nullptr;
}

bool movie_def_impl::find_frame_label(const char* label, int* frame) {
  int32_t found = 0;
  if (!labels_.get(label, &found)) return false;
  *frame = found;
  return true;
}

void movie_def_impl::define_character(int id, character_definition* definition) {
  characters_.add(id, definition);
}

void movie_def_impl::define_font(int id, font* f) { fonts_.add(id, f); }

font* movie_def_impl::find_font(int id) {
  counted_ptr<font>* found = fonts_.find(id);
  return found ? found->get() : nullptr;
}

void movie_def_impl::append_frame_tag(display_tag* tag) {
  append_tag_to_frame(frame_tags_, load_frame_, tag, &warned_late_tags_);
}

void movie_def_impl::append_init_tag(int sprite_id, display_tag* tag) {
  (void)sprite_id;
  append_tag_to_frame(frame_init_tags_, load_frame_, tag, &warned_late_tags_);
}

void movie_def_impl::label_frame(const char* name) { labels_.add(name, load_frame_); }

void movie_def_impl::set_jpeg_tables(jpeg_reader* reader) {
  delete jpeg_tables_;
  jpeg_tables_ = reader;
}

bitmap_character* movie_def_impl::find_bitmap_character(int id) {
  counted_ptr<bitmap_character>* found = bitmap_characters_.find(id);
  return found ? found->get() : nullptr;
}

void movie_def_impl::define_bitmap_character(int id, bitmap_character* bitmap) {
  bitmap_characters_.add(id, bitmap);
  keep_bitmap(bitmap->get_bitmap());
}

sound_sample* movie_def_impl::find_sound(int id) {
  counted_ptr<sound_sample>* found = sounds_.find(id);
  return found ? found->get() : nullptr;
}

void movie_def_impl::define_sound(int id, sound_sample* sample) { sounds_.add(id, sample); }

void movie_def_impl::export_item(const char* symbol, library_item* item) { exports_.set(symbol, item); }

void movie_def_impl::queue_import(const char* source, int id, const char* symbol) {
  import_entry entry;
  entry.source = source;
  entry.id = id;
  entry.symbol = symbol;
  pending_imports_.push_back(entry);
}

void movie_def_impl::keep_bitmap(backend_bitmap* bitmap) { bitmaps_.push_back(bitmap); }

bool movie_def_impl::load_cached_data(file_object* file) {
  static const int kCacheVersion = 4;
  unsigned char header[4] = {0, 0, 0, 0};
  file->read(header, 4);
  if (std::memcmp(header, "gsc", 3) != 0) {
    log_error("cache file does not have the correct format; skipping\n");
    return false;
  }
  if (header[3] != kCacheVersion) {
    log_error("cached data is version %d, but we require version %d; skipping\n", header[3], kCacheVersion);
    return false;
  }
  dyn_array<font*> fonts;
  collect_own_fonts(&fonts);
  fontlib::load_cached_font_data(file, fonts, this);
  for (;;) {
    if (file->error()) {
      log_error("error reading cache file (characters); skipping\n");
      return false;
    }
    unsigned char id_bytes[2];
    if (file->at_end() || file->read(id_bytes, 2) < 2) {
      log_error("unexpected eof reading cache file (characters); skipping\n");
      return false;
    }
    const int id = id_bytes[0] | id_bytes[1] << 8;
    if (id == 0xFFFF) return true;
    character_definition* definition = find_character(id);
    if (!definition) {
      log_error("sync error in cache file (reading characters)!  Skipping rest of cache data.\n");
      return false;
    }
    if (!definition->load_cached_data(file)) return false;
  }
}

}  // namespace swf
