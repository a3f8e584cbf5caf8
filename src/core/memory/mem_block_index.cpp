#include "core/memory/mem_block_index.h"

#include <sys/mman.h>

#include "core/memory/mem_pages.h"

// When the larger table cannot be had, the table stays as it is and fills up.
bool MemBlockIndex::Grow() {
  const size_t oldCount = mask_ + 1;
  auto* grown = static_cast<Slot*>(MapZeroedPages(oldCount * 2 * sizeof(Slot)));
  if (!grown) return false;
  Slot* old = table_;
  table_ = grown;
  mask_ = oldCount * 2 - 1;
  growAt_ = oldCount;
  --hashShift_;
  for (size_t slot = 0; slot < oldCount; ++slot)
    if (old[slot].key) grown[FreeSlot(grown, mask_, HomeOf(old[slot].key))] = old[slot];
  if (old != initialTable_) munmap(old, oldCount * sizeof(Slot));
  return true;
}
