#include "core/memory/mem_tracker_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// The main thread takes the lock first, so the lock leans towards it (when
// the test process still has a single thread then); another thread enters
// at the same time, a few times or often enough for the lean to be given
// up. Every increment made under the lock must count.
TEST(MemTrackerLockTest, ThreadsNeverEnterTogether) {
  for (int otherEntries : {300, 5000}) {
    SCOPED_TRACE(otherEntries);
    MemTrackerLock lock;
    int64_t counter = 0;
    auto add = [&lock, &counter] {
      const MemTrackerLock::Entry entry = lock.Lock();
      const int64_t seen = counter;
      // A read and a write some work apart, as the tracker's are.
      for (volatile int work = 0; work < 20; work = work + 1) {
      }
      counter = seen + 1;
      lock.Unlock(entry);
    };
    add();
    std::atomic<bool> started{false}, done{false};
    std::thread other([&] {
      started = true;
      for (int i = 0; i < otherEntries; ++i) add();
      done = true;
    });
    while (!started) std::this_thread::yield();
    int64_t mainEntries = 0;
    for (; !done || mainEntries < 100000; ++mainEntries) add();
    other.join();
    EXPECT_EQ(counter, 1 + mainEntries + otherEntries);
  }
}

}  // namespace
