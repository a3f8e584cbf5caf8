#include "swf/base/dyn_array.h"

#include <gtest/gtest.h>

#include <string>

#include "swf/base/counted_ptr.h"
#include "swf/base/small_string.h"

namespace {
using swf::dyn_array;

TEST(DynArray, CapacityGrowsByAQuarterAndShrinksWhenHalfEmpty) {
  dyn_array<int> growing;
  const int expected[] = {1, 2, 3, 5, 5};
  for (int size = 1; size <= 5; ++size) {
    growing.resize(size);
    EXPECT_EQ(growing.capacity(), expected[size - 1]) << size;
  }

  struct Case {
    int size, capacity;
  };
  for (const Case& c : {Case{6, 10}, Case{5, 6}, Case{4, 5}}) {
    dyn_array<int> a;
    for (int i = 0; i < 8; ++i) a.push_back(i);
    ASSERT_EQ(a.capacity(), 10);
    a.resize(c.size);
    EXPECT_EQ(a.capacity(), c.capacity) << c.size;
    for (int i = 0; i < c.size; ++i) EXPECT_EQ(a[i], i);
  }

  growing.clear();
  EXPECT_EQ(growing.capacity(), 0);
  EXPECT_EQ(growing.begin(), nullptr);
}

TEST(DynArray, NewElementsStartEmptyAndStringsSurviveMoves) {
  dyn_array<swf::small_string> strings;
  for (int i = 0; i < 40; ++i) strings.push_back(std::string(static_cast<size_t>(i), 'a' + i % 26).c_str());
  strings.insert(0, "first");
  strings.remove(1);
  strings.insert(20, std::string(30, 'q').c_str());
  ASSERT_EQ(strings.size(), 41);
  EXPECT_EQ(strings[0], "first");
  EXPECT_EQ(strings[1], "b");
  EXPECT_EQ(std::string(strings[20].c_str()), std::string(30, 'q'));
  EXPECT_EQ(std::string(strings[40].c_str()), std::string(39, 'a' + 39 % 26));
  strings.push_back(strings[40]);  // an element of the array itself
  EXPECT_EQ(strings[41], strings[40]);

  dyn_array<int> numbers;
  numbers.resize(3);
  EXPECT_EQ(numbers[0] + numbers[1] + numbers[2], 0);
}

class Probe : public swf::counted_object {};

TEST(DynArray, CopiesOfCountedPointersTakeReferences) {
  Probe* p = new Probe;
  p->take_ref();
  {
    dyn_array<swf::counted_ptr<Probe>> a;
    a.push_back(p);
    a.push_back(p);
    dyn_array<swf::counted_ptr<Probe>> b;
    b = a;
    EXPECT_EQ(p->ref_count(), 5);
    b.remove(0);
    EXPECT_EQ(p->ref_count(), 4);
  }
  EXPECT_EQ(p->ref_count(), 1);
  swf::release_ref(p);
}

TEST(DynArray, AnImpossibleSizeThrowsAndKeepsTheElements) {
  dyn_array<double> a;
  a.push_back(1.5);
  EXPECT_THROW(a.resize(0x7FFFFFF0), std::bad_alloc);
  ASSERT_EQ(a.size(), 1);
  EXPECT_EQ(a[0], 1.5);
}

}  // namespace
