#include "swf/base/counted_object.h"

#include <gtest/gtest.h>

#include "swf/base/counted_ptr.h"
#include "swf/base/weak_handle.h"

namespace {

// Counts its destructions.
class Probe : public swf::counted_object {
 public:
  explicit Probe(int* destroyed) : destroyed_(destroyed) {}
  ~Probe() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST(CountedObject, LastReleaseDestroysAndAnUnkeptObjectGoesAtOnce) {
  int destroyed = 0;
  Probe* kept = new Probe(&destroyed);
  kept->take_ref();
  kept->take_ref();
  swf::release_ref(kept);
  EXPECT_EQ(destroyed, 0);
  swf::release_ref(kept);
  EXPECT_EQ(destroyed, 1);

  swf::release_ref(new Probe(&destroyed));  // count 0 -> -1
  EXPECT_EQ(destroyed, 2);
}

TEST(CountedObject, CountedPointerHoldsOneReference) {
  int destroyed = 0;
  Probe* a = new Probe(&destroyed);
  Probe* b = new Probe(&destroyed);
  {
    swf::counted_ptr<Probe> p(a);
    EXPECT_EQ(a->ref_count(), 1);
    p = a;  // the same target: nothing changes
    EXPECT_EQ(a->ref_count(), 1);
    swf::counted_ptr<Probe> q = p;
    EXPECT_EQ(a->ref_count(), 2);
    q = b;
    EXPECT_EQ(a->ref_count(), 1);
    EXPECT_EQ(b->ref_count(), 1);
    p = nullptr;
    EXPECT_EQ(destroyed, 1);
    swf::counted_ptr<Probe> moved(std::move(q));
    EXPECT_FALSE(q);
    EXPECT_EQ(b->ref_count(), 1);
  }
  EXPECT_EQ(destroyed, 2);
}

TEST(CountedObject, WeakHandleSeesItsTargetGoButKeepsTheTokenAlive) {
  int destroyed = 0;
  Probe* target = new Probe(&destroyed);
  target->take_ref();
  swf::weak_handle<Probe> weak(target);
  swf::weak_handle<Probe> copy = weak;
  EXPECT_EQ(weak.get(), target);
  swf::life_token* token = target->get_life_token();
  EXPECT_EQ(token->ref_count, 3);  // the object's own hold and two handles

  swf::release_ref(target);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(weak.get(), nullptr);
  EXPECT_EQ(copy.get(), nullptr);
  EXPECT_EQ(token->ref_count, 2);
  EXPECT_FALSE(token->alive);
}

}  // namespace
