#include "swf/sound/sound_backend_bass.h"

#include <cstring>

#include "swf/base/log.h"

namespace swf {
namespace {

// Playbacks of one sample that may sound at once.
constexpr DWORD kMaxPlaybacks = 8;

HSAMPLE create_pcm_sample(const void* data, size_t size, int rate, bool stereo) {
  if (!data || size > UINT32_MAX) return 0;
  void* buffer = BASS_SampleCreate(static_cast<DWORD>(size), static_cast<DWORD>(rate), stereo ? 2 : 1,
                                   kMaxPlaybacks, 0);
  if (!buffer) return 0;
  std::memcpy(buffer, data, size);
  return BASS_SampleCreateDone();
}

HSAMPLE load_mp3_sample(const void* data, size_t size, bool stereo) {
  if (!data || size > UINT32_MAX) return 0;
  return BASS_SampleLoad(TRUE, data, 0, static_cast<DWORD>(size), kMaxPlaybacks, stereo ? 0 : BASS_SAMPLE_MONO);
}

}  // namespace

sound_backend_bass::~sound_backend_bass() {
  for (HSAMPLE handle : handles_)
    if (handle != 0) BASS_SampleFree(handle);
}

int32_t sound_backend_bass::make_sample(const void* data, size_t size, uint32_t sample_count, int format, int rate,
                                        bool stereo) {
  (void)sample_count;
  HSAMPLE handle = 0;
  if (format == FORMAT_NATIVE16) handle = create_pcm_sample(data, size, rate, stereo);
  else if (format == FORMAT_MP3) handle = load_mp3_sample(data, size, stereo);
  if (handle == 0) {
    log_error("Unable to load sound\n");
    log_error("BASS Error Code %i\n", BASS_ErrorGetCode());
  }
  handles_.push_back(handle);
  return handles_.size() - 1;
}

HSAMPLE sound_backend_bass::handle_of(int32_t sample_id) const {
  return sample_id >= 0 && sample_id < handles_.size() ? handles_[sample_id] : 0;
}

void sound_backend_bass::begin_playback(int32_t sample_id, int loop_count) {
  (void)loop_count;
  const HSAMPLE handle = handle_of(sample_id);
  if (handle == 0) return;
  if (const HCHANNEL channel = BASS_SampleGetChannel(handle, FALSE)) BASS_ChannelPlay(channel, TRUE);
}

void sound_backend_bass::end_playback(int32_t sample_id) {
  if (const HSAMPLE handle = handle_of(sample_id)) BASS_SampleStop(handle);
}

void sound_backend_bass::free_sample(int32_t sample_id) {
  const HSAMPLE handle = handle_of(sample_id);
  if (handle == 0) return;
  BASS_SampleFree(handle);
  handles_[sample_id] = 0;
}

sound_backend* create_sound_backend_bass() { return new sound_backend_bass(); }

}  // namespace swf
