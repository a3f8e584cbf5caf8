// A sound a movie defines: a sample of the backend installed when it was
// made, freed with it while that backend is still the installed one.
#pragma once
#include <cstdint>

#include "swf/movie/character_definition.h"

namespace swf {

class sound_sample : public library_item {
 public:
  explicit sound_sample(int32_t sample_id);
  ~sound_sample() override;
  sound_sample* as_sound_sample() override { return this; }

  const int32_t sample_id;

 private:
  const uint64_t maker_serial_;  // 0 when no backend was installed
};

}  // namespace swf
