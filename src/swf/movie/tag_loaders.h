// The process-wide table of tag loaders, by tag type, and the loop that
// hands a timeline's tags to them.
#pragma once
#include <cstdint>

namespace swf {

class bit_stream;
class movie_definition_sub;

using tag_loader = void (*)(bit_stream& in, int tag_type, movie_definition_sub* m);

constexpr int kTagEnd = 0;
constexpr int kTagShowFrame = 1;

// A later registration for a type is found first.
void register_tag_loader(int tag_type, tag_loader loader);
// Fills the table on the first call.
void register_standard_tag_loaders();
// The type's loader, or null for a tag that is skipped.
tag_loader find_tag_loader(int tag_type);

// Reads tags until `end`, counting ShowFrame tags in *load_frame and passing
// the others to their loaders with `m`. A movie's timeline stops after an End
// tag; a sprite's goes on to its end. Every timeline stops where no whole tag
// header can be read. Answers false when it stopped at an End tag before
// `end`.
bool read_timeline_tags(bit_stream& in, int64_t end, movie_definition_sub* m, int32_t* load_frame,
                        bool stop_at_end_tag);

}  // namespace swf
