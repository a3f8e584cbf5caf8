#include "swf/movie/sprite_definition.h"

#include <memory>

#include "swf/base/counted_ptr.h"
#include "swf/base/log.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/movie/display_tag.h"
#include "swf/movie/frame_lists.h"
#include "swf/movie/tag_loaders.h"
#include "swf/stage/sprite_instance.h"
#include "swf/sound/sound_sample.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"

namespace swf {
namespace {
// Takes and drops one reference: an item nobody else keeps goes.
template <class T>
void release_refused(T* item) {
  counted_ptr<T> drop(item);
}
}  // namespace

movie* sprite_definition::create_character(movie* parent, int id) {
  return create_sprite_instance(this, parent, id);
}

sprite_definition::~sprite_definition() {
  delete_frame_tags(frame_tags_);
  labels_.clear();
}

void sprite_definition::read(bit_stream& in) {
  const int64_t end = in.tag_end_offset();
  frame_count_ = in.read_uint16();
  if (frame_count_ == 0) frame_count_ = 1;
  frame_tags_.resize(frame_count_);
  load_frame_ = 0;
  read_timeline_tags(in, end, this, &load_frame_, false);
}

const frame_tag_list* sprite_definition::get_frame_tags(int frame) { return frame_tags_at(frame_tags_, frame); }

bool sprite_definition::find_frame_label(const char* label, int* frame) {
  int32_t found = 0;
  if (!labels_.get(label, &found)) return false;
  *frame = found;
  return true;
}

void sprite_definition::define_character(int, character_definition* definition) {
  log_error("add_character tag appears in sprite tags!\n");
  release_refused(definition);
}

void sprite_definition::define_font(int, font* f) {
  log_error("add_font tag appears in sprite tags!\n");
  release_refused(f);
}

void sprite_definition::define_bitmap_character(int, bitmap_character* bitmap) {
  log_error("add_bc appears in sprite tags!\n");
  release_refused(bitmap);
}

void sprite_definition::define_sound(int, sound_sample* sample) {
  log_error("add sam appears in sprite tags!\n");
  release_refused(sample);
}

void sprite_definition::export_item(const char*, library_item*) { log_error("can't export from sprite\n"); }

void sprite_definition::append_frame_tag(display_tag* tag) {
  append_tag_to_frame(frame_tags_, load_frame_, tag, &warned_late_tags_);
}

void sprite_definition::append_init_tag(int, display_tag* tag) {
  log_error("sprite_definition::add_init_action called!  Ignored.\n");
  delete tag;
}

void sprite_definition::label_frame(const char* name) {
  int32_t old_frame = 0;
  if (labels_.get(name, &old_frame))
    log_error("add_frame_name(%d, '%s') -- frame name already assigned to frame %d; overriding\n", load_frame_, name,
              old_frame);
  labels_.set(name, load_frame_);
}

void sprite_definition::set_jpeg_tables(jpeg_reader* reader) { delete reader; }

void sprite_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int id = in.read_uint16();
  sprite_definition* sprite = new sprite_definition(m);
  counted_ptr<sprite_definition> hold(sprite);  // until the definition is kept
  // A sprite inside a sprite is refused: its tags, which could nest without
  // bound, are not read.
  if (!dynamic_cast<sprite_definition*>(m)) sprite->read(in);
  m->define_character(id, sprite);
}

void frame_label_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const std::unique_ptr<char[]> label = in.read_cstring();
  m->label_frame(label.get());
}

}  // namespace swf
