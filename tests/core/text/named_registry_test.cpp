#include "core/text/named_registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the order in which values are destroyed.
struct Tracked {
  Tracked(int id_, std::vector<int>& log_) : id(id_), log(log_) {}
  ~Tracked() { log.push_back(id); }
  int id;
  std::vector<int>& log;
};

TEST(NamedRegistry, EmptyRegistry) {
  NamedRegistry<int> registry;
  EXPECT_EQ(registry.Find("anything"), nullptr);
  registry.Clear();
  EXPECT_TRUE(registry.Entries().empty());
}

TEST(NamedRegistry, NamesDifferingInCaseAreOneName) {
  std::vector<int> destroyed;
  NamedRegistry<Tracked> registry;
  Tracked* first = new Tracked(1, destroyed);
  Tracked second(2, destroyed);
  ASSERT_TRUE(registry.Add("Title", first));
  EXPECT_FALSE(registry.Add("TITLE", &second));  // refused; still ours
  EXPECT_EQ(registry.Find("title"), first);
  EXPECT_EQ(registry.Entries().size(), 1u);
  EXPECT_EQ(registry.Entries().begin()->first, num::NameKey("title"));
}

TEST(NamedRegistry, CaseSensitiveRegistryKeepsBoth) {
  int a = 1, b = 2;
  NamedRegistry<int> registry(false, false);
  EXPECT_TRUE(registry.Add("abc", &a));
  EXPECT_TRUE(registry.Add("ABC", &b));
  EXPECT_EQ(registry.Find("abc"), &a);
  EXPECT_EQ(registry.Find("ABC"), &b);
  EXPECT_EQ(registry.Find("Abc"), nullptr);
}

TEST(NamedRegistry, NameHeldAsNullCanBeFilled) {
  int value = 3;
  NamedRegistry<int> registry(false);
  EXPECT_TRUE(registry.Add("Default", nullptr));
  EXPECT_TRUE(registry.Add("DEFAULT", &value));
  EXPECT_EQ(registry.Find("default"), &value);
}

TEST(NamedRegistry, ClearDestroysEachValueOnceInKeyOrder) {
  std::vector<int> destroyed;
  NamedRegistry<Tracked> registry;
  const char* names[] = {"alpha", "beta", "gamma", "delta"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(registry.Add(names[i], new Tracked(i, destroyed)));
  std::vector<int> expected;
  for (const auto& entry : registry.Entries()) expected.push_back(entry.second->id);
  registry.Clear();
  EXPECT_EQ(destroyed, expected);
  EXPECT_EQ(registry.Find("alpha"), nullptr);

  // Filled again after clearing; the destructor destroys the new values.
  destroyed.clear();
  {
    NamedRegistry<Tracked> refilled;
    ASSERT_TRUE(refilled.Add("alpha", new Tracked(7, destroyed)));
    ASSERT_TRUE(registry.Add("alpha", new Tracked(8, destroyed)));
    EXPECT_EQ(registry.Find("ALPHA")->id, 8);
  }
  EXPECT_EQ(destroyed, std::vector<int>{7});
}

TEST(NamedRegistry, NonOwningRegistryLeavesValues) {
  std::vector<int> destroyed;
  Tracked value(1, destroyed);
  {
    NamedRegistry<Tracked> registry(false);
    registry.Add("value", &value);
    registry.Clear();
    EXPECT_EQ(registry.Find("value"), nullptr);
    registry.Add("value", &value);
  }
  EXPECT_TRUE(destroyed.empty());
}

}  // namespace
