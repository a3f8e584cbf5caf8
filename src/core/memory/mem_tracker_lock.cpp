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

// Its address tells the threads apart.
thread_local char threadToken;

bool RegisterBarrier() {
  return syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0;
}

// Every running thread of the process passes a full memory barrier before
// this returns.
void BarrierInEveryThread() { syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0); }
}  // namespace

void MemTrackerLock::ClaimLean() {
  leaner_ = &threadToken;
  if (!RegisterBarrier()) leanGivenUp_.store(true, std::memory_order_relaxed);
}

MemTrackerLock::Entry MemTrackerLock::Lock() {
  if (__libc_single_threaded) {
    if (!leaner_) ClaimLean();
    return Entry::kAlone;
  }
  if (leaner_ == &threadToken) {
    leanerInside_.store(true, std::memory_order_relaxed);
    // Keeps the compiler from moving the load above the store; the processor
    // may still do so, which is what the waiting thread's barrier is for.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (!othersWaiting_.load(std::memory_order_acquire)) return Entry::kLeaning;
    leanerInside_.store(false, std::memory_order_release);
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

void MemTrackerLock::Unlock(Entry entry) {
  switch (entry) {
    case Entry::kAlone: break;
    case Entry::kLeaning: leanerInside_.store(false, std::memory_order_release); break;
    case Entry::kSpinLock:
      if (!leanGivenUp_.load(std::memory_order_relaxed)) othersWaiting_.store(false, std::memory_order_release);
      UnlockSpin();
      break;
  }
}

void MemTrackerLock::LockSpin() {
  for (int tries = 0; spinHeld_.exchange(true, std::memory_order_acquire); ++tries)
    while (spinHeld_.load(std::memory_order_relaxed))
      if (++tries > kSpinsBeforeYield) sched_yield();
}
