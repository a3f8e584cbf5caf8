// The global allocation operators, every form the compiler may call, routed
// through the memory tracker. They replace the C++ runtime's for the whole
// process: libraries loaded beside the program allocate through them too.
#include <cstddef>
#include <new>

#include "core/memory/mem_tracker.h"

// Referenced from the link line (see CMakeLists.txt) so that this object is
// taken from the static library into every program that links the core.
extern "C" {
extern const char vantor_tracked_operators;
const char vantor_tracked_operators = 1;
}

namespace {
// The standard exception, with the message the engine has always reported.
class TrackerBadAlloc : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "bad allocation"; }
};

// After a refused request: the new handler and another try, for as long as
// a handler is installed.
[[gnu::noinline]] void* RetryOrThrow(std::size_t size, std::size_t alignment, MemTracker::AllocKind kind) {
  for (;;) {
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw TrackerBadAlloc();
    handler();
    if (void* block = MemTracker::Allocate(size, kind, alignment)) return block;
  }
}

inline void* AllocateOrThrow(std::size_t size, std::size_t alignment, MemTracker::AllocKind kind) {
  if (size == 0) size = 1;
  if (void* block = MemTracker::Allocate(size, kind, alignment)) return block;
  return RetryOrThrow(size, alignment, kind);
}

void* AllocateOrNull(std::size_t size, std::size_t alignment, MemTracker::AllocKind kind) noexcept {
  try {
    return AllocateOrThrow(size, alignment, kind);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void ReleaseTracked(void* block, MemTracker::AllocKind kind) noexcept {
  if (!block) return;
  MemTracker::Release(block, kind);
}

constexpr std::size_t kPlain = MemTracker::kGuardBytes;

std::size_t Aligned(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }
}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size, kPlain, MemTracker::kNew); }
void* operator new[](std::size_t size) {
  return AllocateOrThrow(size, kPlain, MemTracker::kNewArray);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, kPlain, MemTracker::kNew);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, kPlain, MemTracker::kNewArray);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, Aligned(alignment), MemTracker::kNew);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, Aligned(alignment), MemTracker::kNewArray);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, Aligned(alignment), MemTracker::kNew);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, Aligned(alignment), MemTracker::kNewArray);
}

void operator delete(void* block) noexcept { ReleaseTracked(block, MemTracker::kDelete); }
void operator delete[](void* block) noexcept { ReleaseTracked(block, MemTracker::kDeleteArray); }
void operator delete(void* block, const std::nothrow_t&) noexcept {
  ReleaseTracked(block, MemTracker::kDelete);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  ReleaseTracked(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::size_t) noexcept {
  ReleaseTracked(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::size_t) noexcept {
  ReleaseTracked(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::align_val_t) noexcept {
  ReleaseTracked(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  ReleaseTracked(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  ReleaseTracked(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  ReleaseTracked(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  ReleaseTracked(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  ReleaseTracked(block, MemTracker::kDeleteArray);
}
