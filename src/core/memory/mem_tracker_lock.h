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
#include <atomic>
#include <cstdint>

class MemTrackerLock {
 public:
  // How a thread got in, for Unlock.
  enum class Entry { kAlone, kLeaning, kSpinLock };

  constexpr MemTrackerLock() = default;

  Entry Lock();
  void Unlock(Entry entry);

 private:
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
