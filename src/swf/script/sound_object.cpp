#include "swf/script/sound_object.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/as_context.h"
#include "swf/script/movie.h"
#include "swf/sound/sound_backend.h"
#include "swf/sound/sound_sample.h"

namespace swf {
namespace {

// The call's this object when it is a Sound; the methods copied onto another
// object do nothing there.
sound_object* sound_of(const native_call& call) { return dynamic_cast<sound_object*>(call.this_object); }

// The item the movie that runs the script exports under the name, or null.
library_item* find_exported(const native_call& call, const char* name) {
  movie* target = call.context ? call.context->target : nullptr;
  movie* root = target ? target->get_root_sprite() : nullptr;
  movie_definition_sub* definition = root ? root->get_definition() : nullptr;
  return definition ? definition->find_export(name) : nullptr;
}

// The backend to play through, when there is one and a sound is attached.
sound_backend* backend_for(const sound_object* sound) {
  return sound->sound_id == sound_object::kNoSound ? nullptr : get_sound_backend();
}

}  // namespace

void sound_ctor(const native_call& call) {
  sound_object* sound = new sound_object();
  const as_variant value(static_cast<scriptable*>(sound));
  sound->set_member("attachSound", as_variant(sound_attach));
  sound->set_member("start", as_variant(sound_start));
  sound->set_member("stop", as_variant(sound_stop));
  call.set_result(value);
}

void sound_attach(const native_call& call) {
  sound_object* sound = sound_of(call);
  if (!sound) return;
  if (call.arg_count < 1) {
    log_error("attach sound needs one argument\n");
    return;
  }
  sound->sound_name = call.arg(0).to_string();
  library_item* item = find_exported(call, sound->sound_name.c_str());
  if (!item) {
    log_error("import error: resource '%s' is not exported\n", sound->sound_name.c_str());
  } else if (sound_sample* sample = item->as_sound_sample()) {
    sound->sound_id = sample->sample_id;
  } else {
    log_error("sound sample is NULL\n");
  }
}

void sound_start(const native_call& call) {
  sound_object* sound = sound_of(call);
  if (sound_backend* backend = sound ? backend_for(sound) : nullptr) backend->begin_playback(sound->sound_id, 0);
}

void sound_stop(const native_call& call) {
  sound_object* sound = sound_of(call);
  if (sound_backend* backend = sound ? backend_for(sound) : nullptr) backend->end_playback(sound->sound_id);
}

}  // namespace swf
