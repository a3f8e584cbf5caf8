#include "core/memory/mem_block_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace {

// The map never reads the memory a pointer points at, so made-up addresses do.
const void* Address(uintptr_t value) { return reinterpret_cast<const void*>(value); }

bool SameRecord(const MemBlockMap::Record& a, const MemBlockMap::Record& b) {
  return a.size == b.size && a.allocationNumber == b.allocationNumber && a.kind == b.kind;
}

// Neighbours in both halves of their granules, blocks in other leaves and
// other top-level entries, each with a record of its own (every field at its
// limits among them), removed in a random order: after each removal every
// block left is still found with its record and the removed one not.
TEST(MemBlockMapTest, KeepsEveryRecordThroughRemovalsInAnyOrder) {
  std::vector<uintptr_t> addresses;
  for (uintptr_t i = 0; i < 2000; ++i) addresses.push_back(0x10000010 + 48 * i);  // small neighbours
  for (uintptr_t i = 0; i < 300; ++i) addresses.push_back(0x7f0000000000 + 0x211030 * i);  // a leaf each
  for (uintptr_t i = 0; i < 8; ++i) addresses.push_back((uintptr_t{1} << 46) + (uintptr_t{1} << 40) * i + 0x20);
  std::vector<MemBlockMap::Record> records;
  for (uint32_t i = 0; i < addresses.size(); ++i)
    records.push_back({i % 7 == 0 ? MemBlockMap::kMaxSize : i * 13 + 1, i % 5 == 0 ? UINT32_MAX - i : i,
                       static_cast<uint8_t>(i % 9)});

  static MemBlockMap* const map = new MemBlockMap;  // its levels live on, as the tracker's do
  for (size_t i = 0; i < addresses.size(); ++i) ASSERT_TRUE(map->Insert(Address(addresses[i]), records[i])) << i;

  std::vector<size_t> order(addresses.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(11));
  std::vector<bool> removed(addresses.size(), false);
  for (size_t n = 0; n < order.size(); ++n) {
    const size_t gone = order[n];
    MemBlockMap::Record taken{};
    ASSERT_TRUE(map->Remove(Address(addresses[gone]), &taken));
    EXPECT_TRUE(SameRecord(taken, records[gone])) << gone;
    removed[gone] = true;
    ASSERT_FALSE(map->Find(Address(addresses[gone]), &taken));
    ASSERT_FALSE(map->Remove(Address(addresses[gone]), &taken));
    if (n % 101 != 0) continue;  // every block checked now and then
    for (size_t i = 0; i < addresses.size(); ++i) {
      MemBlockMap::Record found{};
      ASSERT_EQ(map->Find(Address(addresses[i]), &found), !removed[i]) << "after " << n;
      if (!removed[i]) {
        ASSERT_TRUE(SameRecord(found, records[i]));
      }
    }
  }
}

// What the map cannot keep is refused with nothing stored, for the
// tracker's other index; a pointer it never took is not found, whether its
// granule is empty, held for the other half, or in a leaf never mapped.
TEST(MemBlockMapTest, RefusesWhatItCannotKeepAndFindsOnlyWhatItTook) {
  auto map = std::make_unique<MemBlockMap>();
  const uintptr_t block = 0x30000010;  // the upper half of its granule
  const MemBlockMap::Record record{24, 5, 1};
  ASSERT_TRUE(map->Insert(Address(block), record));

  struct Refusal {
    const char* why;
    uintptr_t address;
    size_t size;
  } refusals[] = {
      {"granule taken", block - 16, 8},
      {"the same pointer again", block, 8},
      {"off a 16-byte boundary", block + 40, 8},
      {"above user space", uintptr_t{1} << 47, 8},
      {"too large", block + 64, MemBlockMap::kMaxSize + 1},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.why);
    EXPECT_FALSE(map->Insert(Address(refusal.address), {refusal.size, 9, 2}));
  }

  MemBlockMap::Record found{};
  for (uintptr_t never : {uintptr_t{0}, block - 16, block + 16, block + 4, block - 32, block + 0x200000,
                          uintptr_t{0x7ff000000000}, uintptr_t{1} << 47}) {
    EXPECT_FALSE(map->Find(Address(never), &found)) << std::hex << never;
    EXPECT_FALSE(map->Remove(Address(never), &found)) << std::hex << never;
  }
  ASSERT_TRUE(map->Find(Address(block), &found));
  EXPECT_TRUE(SameRecord(found, record));
}

}  // namespace
