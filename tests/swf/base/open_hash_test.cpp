#include "swf/base/open_hash.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "swf/base/numeric.h"
#include "swf/base/small_string.h"

namespace {
using swf::open_hash;
using swf::small_string;

TEST(HashFunctions, KnownValues) {
  const unsigned char bytes[] = {1, 2};
  // From the last byte: (5381 * 65599 + 2) * 65599 + 1.
  EXPECT_EQ(swf::hash_bytes_65599(bytes, 2, 5381), (5381u * 65599u + 2u) * 65599u + 1u);
  EXPECT_EQ(swf::hash_bytes_xor33(bytes, 2, 5381), ((5381u * 33u) ^ 2u) * 33u ^ 1u);
  EXPECT_EQ(swf::hash_string_nocase("Ab"), ((5381u * 33u) ^ 'b') * 33u ^ 'a');
  EXPECT_EQ(swf::hash_string_nocase("LABEL\xC9"), swf::hash_string_nocase("label\xC9"));
  EXPECT_NE(swf::hash_string_nocase("\xC9"), swf::hash_string_nocase("\xE9"));  // ASCII folding only
  EXPECT_EQ(swf::compare_nocase("Intro", "iNTRO"), 0);
  EXPECT_LT(swf::compare_nocase("abc", "ABD"), 0);
  EXPECT_GT(swf::compare_nocase("\xE9", "a"), 0);  // unsigned bytes
  EXPECT_EQ(swf::float_max(1, 2), 2);
  EXPECT_EQ(swf::int_clamp(7, 0, 5), 5);
  EXPECT_EQ(swf::int_clamp(-3, 0, 5), 0);
}

TEST(OpenHash, SixteenSlotsDoubleOnTheTwelfthAdd) {
  open_hash<int, int> table;
  EXPECT_EQ(table.slot_count(), 0);
  for (int i = 1; i <= 11; ++i) table.add(i * 7, i);
  EXPECT_EQ(table.slot_count(), 16);
  table.add(1000, 12);
  EXPECT_EQ(table.slot_count(), 32);
  for (int i = 1; i <= 11; ++i) {
    int value = 0;
    ASSERT_TRUE(table.get(i * 7, &value));
    EXPECT_EQ(value, i);
  }
  EXPECT_FALSE(table.get(8, nullptr));
  table.clear();
  EXPECT_EQ(table.size(), 0);
  EXPECT_FALSE(table.get(7, nullptr));
}

TEST(OpenHash, StringKeysIgnoreCase) {
  open_hash<small_string, int> labels;
  labels.add("Intro", 3);
  int frame = 0;
  EXPECT_TRUE(labels.get("INTRO", &frame));
  EXPECT_EQ(frame, 3);
  labels.set("intro", 4);
  EXPECT_EQ(labels.size(), 1);
  EXPECT_EQ(*labels.find("Intro"), 4);
}

// Two adds of one key: the later is found first, before and after growth,
// however the colliding keys around it were placed.
TEST(OpenHash, TheLaterOfTwoEntriesStaysFirstThroughGrowth) {
  for (int seed = 0; seed < 40; ++seed) {
    std::mt19937 random(seed);
    open_hash<int, int> table;
    std::map<int, int> latest;
    for (int round = 0; round < 300; ++round) {
      const int key = static_cast<int>(random() % 60);
      table.add(key, round);
      latest[key] = round;
      for (const auto& [k, v] : latest) {
        int found = -1;
        ASSERT_TRUE(table.get(k, &found));
        ASSERT_EQ(found, v) << "seed " << seed << " round " << round << " key " << k;
      }
    }
    int entries = 0;
    for (auto it = table.begin(); it != table.end(); ++it) ++entries;
    EXPECT_EQ(entries, 300);
    EXPECT_EQ(table.size(), 300);
  }
}

TEST(OpenHash, DuplicateStringKeysSurviveGrowthInOrder) {
  open_hash<small_string, int> labels;
  labels.add("loop", 1);
  labels.add("LOOP", 2);
  for (int i = 0; i < 100; ++i) labels.add(("label" + std::to_string(i)).c_str(), i);
  ASSERT_GT(labels.slot_count(), 16);
  EXPECT_EQ(*labels.find("Loop"), 2);
}

}  // namespace
