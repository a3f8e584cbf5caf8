// The per-frame tag lists of a movie or sprite timeline.
#pragma once
#include "swf/movie/movie_definition_sub.h"

namespace swf {

// Appends the tag to the frame's list. A tag after the last frame is deleted,
// with one warning per timeline (`warned` remembers it).
void append_tag_to_frame(dyn_array<frame_tag_list>& frames, int frame, display_tag* tag, bool* warned);
// The frame's list, or an empty one outside the timeline.
const frame_tag_list* frame_tags_at(const dyn_array<frame_tag_list>& frames, int frame);
// Deletes every tag of every frame and empties the lists.
void delete_frame_tags(dyn_array<frame_tag_list>& frames);

}  // namespace swf
