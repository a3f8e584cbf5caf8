// A sound backend for tests: it keeps what each made sample was given and
// writes every playback call into a record ("begin 0 2", "end 0", "free 0").
#pragma once
#include <cstring>
#include <string>
#include <vector>

#include "swf/sound/sound_backend.h"

namespace swf_test {

struct MadeSample {
  std::vector<int16_t> samples;
  size_t size;
  uint32_t count;
  int format;
  int rate;
  bool stereo;
};

class RecordingSound : public swf::sound_backend {
 public:
  int32_t make_sample(const void* data, size_t size, uint32_t count, int format, int rate, bool stereo) override {
    MadeSample made{{}, size, count, format, rate, stereo};
    if (data) {
      made.samples.resize(size / 2);
      std::memcpy(made.samples.data(), data, made.samples.size() * 2);
    }
    made_.push_back(made);
    return static_cast<int32_t>(made_.size()) - 1;
  }
  void begin_playback(int32_t id, int loops) override {
    calls.push_back("begin " + std::to_string(id) + " " + std::to_string(loops));
  }
  void end_playback(int32_t id) override { calls.push_back("end " + std::to_string(id)); }
  void free_sample(int32_t id) override { calls.push_back("free " + std::to_string(id)); }

  const MadeSample& made(int id) const { return made_.at(static_cast<size_t>(id)); }
  std::vector<std::string> calls;

 private:
  std::vector<MadeSample> made_;
};

// Installs a backend for the life of a test.
class InstalledBackend {
 public:
  explicit InstalledBackend(swf::sound_backend* backend) { swf::set_sound_backend(backend); }
  ~InstalledBackend() { swf::set_sound_backend(nullptr); }
  InstalledBackend(const InstalledBackend&) = delete;
  InstalledBackend& operator=(const InstalledBackend&) = delete;
};

}  // namespace swf_test
