// Keeps threads out of each other's way in the memory tracker's tables.
//
// While the process has a single thread it costs nothing, as the C heap's own
// lock does then. Afterwards it leans towards the thread that made the first
// allocation (the main thread, which makes nearly all of them): that thread
// enters and leaves with plain stores. Any other thread takes a spin lock,
// says it is waiting, has the kernel put a memory barrier into every thread
// of the process (membarrier), so that the leaning thread sees it waiting or
// it sees that thread inside, and waits for it to leave. Other threads that
// come often make the lock give the lean up for good: from then on every
// thread takes the spin lock. Where the kernel offers no such barrier there
// is no lean at all.
//
// Constant-initialised and trivially destroyed, like the rest of the tracker.
#pragma once
#include <sys/single_threaded.h>

#include <atomic>
#include <cstdint>

class MemTrackerLock {
 public:
  // How a thread got in, for Unlock.
  enum class Entry { kAlone, kLeaning, kSpinLock };

  constexpr MemTrackerLock() = default;

  // The lone thread and the leaning one get in inline: they make nearly
  // every entry, and a call would cost them as much as the rest.
  Entry Lock() {
    if (EnterAlone()) return Entry::kAlone;
    if (EnterLeaning()) return Entry::kLeaning;
    return LockOtherwise();
  }
  // Each enters only as the lone or the leaning thread, so that a caller's
  // fast way makes no call, and keeps the way it took in its code; false,
  // and nothing entered, otherwise.
  bool EnterAlone() const { return __libc_single_threaded && leaner_; }
  bool EnterLeaning() { return leaner_ == &threadToken_ && Lean(); }
  void Unlock(Entry entry) {
    if (entry == Entry::kAlone) return;
    if (entry == Entry::kLeaning)
      leanerInside_.store(false, std::memory_order_release);
    else
      UnlockSpinLock();
  }

 private:
  // Its address tells the threads apart.
  static inline thread_local char threadToken_ = 0;

  // False when another thread waits: the leaning thread takes the spin lock.
  bool Lean() {
    leanerInside_.store(true, std::memory_order_relaxed);
    // Keeps the compiler from moving the load above the store; the processor
    // may still do so, which is what the waiting thread's barrier is for.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (!othersWaiting_.load(std::memory_order_acquire)) return true;
    leanerInside_.store(false, std::memory_order_release);
    return false;
  }
  Entry LockOtherwise();
  void UnlockSpinLock();
  void LockSpin();
  void UnlockSpin() { spinHeld_.store(false, std::memory_order_release); }
  void ClaimLean();

  std::atomic<bool> spinHeld_{false};
  std::atomic<bool> leanerInside_{false};  // written by the leaning thread only
  std::atomic<bool> othersWaiting_{false};
  std::atomic<bool> leanGivenUp_{false};  // never cleared
  const void* leaner_ = nullptr;          // decided while the process had one thread
  uint32_t otherEntries_ = 0;             // under the spin lock
};
