// The memory tracker's map of its usual blocks: those that name no call
// site, sit at the default offset and ask for less than 64 MiB. Each one's
// record is packed into the 8-byte entry of its user pointer's 32-byte
// granule of the address space, in a radix table (top, middle and leaf
// levels, like a page table): neighbours on the heap are neighbours in the
// map, which takes a quarter of the bytes of the heap it covers, so a run
// of requests reads it as a stream. No pointer moves, and no table grows by
// copying.
//
// An entry also keeps which half of its granule the pointer is in, so a
// pointer the tracker never handed out is told apart without reading the
// memory around it. A pointer that cannot be kept here (above the mapped
// range, off a 16-byte boundary, in a granule taken by another block, or
// where no leaf can be had) is refused, for the caller's other index.
//
// Needs no construction at run time, so it serves allocations made before
// main; its levels are mapped from the kernel as they are first needed and
// kept for the life of the process.
#pragma once
#include <cstddef>
#include <cstdint>

class MemBlockMap {
 public:
  static constexpr size_t kMaxSize = (size_t{1} << 26) - 1;

  struct Record {
    size_t size;
    uint32_t allocationNumber;
    uint8_t kind;
  };

  constexpr MemBlockMap() = default;
  MemBlockMap(const MemBlockMap&) = delete;
  MemBlockMap& operator=(const MemBlockMap&) = delete;

  // Keeps the record of a new block; false, and nothing stored, when the
  // pointer or the size cannot be kept here.
  bool Insert(const void* userPointer, Record record) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    if (!EntryOf(address) && (!Holdable(address) || !AddLeaf(address))) return false;
    return InsertMapped(userPointer, record);
  }
  // The same, making no call, for a pointer whose leaf is mapped already:
  // false, and nothing stored, for any other too.
  [[gnu::always_inline]] bool InsertMapped(const void* userPointer, Record record) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    uint64_t* entry = record.size <= kMaxSize ? EntryOf(address) : nullptr;
    if (!entry || *entry) return false;
    *entry = Pack(address, record);
    ++count_;
    return true;
  }

  // Takes the record of a pointer handed out out of the map, into `record`;
  // false when the map does not hold the pointer.
  [[gnu::always_inline]] bool Remove(const void* userPointer, Record* record) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    uint64_t* entry = EntryOf(address);
    if (!entry || (*entry & kTagBits) != TagOf(address)) return false;
    *record = Unpack(*entry);
    *entry = 0;
    --count_;
    return true;
  }

  bool Find(const void* userPointer, Record* record) const {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    const Leaf* leaf = Holdable(address) ? LeafOf(address) : nullptr;
    if (!leaf) return false;
    const uint64_t entry = leaf->entries[EntrySlot(address)];
    if ((entry & kTagBits) != TagOf(address)) return false;
    *record = Unpack(entry);
    return true;
  }

  size_t Count() const { return count_; }

 private:
  // The address bits each level takes. User space ends below 2^47.
  static constexpr int kGranuleBits = 5;
  static constexpr int kLeafBits = 16;  // a leaf covers 2 MiB in 512 KiB of entries
  static constexpr int kMiddleBits = 14;  // a middle level covers 32 GiB
  static constexpr int kRegionShift = kGranuleBits + kLeafBits;  // a leaf's region of the address space
  static constexpr int kTopShift = kRegionShift + kMiddleBits;
  static constexpr int kTopBits = 47 - kTopShift;

  // An entry: whether it is taken, the pointer's half of the granule, the
  // kind, the size and the allocation number, from the lowest bit up.
  static constexpr uint64_t kTaken = 1;
  static constexpr uint64_t kUpperHalf = 2;
  static constexpr uint64_t kTagBits = kTaken | kUpperHalf;
  static constexpr int kKindShift = 2;
  static constexpr int kSizeShift = 6;
  static constexpr int kNumberShift = 32;
  static_assert(kMaxSize < (uint64_t{1} << (kNumberShift - kSizeShift)), "the size fits its bits");

  struct Leaf {
    uint64_t entries[size_t{1} << kLeafBits];
  };
  struct Middle {
    Leaf* leaves[size_t{1} << kMiddleBits];
  };

  static bool Holdable(uintptr_t address) { return (address & 15) == 0 && (address >> 47) == 0; }

  // The tag an entry of the pointer holds: taken, in the pointer's half.
  static uint64_t TagOf(uintptr_t address) { return kTaken | ((address >> 3) & kUpperHalf); }

  static uint64_t Pack(uintptr_t address, Record record) {
    return TagOf(address) | uint64_t{record.kind} << kKindShift | uint64_t{record.size} << kSizeShift |
           uint64_t{record.allocationNumber} << kNumberShift;
  }
  static Record Unpack(uint64_t entry) {
    return {static_cast<size_t>((entry >> kSizeShift) & kMaxSize), static_cast<uint32_t>(entry >> kNumberShift),
            static_cast<uint8_t>((entry >> kKindShift) & 15)};
  }

  // The entry of the pointer's granule; null when its leaf is not mapped or
  // the pointer cannot be kept here. Requests come in runs from one region
  // of the heap, so the last leaf used is kept at hand: that saves two
  // dependent loads, which a release's painting would wait for.
  uint64_t* EntryOf(uintptr_t address) {
    if ((address & 15) == 0 && address >> kRegionShift == recentRegion_)
      return &recentLeaf_->entries[EntrySlot(address)];
    if (!Holdable(address)) return nullptr;
    Leaf* leaf = LeafOf(address);
    if (!leaf) return nullptr;
    recentRegion_ = address >> kRegionShift;
    recentLeaf_ = leaf;
    return &leaf->entries[EntrySlot(address)];
  }
  Leaf* LeafOf(uintptr_t address) const {
    const Middle* middle = top_[address >> kTopShift];
    return middle ? middle->leaves[LeafSlot(address)] : nullptr;
  }
  static size_t LeafSlot(uintptr_t address) {
    return (address >> kRegionShift) & ((size_t{1} << kMiddleBits) - 1);
  }
  static size_t EntrySlot(uintptr_t address) {
    return (address >> kGranuleBits) & ((size_t{1} << kLeafBits) - 1);
  }

  // Maps the levels the pointer's leaf needs; false when one cannot be had.
  bool AddLeaf(uintptr_t address);

  Middle* top_[size_t{1} << kTopBits] = {};
  uintptr_t recentRegion_ = UINTPTR_MAX;  // matches no pointer's region until a leaf is used
  Leaf* recentLeaf_ = nullptr;
  size_t count_ = 0;
};
