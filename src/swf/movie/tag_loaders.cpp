#include "swf/movie/tag_loaders.h"

#include "swf/action/do_action_tag.h"
#include "swf/base/open_hash.h"
#include "swf/bitmap/bitmap_loaders.h"
#include "swf/geometry/shape_loaders.h"
#include "swf/movie/asset_tags.h"
#include "swf/movie/place_object_2.h"
#include "swf/movie/remove_object_2.h"
#include "swf/movie/set_background_color.h"
#include "swf/movie/sprite_definition.h"
#include "swf/sound/sound_tags.h"
#include "swf/stage/button_character_definition.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/edit_text_char.h"
#include "swf/text/font.h"
#include "swf/text/text_character.h"

namespace swf {
namespace {
open_hash<int32_t, tag_loader>& loader_table() {
  static open_hash<int32_t, tag_loader> table;
  return table;
}

// End and Protect carry nothing the player uses.
void null_loader(bit_stream&, int, movie_definition_sub*) {}
}  // namespace

void register_tag_loader(int tag_type, tag_loader loader) { loader_table().add(tag_type, loader); }

void register_standard_tag_loaders() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  register_tag_loader(0, null_loader);
  register_tag_loader(2, shape_loader);
  register_tag_loader(4, place_object_loader);
  register_tag_loader(5, remove_object_loader);
  register_tag_loader(6, define_bits_loader);
  register_tag_loader(7, button_loader);
  register_tag_loader(8, jpeg_tables_loader);
  register_tag_loader(9, set_background_color_loader);
  register_tag_loader(10, define_font_loader);
  register_tag_loader(11, text_loader);
  register_tag_loader(12, do_action_loader);
  register_tag_loader(13, define_font_info_loader);
  register_tag_loader(14, define_sound_loader);
  register_tag_loader(15, start_sound_loader);
  register_tag_loader(17, button_sound_loader);
  register_tag_loader(20, define_bits_lossless_loader);
  register_tag_loader(21, define_bits_jpeg2_loader);
  register_tag_loader(22, shape_loader);
  register_tag_loader(24, null_loader);
  register_tag_loader(26, place_object_loader);
  register_tag_loader(28, remove_object_loader);
  register_tag_loader(32, shape_loader);
  register_tag_loader(33, text_loader);
  register_tag_loader(34, button_loader);
  register_tag_loader(35, define_bits_jpeg3_loader);
  register_tag_loader(36, define_bits_lossless_loader);
  register_tag_loader(37, edit_text_loader);
  register_tag_loader(39, sprite_loader);
  register_tag_loader(43, frame_label_loader);
  register_tag_loader(46, shape_morph_loader);
  register_tag_loader(48, define_font_loader);
  register_tag_loader(56, export_loader);
  register_tag_loader(57, import_loader);
  register_tag_loader(59, do_init_action_loader);
}

tag_loader find_tag_loader(int tag_type) {
  tag_loader loader = nullptr;
  loader_table().get(tag_type, &loader);
  return loader;
}

bool read_timeline_tags(bit_stream& in, int64_t end, movie_definition_sub* m, int32_t* load_frame,
                        bool stop_at_end_tag) {
  while (in.tell_offset() < end) {
    in.clear_overrun();
    const int type = in.enter_tag();
    if (in.overrun()) {
      in.leave_tag();
      return true;
    }
    if (type == kTagShowFrame) {
      ++*load_frame;
    } else if (tag_loader loader = find_tag_loader(type)) {
      loader(in, type, m);
    }
    in.leave_tag();
    if (type == kTagEnd && stop_at_end_tag && in.tell_offset() < end) return false;
  }
  return true;
}

}  // namespace swf
