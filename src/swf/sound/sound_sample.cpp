#include "swf/sound/sound_sample.h"

#include "swf/sound/sound_backend.h"

namespace swf {

sound_sample::~sound_sample() {
  if (sound_backend* backend = get_sound_backend()) backend->free_sample(sample_id);
}

}  // namespace swf
