#include "swf/stage/sprite_builtins.h"

#include "swf/base/counted_ptr.h"
#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/as_context.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/movie.h"
#include "swf/stage/movie_root.h"

namespace swf {
namespace {
counted_ptr<as_plain_object>& holder() {
  static counted_ptr<as_plain_object> object;
  return object;
}

movie* clip_of(const native_call& call) {
  if (call.this_object) return call.this_object->to_movie();
  return call.context ? call.context->target : nullptr;
}

// Goes to the one-based frame of argument 0, then plays or stops.
void goto_frame(const native_call& call, const char* name, int play_state) {
  movie* clip = clip_of(call);
  if (!clip) return;
  if (call.arg_count < 1) {
    log_error("error: %s needs one arg\n", name);
    return;
  }
  clip->goto_frame_index(double_to_int32(call.arg(0).to_number() - 1));
  clip->set_play_state(play_state);
}

int frame_total(movie* clip) {
  movie_definition_sub* definition = clip->get_definition();
  return definition ? definition->get_frame_total() : 0;
}

struct named_method {
  const char* name;
  c_function function;
};

const named_method kMethods[] = {
    {"play", sprite_play},
    {"stop", sprite_stop},
    {"gotoAndStop", sprite_goto_and_stop},
    {"gotoAndPlay", sprite_goto_and_play},
    {"nextFrame", sprite_next_frame},
    {"prevFrame", sprite_prev_frame},
    {"getBytesLoaded", sprite_get_bytes_loaded},
    {"getBytesTotal", sprite_get_bytes_loaded},
};
}  // namespace

void init_sprite_builtins() {
  if (holder()) return;
  holder() = new as_plain_object();
  for (const named_method& m : kMethods) holder()->set_member(m.name, as_variant(m.function));
}

as_plain_object* sprite_builtins() { return holder().get(); }

void sprite_play(const native_call& call) {
  if (movie* clip = clip_of(call)) clip->set_play_state(movie::PLAY);
}

void sprite_stop(const native_call& call) {
  if (movie* clip = clip_of(call)) clip->set_play_state(movie::STOP);
}

void sprite_goto_and_stop(const native_call& call) { goto_frame(call, "sprite_goto_and_stop", movie::STOP); }

void sprite_goto_and_play(const native_call& call) { goto_frame(call, "sprite_goto_and_play", movie::PLAY); }

// On the last frame the seek is clamped there.
void sprite_next_frame(const native_call& call) {
  movie* clip = clip_of(call);
  if (!clip) return;
  const int current = clip->get_frame_index();
  if (current < frame_total(clip)) clip->goto_frame_index(current + 1);
  clip->set_play_state(movie::STOP);
}

void sprite_prev_frame(const native_call& call) {
  movie* clip = clip_of(call);
  if (!clip) return;
  const int current = clip->get_frame_index();
  if (current > 0) clip->goto_frame_index(current - 1);
  clip->set_play_state(movie::STOP);
}

void sprite_get_bytes_loaded(const native_call& call) {
  movie* clip = clip_of(call);
  movie_root* root = clip ? clip->get_movie_root() : nullptr;
  if (root && call.result) call.result->set_number(root->get_file_length());
}

}  // namespace swf
