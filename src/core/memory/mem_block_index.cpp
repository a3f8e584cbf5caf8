#include "core/memory/mem_block_index.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

// Tables from this size on are mapped on their own, in huge pages where the
// kernel offers them: a large table is read at random, one slot a request,
// and small pages would cost a page-table walk on nearly every one.
constexpr size_t kHugePage = size_t{2} << 20;

// Zeroed memory for a table of `bytes`, or null.
void* MapTable(size_t bytes) {
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

}  // namespace

// When the larger table cannot be had, the table stays as it is and fills up.
bool MemBlockIndex::Grow() {
  const size_t oldCount = mask_ + 1;
  auto* grown = static_cast<Slot*>(MapTable(oldCount * 2 * sizeof(Slot)));
  if (!grown) return false;
  Slot* old = table_;
  table_ = grown;
  mask_ = oldCount * 2 - 1;
  growAt_ = oldCount;
  --runShift_;
  for (size_t slot = 0; slot < oldCount; ++slot)
    if (old[slot].key) grown[FreeSlot(grown, mask_, HomeOf(old[slot].key))] = old[slot];
  if (old != initialTable_) munmap(old, oldCount * sizeof(Slot));
  return true;
}
