// The memory tracker's index from a user pointer to its record: an open
// addressing table that holds each pointer beside its record, so a lookup
// reads the table alone, and a pointer the tracker never handed out is told
// apart without reading the memory around it.
//
// A pointer's home slot keeps blocks of one 4 KiB page together: the page
// picks a run of 256 slots by a multiplicative hash, the pointer's offset in
// the page (in 16-byte steps) the slot within the run. Blocks made one after
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
  static constexpr int kRunBits = 8;       // the slots of one page
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

  MemRecord* RecordAt(size_t slot) const { return table_[slot].record; }

  // False, and nothing stored, when the table is full and cannot grow.
  bool Insert(const void* userPointer, MemRecord* record) {
    if (count_ >= growAt_ && !MakeRoom()) return false;
    Place(table_, mask_, HomeOf(userPointer), userPointer, record);
    ++count_;
    return true;
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
    table[gap] = {nullptr, nullptr};
    --count_;
  }

  size_t Count() const { return count_; }

  // The usual cases, in which a pointer sits in its home slot: blocks are
  // at least 48 bytes apart, so a page's blocks never share a slot, and
  // only colliding runs displace an entry. They need no probing loop, which
  // keeps their callers' fast ways short; each refuses, changing nothing,
  // where the full operation above is needed.
  //
  // Stores the entry in its home slot: false when that is taken or the
  // table is due to grow.
  bool InsertAtHome(const void* userPointer, MemRecord* record) {
    const size_t home = HomeOf(userPointer);
    if (count_ >= growAt_ || table_[home].key) return false;
    table_[home] = {userPointer, record};
    ++count_;
    return true;
  }
  // The home slot of a pointer other than null if it holds the pointer,
  // else kNone (Find may still find it further on).
  size_t FindAtHome(const void* userPointer) const {
    const size_t home = HomeOf(userPointer);
    return table_[home].key == userPointer ? home : kNone;
  }
  // Empties the slot when no later entry has to move back into it.
  bool RemoveAlone(size_t slot) {
    if (table_[(slot + 1) & mask_].key) return false;
    table_[slot] = {nullptr, nullptr};
    --count_;
    return true;
  }

 private:
  struct Slot {
    const void* key;  // null: free
    MemRecord* record;
  };

  size_t HomeOf(const void* userPointer) const {
    const uint64_t address = reinterpret_cast<uintptr_t>(userPointer);
    const uint64_t run = ((address >> 12) * 0x9E3779B97F4A7C15u) >> runShift_;
    return static_cast<size_t>((run << kRunBits) | ((address >> 4) & ((1u << kRunBits) - 1)));
  }

  static void Place(Slot* table, size_t mask, size_t home, const void* key, MemRecord* record) {
    size_t slot = home;
    while (table[slot].key) slot = (slot + 1) & mask;
    table[slot] = {key, record};
  }

  // Grows the table past half full; failing that, it fills up but for the
  // one free slot that ends every probe.
  bool MakeRoom() { return Grow() || count_ + 1 <= mask_; }
  bool Grow();

  Slot initialTable_[size_t{1} << kInitialBits] = {};
  Slot* table_ = initialTable_;  // taken from the C heap once grown
  size_t mask_ = (size_t{1} << kInitialBits) - 1;
  size_t growAt_ = size_t{1} << (kInitialBits - 1);  // entries that make the table half full
  int runShift_ = 64 - (kInitialBits - kRunBits);  // keeps the hash's top bits that pick a run
  size_t count_ = 0;
};
