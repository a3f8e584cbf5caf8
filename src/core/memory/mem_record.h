// What the memory tracker keeps of a live block that its block map does not
// keep, in the block index's slot beside its user pointer: what follows from the block's address and size
// (the raw block, the block size) is worked out when asked for, and a call
// site, which only the few requests that name one have, is kept apart.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/memory/mem_tracker.h"

struct MemNames {
  char sourceFile[MemTracker::kNameLength];
  char function[MemTracker::kNameLength];
  int32_t line;
  MemNames* next;  // links the free list
};

struct MemRecord {
  size_t size;
  MemNames* site;  // null when the request named no call site
  uint32_t allocationNumber;
  uint8_t kind;
  uint8_t offsetShift;  // see SetOffset

  // The bytes before the user area are a power of two, or none where blocks
  // have no guards: kept as a shift, which fits a byte. None is kept as the
  // shift of the top bit, which Offset masks away.
  void SetOffset(size_t offset) { offsetShift = ShiftOf(offset); }
  size_t Offset() const { return (size_t{1} << offsetShift) & (kNoOffset - 1); }

 private:
  static constexpr size_t kNoOffset = size_t{1} << 63;
  static constexpr uint8_t ShiftOf(size_t offset) {
    return static_cast<uint8_t>(__builtin_ctzll(offset | kNoOffset));
  }
};
static_assert(sizeof(MemRecord) == 24, "a record and its key fill half a cache line");
