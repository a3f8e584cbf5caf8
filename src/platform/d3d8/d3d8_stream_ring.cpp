#include "platform/d3d8/d3d8_stream_ring.h"

#include <cstdio>
#include <cstring>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::d3d8 {
namespace {

// Holds a frame's worth of a large room's sprites before it wraps.
constexpr size_t kInitialCapacity = size_t{4} << 20;
// Vertex attributes and 16-bit indices read well from 16-byte boundaries.
constexpr size_t kAlignment = 16;

}  // namespace

StreamRing::~StreamRing() {
  if (buffer_) glDeleteBuffers(1, &buffer_);
}

bool StreamRing::Reserve(size_t size) {
  if (!buffer_) glGenBuffers(1, &buffer_);
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer_);
  head_ = (head_ + kAlignment - 1) & ~(kAlignment - 1);
  if (capacity_ >= size && capacity_ - head_ >= size) return true;
  // Wrapping orphans the storage: draws still queued keep the old block, and
  // the driver hands back a free one of the same size without waiting.
  size_t capacity = capacity_ ? capacity_ : kInitialCapacity;
  while (capacity < size) capacity *= 2;
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity), nullptr, GL_STREAM_DRAW);
  if (glGetError() != GL_NO_ERROR) {
    std::fprintf(stderr, "d3d8: no stream buffer of %zu bytes\n", capacity);
    capacity_ = head_ = 0;
    return false;
  }
  capacity_ = capacity;
  head_ = 0;
  return true;
}

bool StreamRing::Put(const void* data, size_t size, size_t* offset) {
  if (!Reserve(size)) return false;
  // Unsynchronised: the range was never written since the last orphaning,
  // so no queued draw reads it.
  void* target = glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(head_), static_cast<GLsizeiptr>(size),
                                  GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (!target) {
    std::fprintf(stderr, "d3d8: stream buffer cannot be mapped\n");
    return false;
  }
  std::memcpy(target, data, size);
  glUnmapBuffer(GL_ARRAY_BUFFER);
  *offset = head_;
  head_ += size;
  return true;
}

}  // namespace platform::d3d8
