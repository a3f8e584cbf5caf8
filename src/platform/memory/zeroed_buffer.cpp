#include "platform/memory/zeroed_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {
// Below this a mapping would waste most of its last page and a system call.
constexpr size_t kMappedFrom = 64 * 1024;
}  // namespace

ZeroedBuffer::ZeroedBuffer(size_t bytes) {
  if (bytes == 0) return;
  if (bytes >= kMappedFrom) {
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return;
    data_ = static_cast<uint8_t*>(mapped);
    mapped_ = true;
  } else {
    data_ = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!data_) return;
  }
  size_ = bytes;
}

ZeroedBuffer::~ZeroedBuffer() {
  if (mapped_)
    munmap(data_, size_);
  else
    std::free(data_);
}

void ZeroedBuffer::ReleaseZeroPages() {
  if (!mapped_) return;
  static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  // Zero when the first byte is and each byte equals the next.
  auto isZero = [this](size_t at) { return data_[at] == 0 && std::memcmp(data_ + at, data_ + at + 1, page - 1) == 0; };
  for (size_t at = 0; at + page <= size_;) {
    if (!isZero(at)) {
      at += page;
      continue;
    }
    size_t end = at + page;
    while (end + page <= size_ && isZero(end)) end += page;
    madvise(data_ + at, end - at, MADV_DONTNEED);
    at = end;
  }
}

}  // namespace platform
