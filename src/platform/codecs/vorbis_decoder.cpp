// Ogg Vorbis through libvorbisfile, read from memory.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/codecs/sound_stream.h"

namespace platform::sound {

namespace {

struct MemoryReader {
  std::vector<unsigned char> data;
  size_t position = 0;
};

size_t ReadMemory(void* into, size_t itemSize, size_t count, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (itemSize == 0) return 0;
  size_t items = (reader->data.size() - reader->position) / itemSize;
  if (items > count) items = count;
  std::memcpy(into, reader->data.data() + reader->position, items * itemSize);
  reader->position += items * itemSize;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* reader = static_cast<MemoryReader*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(reader->position);
  else if (whence == SEEK_END) base = static_cast<ogg_int64_t>(reader->data.size());
  else if (whence != SEEK_SET) return -1;
  ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(reader->data.size())) return -1;
  reader->position = static_cast<size_t>(target);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->position); }

class VorbisStream : public SoundStream {
 public:
  VorbisStream(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    reader_.data.assign(bytes, bytes + size);
  }
  ~VorbisStream() override {
    if (open_) ov_clear(&file_);
  }
  VorbisStream(const VorbisStream&) = delete;
  VorbisStream& operator=(const VorbisStream&) = delete;

  bool Open() {
    ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    open_ = ov_open_callbacks(&reader_, &file_, nullptr, 0, callbacks) == 0;
    const vorbis_info* info = open_ ? ov_info(&file_, -1) : nullptr;
    if (!info) return false;
    rate_ = static_cast<int>(info->rate);
    channels_ = info->channels;
    return (channels_ == 1 || channels_ == 2) && rate_ >= kMinRate && rate_ <= kMaxRate;
  }

  size_t Read(int16_t* out, size_t frames) override {
    constexpr int kBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 1 : 0;
    const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels_);
    auto* into = reinterpret_cast<char*>(out);
    size_t made = 0;
    while (made < frames && !failed_) {
      int section = 0;
      const size_t room = std::min<size_t>((frames - made) * frameBytes, 1 << 20);
      long got = ov_read(&file_, into + made * frameBytes, static_cast<int>(room), kBigEndian, 2, 1, &section);
      if (got == 0) break;
      if (got == OV_HOLE) continue;
      // A chained stream may change its layout; we take only one.
      const vorbis_info* now = got > 0 ? ov_info(&file_, section) : nullptr;
      if (!now || now->channels != channels_ || now->rate != rate_) {
        failed_ = true;
        break;
      }
      made += static_cast<size_t>(got) / frameBytes;
    }
    return made;
  }

  // Frames in the whole stream, 0 when it does not say.
  size_t TotalFrames() {
    const ogg_int64_t frames = ov_pcm_total(&file_, -1);
    return frames > 0 && static_cast<uint64_t>(frames) * channels_ * sizeof(int16_t) <= kMaxPcmBytes
               ? static_cast<size_t>(frames)
               : 0;
  }

  bool Rewind() override {
    failed_ = ov_pcm_seek(&file_, 0) != 0;
    return !failed_;
  }

 private:
  MemoryReader reader_;
  OggVorbis_File file_{};
  bool open_ = false;
};

}  // namespace

std::unique_ptr<SoundStream> OpenVorbisStream(const void* data, size_t size) {
  if (!data || size == 0) return nullptr;
  auto stream = std::make_unique<VorbisStream>(data, size);
  if (!stream->Open()) return nullptr;
  return stream;
}

bool DecodeVorbis(const void* data, size_t size, PcmSound& out) {
  if (!data || size == 0) return false;
  VorbisStream stream(data, size);
  // Room for the whole sound at once, when the stream says how long it is.
  return stream.Open() && ReadWholeStream(stream, out, stream.TotalFrames());
}

}  // namespace platform::sound
