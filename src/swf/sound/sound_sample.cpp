#include "swf/sound/sound_sample.h"

#include "swf/sound/sound_backend.h"

namespace swf {

sound_sample::sound_sample(int32_t sample_id)
    : sample_id(sample_id), maker_serial_(get_sound_backend() ? get_sound_backend()->serial() : 0) {}

sound_sample::~sound_sample() {
  sound_backend* backend = get_sound_backend();
  if (backend && backend->serial() == maker_serial_) backend->free_sample(sample_id);
}

}  // namespace swf
