#include "core/memory/mem_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}  // namespace

void* MapZeroedPages(size_t bytes) {
  // A huge page more than needed, so that a start on a huge-page boundary
  // can be cut from it; the rest is given back.
  const size_t mapped = bytes >= kHugePage ? bytes + kHugePage : bytes;
  void* area = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return nullptr;
  if (mapped == bytes) return area;
  const uintptr_t start = reinterpret_cast<uintptr_t>(area);
  const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) munmap(area, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}
