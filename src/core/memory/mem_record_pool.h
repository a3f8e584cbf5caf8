// The memory tracker's supply of records: chunks of records taken from the C
// heap, recycled through a free list and never returned. Needs no
// construction at run time, so it works for allocations made before main.
#pragma once
#include <cstddef>

#include "core/memory/mem_tracker.h"

class MemRecordPool {
 public:
  static constexpr size_t kChunkRecords = 256;

  constexpr MemRecordPool() = default;

  // A zeroed record, or null when no chunk can be had.
  MemTracker::AllocRecord* Take();
  // Zeroes the record and puts it back for reuse.
  void Give(MemTracker::AllocRecord* record);

 private:
  bool AddChunk();

  MemTracker::AllocRecord* freeList_ = nullptr;
  MemTracker::AllocRecord** chunks_ = nullptr;
  size_t chunkCount_ = 0;
};
