#include "platform/d3d8/d3d8_stream_ring.h"

#include <cstdio>
#include <cstring>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::d3d8 {
namespace {

// Each half holds a frame's worth of a large room's sprites before it wraps.
constexpr size_t kInitialCapacity = size_t{4} << 20;
// Vertex attributes and 16-bit indices read well from 16-byte boundaries.
constexpr size_t kAlignment = 16;

}  // namespace

StreamRing::~StreamRing() {
  DropFences();
  if (buffer_) glDeleteBuffers(1, &buffer_);
}

void StreamRing::DropFences() {
  for (GLsync& fence : fences_) {
    if (fence) glDeleteSync(fence);
    fence = nullptr;
  }
}

bool StreamRing::Grow(size_t size) {
  size_t capacity = capacity_ ? capacity_ : kInitialCapacity;
  while (capacity < 2 * size) capacity *= 2;
  DropFences();
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity), nullptr, GL_STREAM_DRAW);
  capacity_ = head_ = 0;
  if (glGetError() != GL_NO_ERROR) {
    std::fprintf(stderr, "d3d8: no stream buffer of %zu bytes\n", capacity);
    return false;
  }
  capacity_ = capacity;
  return true;
}

bool StreamRing::Reserve(size_t size) {
  if (!buffer_) glGenBuffers(1, &buffer_);
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer_);
  if (size > capacity_ / 2) return Grow(size);
  head_ = (head_ + kAlignment - 1) & ~(kAlignment - 1);
  const size_t half = capacity_ / 2;
  const int current = head_ < half ? 0 : 1;
  if (head_ + size <= half * (current + 1)) return true;
  // Leaving a half: a fence marks its last draw. The other half is written
  // again only once the draws of its previous turn are done, a frame or so
  // ago, so the wait is rarely felt. (Orphaning instead would have the
  // driver allocate and clear fresh storage at every turn.)
  fences_[current] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
  const int next = 1 - current;
  if (GLsync fence = fences_[next]) {
    glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, GL_TIMEOUT_IGNORED);
    glDeleteSync(fence);
    fences_[next] = nullptr;
  }
  head_ = half * next;
  return true;
}

bool StreamRing::Put(const void* data, size_t size, size_t* offset) {
  if (!Reserve(size)) return false;
  // Unsynchronised: Reserve saw to it that no queued draw reads the range.
  void* target = glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(head_), static_cast<GLsizeiptr>(size),
                                  GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
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
