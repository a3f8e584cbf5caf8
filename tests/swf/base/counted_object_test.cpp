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

// Takes and drops references to itself while it goes, as a clip's unload
// handlers do through _parent; `keeper` may keep it the first time.
class Reentrant : public swf::counted_object {
 public:
  Reentrant(int* destroyed, swf::counted_ptr<Reentrant>* keeper) : destroyed_(destroyed), keeper_(keeper) {}
  ~Reentrant() override {
    swf::counted_ptr<Reentrant> again(this);  // dropped while the object is destroyed
    ++*destroyed_;
  }

 protected:
  void on_last_release() override {
    ++last_releases;
    { swf::counted_ptr<Reentrant> again(this); }
    if (keeper_) *keeper_ = this;
    keeper_ = nullptr;  // once
  }

 public:
  int last_releases = 0;

 private:
  int* destroyed_;
  swf::counted_ptr<Reentrant>* keeper_;
};

TEST(CountedObject, ReferencesTakenWhileAnObjectGoesNeverDestroyItTwice) {
  int destroyed = 0;
  swf::release_ref(new Reentrant(&destroyed, nullptr));
  EXPECT_EQ(destroyed, 1);

  swf::counted_ptr<Reentrant> keeper;
  Reentrant* kept = new Reentrant(&destroyed, &keeper);
  swf::release_ref(kept);
  EXPECT_EQ(destroyed, 1) << "something kept it while it went: it lives on";
  EXPECT_EQ(kept->ref_count(), 1);
  EXPECT_EQ(kept->last_releases, 1);
  keeper = nullptr;
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
