// The sound backend on the engine's sound library: each sample id indexes a
// sample handle (0 for a sound the library could not take).
#pragma once
#include "platform/audio/bass.h"
#include "swf/base/dyn_array.h"
#include "swf/sound/sound_backend.h"

namespace swf {

class sound_backend_bass : public sound_backend {
 public:
  // Frees every sample it made that is still held.
  ~sound_backend_bass() override;

  int32_t make_sample(const void* data, size_t size, uint32_t sample_count, int format, int rate,
                      bool stereo) override;
  // Plays the sample once more from its start, beside its playing channels.
  void begin_playback(int32_t sample_id, int loop_count) override;
  // Stops every playing channel of the sample; it can be started again.
  void end_playback(int32_t sample_id) override;
  void free_sample(int32_t sample_id) override;

  // The sample handle of a valid id, else 0.
  HSAMPLE handle_of(int32_t sample_id) const;

 private:
  dyn_array<HSAMPLE> handles_;
};

sound_backend* create_sound_backend_bass();

}  // namespace swf
