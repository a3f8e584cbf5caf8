// The memory tracker's index from a user pointer to its record: an open
// addressing table that holds each pointer and its record in a 32-byte slot,
// so a lookup reads one cache line, and a pointer the tracker never handed
// out is told apart without reading the memory around it.
//
// A pointer's home slot keeps blocks of one 4 KiB page together: the page
// picks a run of 128 slots by a multiplicative hash, the pointer's offset in
// the page (in 32-byte steps) the slot within the run. Blocks made one after
// another, which are neighbours on the heap, are then neighbours in the
// table too. Collisions probe onwards; removal shifts later entries back, so
// no tombstones build up. The table doubles once it is half full.
//
// Needs no construction at run time, so it serves allocations made before
// main.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/memory/mem_record.h"

class MemBlockIndex {
 public:
  static constexpr int kInitialBits = 12;  // 4096 slots before the first growth
  static constexpr int kRunBits = 7;       // the slots of one page
  static constexpr int kStepBits = 12 - kRunBits;  // a slot per 32 bytes of a page
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

  // A slot is as wide as a step and a run as a page, so the pointer's offset
  // in its page, rounded down to a step, is its home's offset in the run.
  Slot* HomeSlot(const void* userPointer) const {
    static_assert(sizeof(Slot) == size_t{1} << kStepBits, "a slot per step");
    const uint64_t address = reinterpret_cast<uintptr_t>(userPointer);
    const uint64_t run = ((address >> 12) * 0x9E3779B97F4A7C15u) >> runShift_;
    const uint64_t offset = (run << 12) | (address & (0xFFF & ~(sizeof(Slot) - 1)));
    return reinterpret_cast<Slot*>(reinterpret_cast<char*>(table_) + offset);
  }
  size_t HomeOf(const void* userPointer) const { return static_cast<size_t>(HomeSlot(userPointer) - table_); }

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
  int runShift_ = 64 - (kInitialBits - kRunBits);  // keeps the hash's top bits that pick a run
  size_t count_ = 0;
};
