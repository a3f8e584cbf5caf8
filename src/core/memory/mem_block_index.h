// The memory tracker's index of the blocks its block map does not keep:
// those that name a call site, sit at a wider offset or are very large. An
// open addressing table holds each user pointer and its record in a 32-byte
// slot, so a lookup reads one cache line, and a pointer the tracker never
// handed out is told apart without reading the memory around it. A pointer's
// home slot comes from a multiplicative hash; collisions probe onwards, and
// removal shifts later entries back, so no tombstones build up. The table
// doubles once it is half full.
//
// Needs no construction at run time, so it serves allocations made before
// main.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/memory/mem_record.h"

class MemBlockIndex {
 public:
  static constexpr int kInitialBits = 8;  // 256 slots before the first growth
  static constexpr size_t kNone = SIZE_MAX;

  constexpr MemBlockIndex() = default;
  MemBlockIndex(const MemBlockIndex&) = delete;
  MemBlockIndex& operator=(const MemBlockIndex&) = delete;

  // The slot of a pointer handed out, or kNone.
  size_t Find(const void* userPointer) const {
    if (!userPointer) return kNone;
    for (size_t slot = HomeOf(userPointer);; slot = (slot + 1) & mask_) {
      if (table_[slot].key == userPointer) return slot;
      if (!table_[slot].key) return kNone;
    }
  }

  // Valid until the next insertion or removal, which may move entries.
  MemRecord* RecordAt(size_t slot) const { return &table_[slot].record; }

  // The new entry's record, for the caller to fill; null, and nothing
  // stored, when the table is full and cannot grow.
  MemRecord* Insert(const void* userPointer) {
    if (count_ >= growAt_ && !MakeRoom()) return nullptr;
    Slot& slot = table_[FreeSlot(table_, mask_, HomeOf(userPointer))];
    slot.key = userPointer;
    ++count_;
    return &slot.record;
  }

  void RemoveAt(size_t slot) {
    Slot* table = table_;
    const size_t mask = mask_;
    // Each later entry of the probe run moves into the gap when its home does
    // not lie between the gap and itself, so every probe still finds it.
    size_t gap = slot;
    for (size_t next = (gap + 1) & mask; table[next].key; next = (next + 1) & mask) {
      const size_t home = HomeOf(table[next].key);
      if (((next - home) & mask) >= ((next - gap) & mask)) {
        table[gap] = table[next];
        gap = next;
      }
    }
    table[gap].key = nullptr;
    --count_;
  }

  size_t Count() const { return count_; }

 private:
  struct Slot {
    const void* key;  // null: free, and the record stale
    MemRecord record;
  };
  static_assert(sizeof(Slot) == 32, "two slots to a cache line");

  // The hash's top bits, which every bit of the pointer above its 16-byte
  // alignment reaches.
  size_t HomeOf(const void* userPointer) const {
    const uint64_t address = reinterpret_cast<uintptr_t>(userPointer);
    return static_cast<size_t>(((address >> 4) * 0x9E3779B97F4A7C15u) >> hashShift_);
  }

  static size_t FreeSlot(const Slot* table, size_t mask, size_t home) {
    size_t slot = home;
    while (table[slot].key) slot = (slot + 1) & mask;
    return slot;
  }

  // Grows the table past half full; failing that, it fills up but for the
  // one free slot that ends every probe.
  bool MakeRoom() { return Grow() || count_ + 1 <= mask_; }
  bool Grow();

  Slot initialTable_[size_t{1} << kInitialBits] = {};
  Slot* table_ = initialTable_;  // mapped on its own once grown
  size_t mask_ = (size_t{1} << kInitialBits) - 1;
  size_t growAt_ = size_t{1} << (kInitialBits - 1);  // entries that make the table half full
  int hashShift_ = 64 - kInitialBits;  // keeps as many of the hash's top bits as the table has slots
  size_t count_ = 0;
};
