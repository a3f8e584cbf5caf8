#include "core/memory/mem_record_pool.h"

#include <cstdlib>
#include <cstring>

using Record = MemTracker::AllocRecord;

MemTracker::AllocRecord* MemRecordPool::Take() {
  if (!freeList_ && !AddChunk()) return nullptr;
  Record* record = freeList_;
  freeList_ = record->next;
  std::memset(record, 0, sizeof *record);
  return record;
}

void MemRecordPool::Give(MemTracker::AllocRecord* record) {
  std::memset(record, 0, sizeof *record);
  record->next = freeList_;
  freeList_ = record;
}

bool MemRecordPool::AddChunk() {
  auto* chunk = static_cast<Record*>(std::malloc(kChunkRecords * sizeof(Record)));
  if (!chunk) return false;
  std::memset(chunk, 0, kChunkRecords * sizeof(Record));
  // Linked in address order, so records are handed out first to last.
  for (size_t i = 0; i + 1 < kChunkRecords; ++i) chunk[i].next = &chunk[i + 1];
  chunk[kChunkRecords - 1].next = freeList_;
  freeList_ = chunk;
  // The table only lets a debugger find the chunks; when it cannot grow the
  // chunk is still used.
  auto* grown = static_cast<Record**>(std::realloc(chunks_, (chunkCount_ + 1) * sizeof(Record*)));
  if (grown) {
    chunks_ = grown;
    chunks_[chunkCount_++] = chunk;
  }
  return true;
}
