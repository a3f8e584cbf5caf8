#include "core/memory/mem_block_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace {

// The index never reads the memory a key points at, so made-up addresses do.
const void* Address(uintptr_t value) { return reinterpret_cast<const void*>(value); }

// Each entry's record is told apart by the number it is stored with.
constexpr uint32_t kMissing = UINT32_MAX;

bool Insert(MemBlockIndex& index, const void* key, uint32_t number) {
  MemRecord* record = index.Insert(key);
  if (record) record->allocationNumber = number;
  return record;
}

uint32_t Found(const MemBlockIndex& index, const void* key) {
  const size_t slot = index.Find(key);
  return slot == MemBlockIndex::kNone ? kMissing : index.RecordAt(slot)->allocationNumber;
}

// Neighbours on one page, blocks far apart, and pages whose runs of slots
// collide, inserted past several growths, then removed in a random order:
// after each removal every key left is still found and the removed one not.
TEST(MemBlockIndexTest, FindsEveryKeyThroughGrowthAndRemovalsInAnyOrder) {
  std::vector<const void*> keys;
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x10000000 + 48 * i));  // small neighbours
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x7f0000000000 + 0x11010 * i));  // large blocks
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x20000000 + 0x1000 * i + 0x7f0));  // one offset

  // Like the tracker's, the index lives as long as the process: the table it
  // grew into is never given back.
  static MemBlockIndex* const index = new MemBlockIndex;
  for (uint32_t i = 0; i < keys.size(); ++i) ASSERT_TRUE(Insert(*index, keys[i], i));
  EXPECT_EQ(index->Count(), keys.size());
  for (uint32_t i = 0; i < keys.size(); ++i) ASSERT_EQ(Found(*index, keys[i]), i);

  std::vector<size_t> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  std::vector<bool> removed(keys.size(), false);
  for (size_t n = 0; n < order.size(); ++n) {
    const size_t gone = order[n];
    index->RemoveAt(index->Find(keys[gone]));
    removed[gone] = true;
    ASSERT_EQ(Found(*index, keys[gone]), kMissing);
    if (n % 97 != 0) continue;  // every key checked now and then
    for (uint32_t i = 0; i < keys.size(); ++i)
      ASSERT_EQ(Found(*index, keys[i]), removed[i] ? kMissing : i) << "after " << n;
  }
  EXPECT_EQ(index->Count(), 0u);
}

TEST(MemBlockIndexTest, PointersNeverHandedOutAreNotFound) {
  auto index = std::make_unique<MemBlockIndex>();
  const uintptr_t block = 0x30000010;
  ASSERT_TRUE(Insert(*index, Address(block), 1));
  EXPECT_EQ(index->Find(nullptr), MemBlockIndex::kNone);
  for (uintptr_t near : {block + 4, block - 16, block + 16, block + 0x1000})
    EXPECT_EQ(index->Find(Address(near)), MemBlockIndex::kNone) << std::hex << near;
  EXPECT_EQ(Found(*index, Address(block)), 1u);
}

}  // namespace

namespace {

// Two pages whose runs of slots collide, with a block at one offset in each:
// the second block's home slot holds the first. The home-slot operations
// refuse, changing nothing, wherever the full ones have to probe or move an
// entry back.
// A key at the same offset of a later page whose run is the key's: its home
// slot is the key's. Leaves the index empty, as it must be found.
const void* KeyWithTheSameHome(MemBlockIndex& index, uintptr_t key) {
  for (uintptr_t other = key + 0x1000;; other += 0x1000) {
    EXPECT_TRUE(Insert(index, Address(key), 1));
    const bool sameHome = !index.InsertAtHome(Address(other));
    if (!sameHome) index.RemoveAt(index.Find(Address(other)));
    index.RemoveAt(index.Find(Address(key)));
    if (sameHome) return Address(other);
  }
}

TEST(MemBlockIndexTest, HomeSlotOperationsRefuseWhereProbingIsNeeded) {
  auto index = std::make_unique<MemBlockIndex>();
  const void* firstKey = Address(0x40000010);
  const void* secondKey = KeyWithTheSameHome(*index, 0x40000010);
  ASSERT_EQ(index->Count(), 0u);

  MemRecord* first = index->InsertAtHome(firstKey);
  ASSERT_NE(first, nullptr);
  first->allocationNumber = 1;
  EXPECT_EQ(index->InsertAtHome(secondKey), nullptr);
  EXPECT_EQ(index->Count(), 1u);
  ASSERT_TRUE(Insert(*index, secondKey, 2));
  EXPECT_EQ(Found(*index, secondKey), 2u);
  size_t firstSlot;
  EXPECT_FALSE(index->FindAtHome(secondKey, &firstSlot));
  ASSERT_TRUE(index->FindAtHome(firstKey, &firstSlot));
  EXPECT_EQ(index->RecordAt(firstSlot)->allocationNumber, 1u);

  // The second entry has to move back into the first one's slot.
  EXPECT_FALSE(index->RemoveAlone(firstSlot));
  EXPECT_EQ(Found(*index, firstKey), 1u);
  index->RemoveAt(firstSlot);
  size_t secondSlot;
  ASSERT_TRUE(index->FindAtHome(secondKey, &secondSlot));
  EXPECT_EQ(secondSlot, firstSlot);
  EXPECT_EQ(index->RecordAt(secondSlot)->allocationNumber, 2u);
  EXPECT_TRUE(index->RemoveAlone(secondSlot));
  EXPECT_EQ(index->RecordAt(secondSlot)->allocationNumber, 2u) << "the record is left to read";
  EXPECT_EQ(index->Count(), 0u);
  EXPECT_EQ(index->Find(secondKey), MemBlockIndex::kNone);
}

// Neighbours one step apart sit in neighbouring home slots, and the first
// leaves alone unless an entry displaced past both has to move back.
TEST(MemBlockIndexTest, HomeSlotRemovalLooksPastANeighbourAtHome) {
  auto index = std::make_unique<MemBlockIndex>();
  const uintptr_t first = 0x60000020;
  const uintptr_t neighbour = first + 48;  // in the next 32-byte step
  const void* displaced = KeyWithTheSameHome(*index, first);

  ASSERT_NE(index->InsertAtHome(Address(first)), nullptr);
  ASSERT_NE(index->InsertAtHome(Address(neighbour)), nullptr);
  size_t firstSlot;
  size_t neighbourSlot;
  ASSERT_TRUE(index->FindAtHome(Address(first), &firstSlot));
  ASSERT_TRUE(index->FindAtHome(Address(neighbour), &neighbourSlot));
  ASSERT_EQ(neighbourSlot, firstSlot + 1);
  EXPECT_TRUE(index->RemoveAlone(firstSlot));
  EXPECT_TRUE(index->FindAtHome(Address(neighbour), &neighbourSlot));

  ASSERT_TRUE(Insert(*index, Address(first), 1));
  ASSERT_TRUE(Insert(*index, displaced, 3));  // probes past both
  size_t displacedSlot;
  EXPECT_FALSE(index->FindAtHome(displaced, &displacedSlot));
  EXPECT_FALSE(index->RemoveAlone(firstSlot));
  index->RemoveAt(index->Find(Address(first)));
  EXPECT_EQ(Found(*index, displaced), 3u);
  EXPECT_TRUE(index->FindAtHome(Address(neighbour), &neighbourSlot));
  EXPECT_EQ(index->Count(), 2u);
}

// Home-slot insertions alone fill the table up to half and no further: the
// growth that follows is the full insertion's.
TEST(MemBlockIndexTest, HomeSlotInsertionLeavesGrowthToTheFullOne) {
  static MemBlockIndex* const index = new MemBlockIndex;  // its grown table lives on
  const size_t half = (size_t{1} << MemBlockIndex::kInitialBits) / 2;
  std::vector<const void*> keys;
  for (uintptr_t i = 0; i < 40 * half; ++i) {
    const void* key = Address(0x50000000 + 48 * i);  // neighbours, at every offset of a page in turn
    if (MemRecord* record = index->InsertAtHome(key)) {
      record->allocationNumber = 7;
      keys.push_back(key);
    }
    ASSERT_LE(index->Count(), half);
  }
  EXPECT_EQ(index->Count(), half);
  const void* more = Address(0x50000000 + 48 * 40 * half);
  EXPECT_EQ(index->InsertAtHome(more), nullptr);
  ASSERT_TRUE(Insert(*index, more, 7));
  keys.push_back(more);
  EXPECT_EQ(index->Count(), keys.size());
  for (const void* key : keys) EXPECT_EQ(Found(*index, key), 7u);
}

}  // namespace
