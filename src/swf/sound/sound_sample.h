// A sound a movie defines: the installed backend's sample, freed with it.
#pragma once
#include <cstdint>

#include "swf/movie/character_definition.h"

namespace swf {

class sound_sample : public library_item {
 public:
  explicit sound_sample(int32_t sample_id) : sample_id(sample_id) {}
  ~sound_sample() override;
  sound_sample* as_sound_sample() override { return this; }

  const int32_t sample_id;
};

}  // namespace swf
