// The object that holds the clip methods (play, gotoAndStop, ...), shared by
// every sprite: a clip looks a name up there after its own members,
// variables and children.
#pragma once
#include "swf/script/native_call.h"

namespace swf {

class as_plain_object;

// Makes and fills the object once; the first sprite instance calls it.
void init_sprite_builtins();
// The object; null before init_sprite_builtins.
as_plain_object* sprite_builtins();

// Each works on the call's this object, or on the context's target when the
// call has none; a this object that is not a clip is left alone.
void sprite_play(const native_call& call);
void sprite_stop(const native_call& call);
// The frame numbers count from 1.
void sprite_goto_and_stop(const native_call& call);
void sprite_goto_and_play(const native_call& call);
void sprite_next_frame(const native_call& call);
void sprite_prev_frame(const native_call& call);
// getBytesLoaded and getBytesTotal alike: the movie file's stated length.
void sprite_get_bytes_loaded(const native_call& call);

}  // namespace swf
