// The memory tracker's supply of records: chunks of records taken from the C
// heap, recycled through a free list and never returned. Needs no
// construction at run time, so it works for allocations made before main.
#pragma once
#include <cstddef>
#include <cstring>

#include "core/memory/mem_tracker.h"

class MemRecordPool {
 public:
  static constexpr size_t kChunkRecords = 256;

  constexpr MemRecordPool() = default;

  // A zeroed record, or null when no chunk can be had. Records are zeroed
  // once, as they come back, so taking one costs no clearing.
  MemTracker::AllocRecord* Take() {
    if (!freeList_ && !AddChunk()) return nullptr;
    MemTracker::AllocRecord* record = freeList_;
    freeList_ = record->next;
    record->next = nullptr;
    return record;
  }

  // Zeroes the record and puts it back for reuse. Its names are zero after
  // their terminators, as the record came zeroed and only the names were
  // copied in: clearing field by field zeroes it all, cheaper than clearing
  // every byte.
  void Give(MemTracker::AllocRecord* record) {
    ClearName(record->sourceFile);
    ClearName(record->function);
    record->blockSize = record->size = 0;
    record->rawBlock = record->userPointer = nullptr;
    record->line = record->kind = 0;
    record->allocationNumber = 0;
    record->previous = nullptr;
    record->next = freeList_;
    freeList_ = record;
  }

 private:
  static void ClearName(char (&name)[MemTracker::kNameLength]) {
    const bool longerThanAWord = name[7] != '\0';
    std::memset(name, 0, 8);  // most names are "??"
    if (!longerThanAWord) return;
    for (char* c = name + 8; c < name + MemTracker::kNameLength && *c; ++c) *c = '\0';
  }
  bool AddChunk();

  MemTracker::AllocRecord* freeList_ = nullptr;
  MemTracker::AllocRecord** chunks_ = nullptr;
  size_t chunkCount_ = 0;
};
