// The reader every SWF tag goes through: bit fields, little-endian integers
// and strings over a player file, with a stack of open tags. No read passes
// the innermost open tag's end or the file's end: past either, reads give 0,
// strings end there, and the stream notes the overrun for its readers.
#pragma once
#include <cstdint>
#include <memory>

#include "swf/base/dyn_array.h"

namespace swf {

class file_object;

class bit_stream {
 public:
  // The file stays the caller's and must outlive the stream.
  explicit bit_stream(file_object* file);
  ~bit_stream();
  bit_stream(const bit_stream&) = delete;
  bit_stream& operator=(const bit_stream&) = delete;

  // The next n bits (0 to 32), most significant first.
  uint32_t read_bits(int n);
  // As read_bits, sign-extended from bit n - 1.
  int32_t read_signed_bits(int n);
  // Drops the bits left of the current byte.
  void align_to_byte();

  uint8_t read_uint8();
  uint16_t read_uint16();
  uint32_t read_uint32();
  // The text up to a zero byte (or where the data stops), terminated.
  std::unique_ptr<char[]> read_cstring();
  // A length byte and that many characters, terminated; null for length 0.
  std::unique_ptr<char[]> read_pstring();
  // Up to `count` raw bytes after aligning; answers how many came.
  int read_bytes(void* buffer, int count);

  int64_t tell_offset() const { return position_; }
  void seek_offset(int64_t offset);

  // Opens the next tag and answers its type. Its end is kept in 64 bits and
  // never lies beyond the enclosing tag's end.
  int enter_tag();
  int64_t tag_end_offset() const;
  // Closes the innermost tag and moves to its end, whatever its loader read.
  void leave_tag();

  // The raw bytes of the stream for readers of embedded data (JPEG, zlib):
  // reads, seeks and tells go through the stream and stop where its reads
  // stop.
  file_object* file() { return view_.get(); }

  // True when a read was cut short since the last clear_overrun.
  bool overrun() const { return overrun_; }
  void clear_overrun() { overrun_ = false; }
  // True once the file itself gave less than was asked.
  bool hit_file_end() const { return hit_file_end_; }

 private:
  // The offset reads must stop at: the innermost tag's end, else none.
  int64_t read_limit() const;
  uint8_t next_byte();

  file_object* source_;
  std::unique_ptr<file_object> view_;
  uint8_t current_byte_ = 0;
  int unused_bits_ = 0;
  dyn_array<int64_t> tag_ends_;
  int64_t position_ = 0;
  bool overrun_ = false;
  bool hit_file_end_ = false;
};

}  // namespace swf
