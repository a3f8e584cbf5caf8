#include "swf/movie/inflating_file.h"

#include <zlib.h>

#include <cstring>

#include "swf/base/file_object.h"

namespace swf {
namespace {
constexpr int kBufferSize = 4096;

struct inflating_source {
  file_object* source;
  z_stream zstream;
  int64_t start_offset;
  int64_t logical_offset = 0;
  bool at_end = false;
  bool error = false;
  unsigned char input[kBufferSize];
};

inflating_source* state_of(void* handle) { return static_cast<inflating_source*>(handle); }

int inflate_read(void* buffer, int bytes, void* handle) {
  inflating_source* s = state_of(handle);
  if (s->error || s->at_end) return 0;
  s->zstream.next_out = static_cast<Bytef*>(buffer);
  s->zstream.avail_out = static_cast<uInt>(bytes);
  while (s->zstream.avail_out > 0) {
    if (s->zstream.avail_in == 0) {
      const int got = s->source->read(s->input, kBufferSize);
      if (got <= 0) break;
      s->zstream.next_in = s->input;
      s->zstream.avail_in = static_cast<uInt>(got);
    }
    const int result = inflate(&s->zstream, Z_SYNC_FLUSH);
    if (result == Z_STREAM_END) {
      s->at_end = true;
      break;
    }
    if (result != Z_OK) {
      s->error = true;
      break;
    }
  }
  const int produced = bytes - static_cast<int>(s->zstream.avail_out);
  s->logical_offset += produced;
  return produced;
}

void rewind(inflating_source* s) {
  s->error = false;
  s->at_end = false;
  if (inflateReset(&s->zstream) != Z_OK) s->error = true;
  s->zstream.avail_in = 0;
  s->zstream.next_in = nullptr;
  s->source->seek(s->start_offset);
  s->logical_offset = 0;
}

// Reads and drops inflated bytes until the offset is reached or no more come.
void skip_to(inflating_source* s, int64_t target) {
  unsigned char scratch[kBufferSize];
  while (s->logical_offset < target) {
    const int64_t left = target - s->logical_offset;
    if (inflate_read(scratch, left < kBufferSize ? static_cast<int>(left) : kBufferSize, s) == 0) break;
  }
}

int inflate_seek(int64_t offset, void* handle) {
  inflating_source* s = state_of(handle);
  if (s->error) return static_cast<int>(s->logical_offset);
  if (offset < s->logical_offset) rewind(s);
  skip_to(s, offset);
  return static_cast<int>(s->logical_offset);
}

int inflate_seek_to_end(void* handle) {
  inflating_source* s = state_of(handle);
  skip_to(s, INT64_MAX);
  return static_cast<int>(s->logical_offset);
}

int64_t inflate_tell(void* handle) { return state_of(handle)->logical_offset; }
bool inflate_at_end(void* handle) { return state_of(handle)->at_end; }

int inflate_close(void* handle) {
  inflating_source* s = state_of(handle);
  if (s->zstream.avail_in > 0) s->source->seek(s->source->tell() - s->zstream.avail_in);
  const int result = inflateEnd(&s->zstream) == Z_OK ? 0 : file_object::kCloseError;
  delete s;
  return result;
}
}  // namespace

file_object* open_inflating_file(file_object* source) {
  inflating_source* s = new inflating_source;
  s->source = source;
  std::memset(&s->zstream, 0, sizeof s->zstream);
  s->start_offset = source->tell();
  if (inflateInit(&s->zstream) != Z_OK) s->error = true;
  return file_object::from_callbacks(s, inflate_read, nullptr, inflate_seek, inflate_seek_to_end, inflate_tell,
                                     inflate_at_end, inflate_close);
}

}  // namespace swf
