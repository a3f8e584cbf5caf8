#include "swf/sound/sound_tags.h"

#include <vector>

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/sound/adpcm_decoder.h"
#include "swf/sound/sound_backend.h"
#include "swf/sound/sound_sample.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {

constexpr int kRates[] = {5512, 11025, 22050, 44100};
// Larger sound data is refused rather than read into memory.
constexpr int64_t kMaxSoundBytes = int64_t{64} << 20;

// The rest of the tag, byte for byte; false when it is too large to take.
bool read_tag_rest(bit_stream& in, std::vector<uint8_t>& out) {
  const int64_t left = in.tag_end_offset() - in.tell_offset();
  if (left > kMaxSoundBytes) return false;
  out.resize(left > 0 ? static_cast<size_t>(left) : 0);
  if (!out.empty()) out.resize(static_cast<size_t>(in.read_bytes(out.data(), static_cast<int>(out.size()))));
  return true;
}

}  // namespace

void start_sound_tag::run(movie* m) {
  (void)m;
  sound_backend* backend = get_sound_backend();
  if (!backend) return;
  if (stop_) backend->end_playback(sample_id_);
  else backend->begin_playback(sample_id_, loop_count_);
}

void define_sound_loader(bit_stream& in, int, movie_definition_sub* m) {
  const int id = in.read_uint16();
  const int format = static_cast<int>(in.read_bits(4));
  const int rate = kRates[in.read_bits(2)];
  const bool sixteen_bits = in.read_bits(1) != 0;
  const bool stereo = in.read_bits(1) != 0;
  const uint32_t sample_count = in.read_uint32();
  sound_backend* backend = get_sound_backend();
  if (!backend || in.overrun()) return;

  std::vector<uint8_t> data;
  if (!read_tag_rest(in, data)) {
    log_error("define_sound_loader: sound %d is too large\n", id);
    return;
  }
  int32_t sample_id;
  if (format == sound_backend::FORMAT_ADPCM) {
    const std::vector<int16_t> pcm = decode_adpcm(data.data(), data.size(), sample_count, stereo);
    const uint32_t frames = static_cast<uint32_t>(pcm.size() / (stereo ? 2 : 1));
    sample_id = backend->make_sample(pcm.empty() ? nullptr : pcm.data(), pcm.size() * sizeof(int16_t), frames,
                                     sound_backend::FORMAT_NATIVE16, rate, stereo);
  } else {
    int passed_format = format;
    size_t size = data.size();
    if (format == sound_backend::FORMAT_UNCOMPRESSED && sixteen_bits) {
      passed_format = sound_backend::FORMAT_NATIVE16;
      size -= size % (stereo ? 4 : 2);  // whole sample frames only
    }
    sample_id = backend->make_sample(data.empty() ? nullptr : data.data(), size, sample_count, passed_format, rate,
                                     stereo);
  }
  m->define_sound(id, new sound_sample(sample_id));
}

void start_sound_loader(bit_stream& in, int, movie_definition_sub* m) {
  const int id = in.read_uint16();
  sound_sample* sample = m->find_sound(id);
  if (!sample) {
    if (get_sound_backend()) log_error("start_sound_loader: sound_id %d is not defined\n", id);
    return;
  }
  in.read_bits(2);
  const bool stop = in.read_bits(1) != 0;
  in.read_bits(1);  // no multiple playbacks: not kept
  in.read_bits(1);  // envelope: not read
  const bool has_loops = in.read_bits(1) != 0;
  const bool has_out_point = in.read_bits(1) != 0;
  const bool has_in_point = in.read_bits(1) != 0;
  if (has_in_point) in.read_uint32();
  if (has_out_point) in.read_uint32();
  const int loop_count = has_loops ? in.read_uint16() : 0;
  m->append_frame_tag(new start_sound_tag(sample->sample_id, loop_count, stop));
}

}  // namespace swf
