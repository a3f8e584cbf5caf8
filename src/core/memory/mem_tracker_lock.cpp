#include "core/memory/mem_tracker_lock.h"

#include <linux/membarrier.h>
#include <sched.h>
#include <sys/single_threaded.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
constexpr int kSpinsBeforeYield = 100;
// Other threads' entries after which leaning costs more than it saves: each
// costs a barrier in every thread.
constexpr uint32_t kOtherEntriesBeforeGivingUp = 1000;

bool RegisterBarrier() {
  return syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0;
}

// Every running thread of the process passes a full memory barrier before
// this returns.
void BarrierInEveryThread() { syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0); }
}  // namespace

// Without the barrier the lean is given up before it starts: waiting stays
// up, so the claiming thread takes the spin lock like any other.
void MemTrackerLock::ClaimLean() {
  leaner_ = &threadToken_;
  if (RegisterBarrier()) return;
  othersWaiting_.store(true, std::memory_order_relaxed);
  leanGivenUp_.store(true, std::memory_order_relaxed);
}

MemTrackerLock::Entry MemTrackerLock::LockOtherwise() {
  if (__libc_single_threaded) {
    if (!leaner_) ClaimLean();
    return Entry::kAlone;
  }
  if (leaner_ == &threadToken_) {  // its lean was refused
    LockSpin();
    return Entry::kSpinLock;
  }
  LockSpin();
  if (!leanGivenUp_.load(std::memory_order_relaxed)) {
    othersWaiting_.store(true, std::memory_order_relaxed);
    BarrierInEveryThread();
    for (int tries = 0; leanerInside_.load(std::memory_order_acquire); ++tries)
      if (tries > kSpinsBeforeYield) sched_yield();
    // Waiting stays up once the lean is given up, so the leaning thread
    // takes the spin lock from then on.
    if (++otherEntries_ > kOtherEntriesBeforeGivingUp) leanGivenUp_.store(true, std::memory_order_relaxed);
  }
  return Entry::kSpinLock;
}

void MemTrackerLock::UnlockSpinLock() {
  if (!leanGivenUp_.load(std::memory_order_relaxed)) othersWaiting_.store(false, std::memory_order_release);
  UnlockSpin();
}

void MemTrackerLock::LockSpin() {
  for (int tries = 0; spinHeld_.exchange(true, std::memory_order_acquire); ++tries)
    while (spinHeld_.load(std::memory_order_relaxed))
      if (++tries > kSpinsBeforeYield) sched_yield();
}
