// Memory that reads as zeros until written, for surfaces and bitmaps of which
// often only a part is ever touched: a large one comes straight from the
// system, which gives it physical pages only as they are written. Like the
// memory a graphics runtime or the desktop hands out, it lies outside the C++
// heap and its tracker.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

class ZeroedBuffer {
 public:
  // Empty (null data, size 0) when the memory cannot be had.
  explicit ZeroedBuffer(size_t bytes);
  ~ZeroedBuffer();
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

  // Gives back the memory of whole pages that read as zeros; they still do.
  void ReleaseZeroPages();

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
};

}  // namespace platform
