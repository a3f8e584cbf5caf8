#include "platform/audio/stream_reader.h"

namespace platform::sound {

namespace {

constexpr size_t kBlockFrames = 4096;

}  // namespace

StreamReader::StreamReader(std::unique_ptr<SoundStream> stream, bool loop)
    : stream_(std::move(stream)), loop_(loop), block_(kBlockFrames * static_cast<size_t>(stream_->Channels())) {}

void StreamReader::Restart() {
  stream_->Rewind();
  blockFrames_ = 0;
  position_ = 0;
  blockStart_ = 0;
}

bool StreamReader::Refill(bool& wrapped) {
  position_ -= static_cast<double>(blockFrames_);
  blockStart_ += blockFrames_;
  blockFrames_ = stream_->Read(block_.data(), kBlockFrames);
  if (blockFrames_ > 0 || !loop_ || blockStart_ == 0 || !stream_->Rewind()) return blockFrames_ > 0;
  wrapped = true;
  blockStart_ = 0;
  blockFrames_ = stream_->Read(block_.data(), kBlockFrames);
  return blockFrames_ > 0;
}

size_t StreamReader::Render(double step, float* out, size_t frames, bool& wrapped) {
  const size_t channels = static_cast<size_t>(stream_->Channels());
  const int16_t* data = block_.data();
  size_t made = 0;
  for (; made < frames; ++made) {
    while (position_ >= static_cast<double>(blockFrames_))
      if (!Refill(wrapped)) return made;
    const size_t first = static_cast<size_t>(position_);
    // Across a block's end the last frame is held rather than blended.
    const size_t next = first + 1 < blockFrames_ ? first + 1 : first;
    const float t = static_cast<float>(position_ - static_cast<double>(first));
    for (size_t side = 0; side < 2; ++side) {
      const size_t c = channels == 2 ? side : 0;
      const float a = data[first * channels + c], b = data[next * channels + c];
      out[made * 2 + side] = (a + (b - a) * t) * (1.0f / 32768.0f);
    }
    position_ += step;
  }
  return made;
}

QWORD StreamReader::BytePosition() const {
  return (blockStart_ + static_cast<QWORD>(position_)) * static_cast<QWORD>(stream_->Channels()) * sizeof(int16_t);
}

}  // namespace platform::sound
