#include "core/memory/mem_block_index.h"

#include <cstdlib>

// When the larger table cannot be had, the table stays as it is and fills up.
bool MemBlockIndex::Grow() {
  const size_t oldCount = Mask() + 1;
  auto* grown = static_cast<Slot*>(std::calloc(oldCount * 2, sizeof(Slot)));
  if (!grown) return false;
  Slot* old = Table();
  const bool oldOnHeap = table_ != nullptr;
  table_ = grown;
  ++bits_;
  for (size_t slot = 0; slot < oldCount; ++slot)
    if (old[slot].key) Place(grown, Mask(), HomeOf(old[slot].key), old[slot].key, old[slot].record);
  if (oldOnHeap) std::free(old);
  return true;
}
