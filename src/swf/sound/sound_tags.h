// The sound tags: DefineSound makes a backend sample of the sound's data,
// StartSound starts or stops one when its frame plays.
#pragma once
#include <cstdint>

#include "swf/movie/display_tag.h"

namespace swf {

class bit_stream;
class movie_definition_sub;

class start_sound_tag : public display_tag {
 public:
  start_sound_tag(int32_t sample_id, int loop_count, bool stop)
      : sample_id_(sample_id), loop_count_(loop_count), stop_(stop) {}
  // Only when the timeline plays forward; seeking sounds nothing.
  void run(movie* m) override;

 private:
  const int32_t sample_id_;
  const int loop_count_;
  const bool stop_;
};

void define_sound_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
void start_sound_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
