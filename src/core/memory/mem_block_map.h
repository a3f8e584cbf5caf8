// The memory tracker's map of its usual blocks: those that name no call
// site, sit at the default offset and ask for less than 8 MiB. Each one's
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
  static constexpr size_t kMaxSize = (size_t{1} << 23) - 1;

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
    return true;
  }

  // Takes the record of a pointer handed out out of the map, into `record`;
  // false when the map does not hold the pointer.
  [[gnu::always_inline]] bool Remove(const void* userPointer, Record* record) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    uint64_t* entry = EntryOf(address);
    if (!entry || !Holds(*entry, address)) return false;
    *record = Unpack(*entry);
    *entry = 0;
    return true;
  }

  bool Find(const void* userPointer, Record* record) const {
    const uintptr_t address = reinterpret_cast<uintptr_t>(userPointer);
    const Leaf* leaf = Holdable(address) ? LeafOf(address) : nullptr;
    if (!leaf) return false;
    const uint64_t entry = leaf->entries[EntrySlot(address)];
    if (!Holds(entry, address)) return false;
    *record = Unpack(entry);
    return true;
  }

 private:
  // The address bits each level takes. User space ends below 2^47.
  static constexpr int kGranuleBits = 5;
  static constexpr int kLeafBits = 16;  // a leaf covers 2 MiB in 512 KiB of entries
  static constexpr int kMiddleBits = 14;  // a middle level covers 32 GiB
  static constexpr int kRegionShift = kGranuleBits + kLeafBits;  // a leaf's region of the address space
  static constexpr int kTopShift = kRegionShift + kMiddleBits;
  static constexpr int kTopBits = 47 - kTopShift;

  // An entry, from the lowest bit up: whether it is taken, three bits
  // left clear, the pointer's half of the granule (where the pointer has
  // that bit), the kind, the size and the allocation number.
  static constexpr uint64_t kTaken = 1;
  static constexpr uint64_t kUpperHalf = 16;
  static constexpr int kKindShift = 5;
  static constexpr int kSizeShift = 9;
  static constexpr int kNumberShift = 32;
  static_assert(kMaxSize < (uint64_t{1} << (kNumberShift - kSizeShift)), "the size fits its bits");

  struct Leaf {
    uint64_t entries[size_t{1} << kLeafBits];
  };
  struct Middle {
    Leaf* leaves[size_t{1} << kMiddleBits];
  };

  static bool Holdable(uintptr_t address) { return (address & 15) == 0 && (address >> 47) == 0; }

  // Whether the entry is taken by a block in the pointer's half of the
  // granule; the pointer is on a 16-byte boundary, so an empty entry
  // never matches.
  static bool Holds(uint64_t entry, uintptr_t address) { return ((entry ^ address) & (kTaken | kUpperHalf)) == kTaken; }

  static uint64_t Pack(uintptr_t address, Record record) {
    return kTaken | (address & kUpperHalf) | uint64_t{record.kind} << kKindShift | uint64_t{record.size} << kSizeShift |
           uint64_t{record.allocationNumber} << kNumberShift;
  }
  static Record Unpack(uint64_t entry) {
    return {static_cast<size_t>((entry >> kSizeShift) & kMaxSize), static_cast<uint32_t>(entry >> kNumberShift),
            static_cast<uint8_t>((entry >> kKindShift) & 15)};
  }

  // The entry of the pointer's granule; null when its leaf is not mapped or
  // the pointer cannot be kept here. Requests come in runs from one region
  // of the heap, so the last leaf used is kept at hand: that saves two
  // dependent loads, which a release's painting would wait for. One test
  // finds a pointer on a 16-byte boundary in its region.
  uint64_t* EntryOf(uintptr_t address) {
    if (__builtin_expect((address & kRecentMask) == recentRegion_, 1)) {
      if (!recentLeaf_) __builtin_unreachable();  // set with the region, so the callers test no null
      return &recentLeaf_->entries[EntrySlot(address)];
    }
    if (!Holdable(address)) return nullptr;
    Leaf* leaf = LeafOf(address);
    if (!leaf) return nullptr;
    recentRegion_ = address & kRecentMask;
    recentLeaf_ = leaf;
    return &leaf->entries[EntrySlot(address)];
  }
  static constexpr uintptr_t kRecentMask = ~((uintptr_t{1} << kRegionShift) - 1) | 15;
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
  uintptr_t recentRegion_ = 15;  // the start of the last leaf's region; no pointer matches it until one is used
  Leaf* recentLeaf_ = nullptr;
};
