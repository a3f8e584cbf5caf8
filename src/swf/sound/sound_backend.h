// The player's sound output: at most one backend is installed for the
// process; while none is, movies define no sounds and play nothing.
#pragma once
#include <cstddef>
#include <cstdint>

namespace swf {

class sound_backend {
 public:
  // Format numbers of the SWF sound format, plus 7 for 16-bit native PCM.
  enum format_type { FORMAT_RAW = 0, FORMAT_ADPCM = 1, FORMAT_MP3 = 2, FORMAT_UNCOMPRESSED = 3, FORMAT_NELLYMOSER = 6,
                     FORMAT_NATIVE16 = 7 };

  sound_backend();
  sound_backend(const sound_backend&) = delete;
  sound_backend& operator=(const sound_backend&) = delete;
  virtual ~sound_backend() = default;

  // Answers the new sample's id; `sample_count` counts samples per channel.
  virtual int32_t make_sample(const void* data, size_t size, uint32_t sample_count, int format, int rate,
                              bool stereo) = 0;
  virtual void begin_playback(int32_t sample_id, int loop_count) = 0;
  virtual void end_playback(int32_t sample_id) = 0;
  virtual void free_sample(int32_t sample_id) = 0;

  // Tells backends apart for the life of the process, even one made where a
  // deleted one lived, so that no sample id reaches a backend that did not
  // make it.
  uint64_t serial() const { return serial_; }

 private:
  const uint64_t serial_;
};

// Installs the backend (null removes it); the caller keeps ownership.
void set_sound_backend(sound_backend* backend);
sound_backend* get_sound_backend();

}  // namespace swf
