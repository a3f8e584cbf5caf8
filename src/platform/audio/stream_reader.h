// A playing stream seen from the mixer: one decoded block at hand, read
// through at any speed, refilled when used up and rewound when it loops.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/bass.h"
#include "platform/codecs/sound_stream.h"

namespace platform::sound {

class StreamReader {
 public:
  StreamReader(std::unique_ptr<SoundStream> stream, bool loop);

  int Rate() const { return stream_->Rate(); }
  // Back to the start.
  void Restart();
  // Renders up to `frames` stereo float frames, stepping `step` stream frames
  // for each; fewer once a stream that does not loop ends. `wrapped` is set
  // when it went round.
  size_t Render(double step, float* out, size_t frames, bool& wrapped);
  // Bytes of 16-bit data played since the start or the last time round.
  QWORD BytePosition() const;

 private:
  // The next block, rewinding at the end when looping; false when there is none.
  bool Refill(bool& wrapped);

  std::unique_ptr<SoundStream> stream_;
  bool loop_;
  std::vector<int16_t> block_;
  size_t blockFrames_ = 0;
  double position_ = 0;   // within the block
  QWORD blockStart_ = 0;  // frames before the block
};

}  // namespace platform::sound
