// One OpenGL buffer object that every draw's vertices and indices stream
// through. Handing the driver client memory makes it find fresh upload space
// at each draw (and grow it, with page faults, while a room warms up); a ring
// of our own is sized once and reused, written only where no queued draw
// reads it.
#pragma once
#include <cstddef>
#include <cstdint>

struct __GLsync;  // OpenGL's fence, as GLsync points to it

namespace platform::d3d8 {

class StreamRing {
 public:
  StreamRing() = default;
  ~StreamRing();
  StreamRing(const StreamRing&) = delete;
  StreamRing& operator=(const StreamRing&) = delete;

  // Copies `size` bytes into the ring, which is left bound as the array and
  // element buffer; `offset` is where they start in it. False (logged) when
  // the driver refuses the buffer. Needs the device's context to be current.
  bool Put(const void* data, size_t size, size_t* offset);
  uint32_t Name() const { return buffer_; }

 private:
  // Room for `size` bytes at the head, bound; the ring is two halves.
  bool Reserve(size_t size);
  // New storage, each half at least `size`: the draws queued keep the old.
  bool Grow(size_t size);
  void DropFences();

  uint32_t buffer_ = 0;
  size_t capacity_ = 0;
  size_t head_ = 0;
  __GLsync* fences_[2] = {};  // a half's last draw, while it may be queued
};

}  // namespace platform::d3d8
