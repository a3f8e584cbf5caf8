// The script's Sound objects: each plays one sound its movie exports, by the
// export name given to attachSound, through the installed sound backend.
#pragma once
#include <cstdint>

#include "swf/base/small_string.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"

namespace swf {

class sound_object : public as_plain_object {
 public:
  // No sound attached yet.
  static constexpr int32_t kNoSound = -1;

  small_string sound_name;
  int32_t sound_id = kNoSound;  // the backend's sample id
};

// "Sound": a new Sound object with its own attachSound, start and stop.
void sound_ctor(const native_call& call);
void sound_attach(const native_call& call);
void sound_start(const native_call& call);
void sound_stop(const native_call& call);

}  // namespace swf
