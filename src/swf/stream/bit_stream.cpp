#include "swf/stream/bit_stream.h"

#include <cstring>
#include <limits>

#include "swf/base/file_object.h"

namespace swf {
namespace {
constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();

bit_stream* stream_of(void* handle) { return static_cast<bit_stream*>(handle); }

int view_read(void* buffer, int bytes, void* handle) { return stream_of(handle)->read_bytes(buffer, bytes); }
int view_seek(int64_t offset, void* handle) {
  stream_of(handle)->seek_offset(offset);
  return 0;
}
int64_t view_tell(void* handle) { return stream_of(handle)->tell_offset(); }
bool view_at_end(void* handle) {
  bit_stream* stream = stream_of(handle);
  return stream->tell_offset() >= stream->tag_end_offset() || stream->hit_file_end();
}
}  // namespace

bit_stream::bit_stream(file_object* file)
    : source_(file),
      view_(file_object::from_callbacks(this, view_read, nullptr, view_seek, nullptr, view_tell, view_at_end, nullptr)),
      position_(file->tell()) {}

bit_stream::~bit_stream() = default;

int64_t bit_stream::read_limit() const { return tag_ends_.empty() ? kNoLimit : tag_ends_[tag_ends_.size() - 1]; }

int64_t bit_stream::tag_end_offset() const { return read_limit(); }

uint8_t bit_stream::next_byte() {
  uint8_t byte = 0;
  read_bytes(&byte, 1);
  return byte;
}

int bit_stream::read_bytes(void* buffer, int count) {
  align_to_byte();
  if (count <= 0) return 0;
  const int64_t room = read_limit() - position_;
  int wanted = count;
  if (room < wanted) {
    wanted = room > 0 ? static_cast<int>(room) : 0;
    overrun_ = true;
  }
  int got = wanted > 0 ? source_->read(buffer, wanted) : 0;
  if (got < 0) got = 0;
  if (got < wanted) {
    overrun_ = true;
    hit_file_end_ = true;
  }
  position_ += got;
  std::memset(static_cast<char*>(buffer) + got, 0, static_cast<size_t>(count - got));
  return got;
}

uint32_t bit_stream::read_bits(int n) {
  if (n > 32) n = 32;
  uint32_t result = 0;
  while (n > 0) {
    if (unused_bits_ == 0) {
      current_byte_ = next_byte();
      unused_bits_ = 8;
    }
    const int taken = n < unused_bits_ ? n : unused_bits_;
    const uint32_t bits = (current_byte_ >> (unused_bits_ - taken)) & ((1u << taken) - 1);
    result = static_cast<uint32_t>((static_cast<uint64_t>(result) << taken) | bits);
    unused_bits_ -= taken;
    n -= taken;
  }
  return result;
}

int32_t bit_stream::read_signed_bits(int n) {
  uint32_t value = read_bits(n);
  if (n > 0 && n < 32 && (value & (1u << (n - 1)))) value |= ~0u << n;
  return static_cast<int32_t>(value);
}

void bit_stream::align_to_byte() { unused_bits_ = 0; }

uint8_t bit_stream::read_uint8() { return next_byte(); }

uint16_t bit_stream::read_uint16() {
  uint8_t bytes[2];
  read_bytes(bytes, 2);
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t bit_stream::read_uint32() {
  uint8_t bytes[4];
  read_bytes(bytes, 4);
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 | static_cast<uint32_t>(bytes[2]) << 16 |
         static_cast<uint32_t>(bytes[3]) << 24;
}

std::unique_ptr<char[]> bit_stream::read_cstring() {
  dyn_array<char> text;
  char c;
  while (read_bytes(&c, 1) == 1 && c != 0) text.push_back(c);
  std::unique_ptr<char[]> result(new char[text.size() + 1]);
  if (!text.empty()) std::memcpy(result.get(), text.begin(), static_cast<size_t>(text.size()));
  result[text.size()] = 0;
  return result;
}

std::unique_ptr<char[]> bit_stream::read_pstring() {
  const int length = read_uint8();
  if (length == 0) return nullptr;
  std::unique_ptr<char[]> result(new char[length + 1]);
  read_bytes(result.get(), length);
  result[length] = 0;
  return result;
}

void bit_stream::seek_offset(int64_t offset) {
  align_to_byte();
  if (offset == position_) return;
  source_->seek(offset);
  position_ = source_->tell();
}

int bit_stream::enter_tag() {
  const uint16_t header = read_uint16();
  int64_t length = header & 0x3F;
  if (length == 0x3F) length = read_uint32();
  int64_t end = position_ + length;
  if (end > read_limit()) end = read_limit();
  tag_ends_.push_back(end);
  return header >> 6;
}

void bit_stream::leave_tag() {
  if (tag_ends_.empty()) return;
  const int64_t end = tag_ends_[tag_ends_.size() - 1];
  tag_ends_.remove(tag_ends_.size() - 1);
  seek_offset(end);
}

}  // namespace swf
