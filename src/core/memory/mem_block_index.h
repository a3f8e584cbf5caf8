// The memory tracker's index from a user pointer to its record: chains of
// records in buckets picked by a multiplicative hash of the pointer. The table
// doubles whenever the records outnumber its buckets, so chains stay short
// however many blocks are live. Needs no construction at run time, so it
// serves allocations made before main.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/memory/mem_tracker.h"

class MemBlockIndex {
 public:
  static constexpr int kInitialBits = 12;  // 4096 buckets before the first growth

  constexpr MemBlockIndex() = default;

  MemTracker::AllocRecord* Find(const void* userPointer) const {
    for (Record* record = Table()[BucketOf(userPointer)]; record; record = record->next)
      if (record->userPointer == userPointer) return record;
    return nullptr;
  }

  // Links the record at the head of its chain; the table may grow.
  void Insert(MemTracker::AllocRecord* record) {
    LinkAtHead(Table()[BucketOf(record->userPointer)], record);
    if (++records_ > (size_t{1} << bits_)) Grow();
  }

  void Remove(MemTracker::AllocRecord* record) {
    if (record->previous)
      record->previous->next = record->next;
    else
      Table()[BucketOf(record->userPointer)] = record->next;
    if (record->next) record->next->previous = record->previous;
    --records_;
  }

 private:
  using Record = MemTracker::AllocRecord;

  Record** Table() const { return table_ ? table_ : const_cast<Record**>(initialTable_); }

  size_t BucketOf(const void* userPointer) const {
    // User pointers are at least 16-byte aligned; the top bits of the
    // product mix every remaining bit of the address.
    const uint64_t key = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(userPointer) >> 4);
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> (64 - bits_));
  }

  static void LinkAtHead(Record*& head, Record* record) {
    record->previous = nullptr;
    record->next = head;
    if (head) head->previous = record;
    head = record;
  }

  void Grow();

  Record* initialTable_[size_t{1} << kInitialBits] = {};
  Record** table_ = nullptr;  // taken from the C heap once grown; null while the initial one serves
  int bits_ = kInitialBits;
  size_t records_ = 0;
};
