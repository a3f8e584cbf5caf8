#include "swf/movie/frame_lists.h"

#include "swf/base/log.h"
#include "swf/movie/display_tag.h"

namespace swf {

void append_tag_to_frame(dyn_array<frame_tag_list>& frames, int frame, display_tag* tag, bool* warned) {
  if (frame >= 0 && frame < frames.size()) {
    frames[frame].push_back(tag);
    return;
  }
  delete tag;
  if (!*warned) log_message("warning: tags after the last frame (%d) are dropped\n", frames.size());
  *warned = true;
}

const frame_tag_list* frame_tags_at(const dyn_array<frame_tag_list>& frames, int frame) {
  static const frame_tag_list kNoTags;
  return frame >= 0 && frame < frames.size() ? &frames[frame] : &kNoTags;
}

void delete_frame_tags(dyn_array<frame_tag_list>& frames) {
  for (frame_tag_list& tags : frames)
    for (display_tag* tag : tags) delete tag;
  frames.clear();
}

}  // namespace swf
