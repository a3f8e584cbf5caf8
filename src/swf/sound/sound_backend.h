// The player's sound output: at most one backend is installed for the
// process; while none is, movies define no sounds and play nothing.
#pragma once
#include <cstdint>

namespace swf {

class sound_backend {
 public:
  // Format numbers of the SWF sound format, plus 7 for 16-bit native PCM.
  enum format_type { FORMAT_RAW = 0, FORMAT_ADPCM = 1, FORMAT_MP3 = 2, FORMAT_UNCOMPRESSED = 3, FORMAT_NELLYMOSER = 6,
                     FORMAT_NATIVE16 = 7 };

  // Answers the new sample's id.
  virtual int32_t make_sample(const void* data, int size, int sample_count, int format, int rate, bool stereo) = 0;
  virtual void begin_playback(int32_t sample_id, int loop_count) = 0;
  virtual void end_playback(int32_t sample_id) = 0;
  virtual void free_sample(int32_t sample_id) = 0;
  virtual ~sound_backend() = default;
};

// Installs the backend (null removes it); the caller keeps ownership.
void set_sound_backend(sound_backend* backend);
sound_backend* get_sound_backend();

}  // namespace swf
