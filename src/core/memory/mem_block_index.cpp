#include "core/memory/mem_block_index.h"

#include <cstdint>
#include <cstdlib>

// When the larger table cannot be had, the chains just grow longer.
void MemBlockIndex::Grow() {
  const size_t oldCount = size_t{1} << bits_;
  auto* grown = static_cast<Record**>(std::calloc(oldCount * 2, sizeof(Record*)));
  if (!grown) return;
  Record** old = Table();
  const bool oldOnHeap = table_ != nullptr;
  table_ = grown;
  ++bits_;
  for (size_t bucket = 0; bucket < oldCount; ++bucket) {
    for (Record* record = old[bucket]; record;) {
      Record* next = record->next;
      LinkAtHead(grown[BucketOf(record->userPointer)], record);
      record = next;
    }
  }
  if (oldOnHeap) std::free(old);
}
