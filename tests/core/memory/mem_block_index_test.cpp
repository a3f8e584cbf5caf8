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

MemRecord* Found(const MemBlockIndex& index, const void* key) {
  const size_t slot = index.Find(key);
  return slot == MemBlockIndex::kNone ? nullptr : index.RecordAt(slot);
}

// Neighbours on one page, blocks far apart, and pages whose runs of slots
// collide, inserted past several growths, then removed in a random order:
// after each removal every key left is still found and the removed one not.
TEST(MemBlockIndexTest, FindsEveryKeyThroughGrowthAndRemovalsInAnyOrder) {
  std::vector<const void*> keys;
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x10000000 + 48 * i));  // small neighbours
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x7f0000000000 + 0x11010 * i));  // large blocks
  for (uintptr_t i = 0; i < 3000; ++i) keys.push_back(Address(0x20000000 + 0x1000 * i + 0x7f0));  // one offset
  std::vector<MemRecord> records(keys.size());

  // Like the tracker's, the index lives as long as the process: the table it
  // grew into is never given back.
  static MemBlockIndex* const index = new MemBlockIndex;
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_TRUE(index->Insert(keys[i], &records[i]));
  EXPECT_EQ(index->Count(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(Found(*index, keys[i]), &records[i]) << i;

  std::vector<size_t> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  std::vector<bool> removed(keys.size(), false);
  for (size_t n = 0; n < order.size(); ++n) {
    const size_t gone = order[n];
    index->RemoveAt(index->Find(keys[gone]));
    removed[gone] = true;
    ASSERT_EQ(Found(*index, keys[gone]), nullptr);
    if (n % 97 != 0) continue;  // every key checked now and then
    for (size_t i = 0; i < keys.size(); ++i)
      ASSERT_EQ(Found(*index, keys[i]), removed[i] ? nullptr : &records[i]) << "after " << n << ": " << i;
  }
  EXPECT_EQ(index->Count(), 0u);
}

TEST(MemBlockIndexTest, PointersNeverHandedOutAreNotFound) {
  auto index = std::make_unique<MemBlockIndex>();
  MemRecord record{};
  const uintptr_t block = 0x30000010;
  ASSERT_TRUE(index->Insert(Address(block), &record));
  EXPECT_EQ(index->Find(nullptr), MemBlockIndex::kNone);
  for (uintptr_t near : {block + 4, block - 16, block + 16, block + 0x1000})
    EXPECT_EQ(index->Find(Address(near)), MemBlockIndex::kNone) << std::hex << near;
  EXPECT_EQ(Found(*index, Address(block)), &record);
}

}  // namespace

namespace {

// Two pages whose runs of slots collide, with a block at one offset in each:
// the second block's home slot holds the first. The home-slot operations
// refuse, changing nothing, wherever the full ones have to probe or move an
// entry back.
TEST(MemBlockIndexTest, HomeSlotOperationsRefuseWhereProbingIsNeeded) {
  auto index = std::make_unique<MemBlockIndex>();
  MemRecord first{};
  MemRecord second{};
  const void* firstKey = Address(0x40000010);
  const void* secondKey = nullptr;
  for (uintptr_t page = 0x40001; !secondKey; ++page) {  // the first page whose run is the same
    const void* key = Address((page << 12) | 0x10);
    ASSERT_TRUE(index->Insert(firstKey, &first));
    if (index->InsertAtHome(key, &second)) {
      index->RemoveAt(index->Find(key));
    } else {
      secondKey = key;
    }
    index->RemoveAt(index->Find(firstKey));
  }
  ASSERT_EQ(index->Count(), 0u);

  ASSERT_TRUE(index->InsertAtHome(firstKey, &first));
  EXPECT_FALSE(index->InsertAtHome(secondKey, &second));
  EXPECT_EQ(index->Count(), 1u);
  ASSERT_TRUE(index->Insert(secondKey, &second));
  EXPECT_EQ(Found(*index, secondKey), &second);
  EXPECT_EQ(index->FindAtHome(secondKey), MemBlockIndex::kNone);
  const size_t firstSlot = index->FindAtHome(firstKey);
  ASSERT_NE(firstSlot, MemBlockIndex::kNone);
  EXPECT_EQ(index->RecordAt(firstSlot), &first);

  // The second entry has to move back into the first one's slot.
  EXPECT_FALSE(index->RemoveAlone(firstSlot));
  EXPECT_EQ(Found(*index, firstKey), &first);
  index->RemoveAt(firstSlot);
  const size_t secondSlot = index->FindAtHome(secondKey);
  ASSERT_NE(secondSlot, MemBlockIndex::kNone);
  EXPECT_TRUE(index->RemoveAlone(secondSlot));
  EXPECT_EQ(index->Count(), 0u);
  EXPECT_EQ(index->Find(secondKey), MemBlockIndex::kNone);
}

// Home-slot insertions alone fill the table up to half and no further: the
// growth that follows is the full insertion's.
TEST(MemBlockIndexTest, HomeSlotInsertionLeavesGrowthToTheFullOne) {
  static MemBlockIndex* const index = new MemBlockIndex;  // its grown table lives on
  const size_t half = (size_t{1} << MemBlockIndex::kInitialBits) / 2;
  std::vector<const void*> keys;
  MemRecord record{};
  for (uintptr_t i = 0; i < 40 * half; ++i) {
    const void* key = Address(0x50000000 + 48 * i);  // neighbours, at every offset of a page in turn
    if (index->InsertAtHome(key, &record)) keys.push_back(key);
    ASSERT_LE(index->Count(), half);
  }
  EXPECT_EQ(index->Count(), half);
  const void* more = Address(0x50000000 + 48 * 40 * half);
  EXPECT_FALSE(index->InsertAtHome(more, &record));
  ASSERT_TRUE(index->Insert(more, &record));
  keys.push_back(more);
  EXPECT_EQ(index->Count(), keys.size());
  for (const void* key : keys) EXPECT_EQ(Found(*index, key), &record);
}

}  // namespace
