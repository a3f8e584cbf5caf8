// Ogg Vorbis through libvorbisfile, read from memory.
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>

#include "platform/codecs/sound_decoder.h"

namespace platform::sound {

namespace {

struct MemoryReader {
  const unsigned char* data;
  size_t size;
  size_t position;
};

size_t ReadMemory(void* into, size_t itemSize, size_t count, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (itemSize == 0) return 0;
  size_t items = (reader->size - reader->position) / itemSize;
  if (items > count) items = count;
  std::memcpy(into, reader->data + reader->position, items * itemSize);
  reader->position += items * itemSize;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* reader = static_cast<MemoryReader*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(reader->position);
  else if (whence == SEEK_END) base = static_cast<ogg_int64_t>(reader->size);
  else if (whence != SEEK_SET) return -1;
  ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(reader->size)) return -1;
  reader->position = static_cast<size_t>(target);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->position); }

bool ReadAll(OggVorbis_File& file, PcmSound& out) {
  const vorbis_info* info = ov_info(&file, -1);
  if (!info) return false;
  out.rate = static_cast<int>(info->rate);
  out.channels = info->channels;
  if (out.channels != 1 && out.channels != 2) return false;
  constexpr int kBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 1 : 0;
  // Room for the whole sound at once, when the stream says how long it is.
  const ogg_int64_t frames = ov_pcm_total(&file, -1);
  if (frames > 0 && static_cast<uint64_t>(frames) * out.channels * 2 <= kMaxPcmBytes)
    out.samples.reserve(static_cast<size_t>(frames) * out.channels);
  char buffer[8192];
  for (;;) {
    int section = 0;
    long got = ov_read(&file, buffer, sizeof buffer, kBigEndian, 2, 1, &section);
    if (got == 0) break;
    if (got == OV_HOLE) continue;
    if (got < 0) return false;
    // A chained stream may change its layout; we take only one.
    const vorbis_info* now = ov_info(&file, section);
    if (!now || now->channels != out.channels || now->rate != out.rate) return false;
    if ((out.samples.size() * 2 + static_cast<size_t>(got)) > kMaxPcmBytes) return false;
    AppendSamples(out, buffer, static_cast<size_t>(got));
  }
  out.samples.resize(out.samples.size() / out.channels * out.channels);
  return IsUsablePcm(out);
}

}  // namespace

bool DecodeVorbis(const void* data, size_t size, PcmSound& out) {
  if (!data || size == 0) return false;
  MemoryReader reader{static_cast<const unsigned char*>(data), size, 0};
  ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  OggVorbis_File file;
  if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) return false;
  out.samples.clear();
  bool ok = ReadAll(file, out);
  ov_clear(&file);
  return ok;
}

}  // namespace platform::sound
