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

// Neighbours on one page, blocks far apart, and blocks at one offset of
// many pages, inserted past several growths, then removed in a random order:
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
