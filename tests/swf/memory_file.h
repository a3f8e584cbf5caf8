// A player file over a copy of some bytes, for tests and fuzz targets. Reads
// never touch a byte outside them.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "swf/base/file_object.h"

namespace swf_test {

class MemoryFile {
 public:
  MemoryFile(const void* data, size_t size)
      : bytes_(static_cast<const char*>(data), size),
        file_(swf::file_object::from_callbacks(this, Read, nullptr, Seek, SeekToEnd, Tell, AtEnd, nullptr)) {}
  explicit MemoryFile(const std::string& bytes) : MemoryFile(bytes.data(), bytes.size()) {}
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  swf::file_object* file() { return file_.get(); }
  // Hands the file over; the MemoryFile must outlive it.
  swf::file_object* release() { return file_.release(); }
  int64_t position() const { return position_; }
  int64_t furthest_read() const { return furthest_; }

 private:
  static MemoryFile* Of(void* handle) { return static_cast<MemoryFile*>(handle); }
  static int Read(void* buffer, int bytes, void* handle) {
    MemoryFile* m = Of(handle);
    const int64_t size = static_cast<int64_t>(m->bytes_.size());
    const int64_t left = m->position_ < size ? size - m->position_ : 0;
    const int count = left < bytes ? static_cast<int>(left) : bytes;
    if (count > 0) std::memcpy(buffer, m->bytes_.data() + m->position_, static_cast<size_t>(count));
    m->position_ += count;
    m->at_end_ = count < bytes;
    if (m->position_ > m->furthest_) m->furthest_ = m->position_;
    return count;
  }
  static int Seek(int64_t offset, void* handle) {
    if (offset < 0) return swf::file_object::kSeekError;
    Of(handle)->position_ = offset;
    Of(handle)->at_end_ = false;
    return 0;
  }
  static int SeekToEnd(void* handle) { return Seek(static_cast<int64_t>(Of(handle)->bytes_.size()), handle); }
  static int64_t Tell(void* handle) { return Of(handle)->position_; }
  static bool AtEnd(void* handle) { return Of(handle)->at_end_; }

  const std::string bytes_;
  int64_t position_ = 0;
  int64_t furthest_ = 0;
  bool at_end_ = false;
  std::unique_ptr<swf::file_object> file_;
};

}  // namespace swf_test
