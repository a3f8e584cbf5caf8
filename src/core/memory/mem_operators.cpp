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
void* NewOrNull(std::size_t size, std::size_t alignment, MemTracker::AllocKind kind) noexcept {
  try {
    return MemTracker::New(size, kind, alignment);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

constexpr std::size_t kPlain = MemTracker::kGuardBytes;

std::size_t Aligned(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }
}  // namespace

void* operator new(std::size_t size) { return MemTracker::New(size); }
void* operator new[](std::size_t size) { return MemTracker::NewArray(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return NewOrNull(size, kPlain, MemTracker::kNew);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return NewOrNull(size, kPlain, MemTracker::kNewArray);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return MemTracker::New(size, MemTracker::kNew, Aligned(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return MemTracker::New(size, MemTracker::kNewArray, Aligned(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return NewOrNull(size, Aligned(alignment), MemTracker::kNew);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return NewOrNull(size, Aligned(alignment), MemTracker::kNewArray);
}

void operator delete(void* block) noexcept { MemTracker::Release(block, MemTracker::kDelete); }
void operator delete[](void* block) noexcept { MemTracker::Release(block, MemTracker::kDeleteArray); }
void operator delete(void* block, const std::nothrow_t&) noexcept {
  MemTracker::Release(block, MemTracker::kDelete);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  MemTracker::Release(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::size_t) noexcept {
  MemTracker::Release(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::size_t) noexcept {
  MemTracker::Release(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::align_val_t) noexcept {
  MemTracker::Release(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  MemTracker::Release(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  MemTracker::Release(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  MemTracker::Release(block, MemTracker::kDeleteArray);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  MemTracker::Release(block, MemTracker::kDelete);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  MemTracker::Release(block, MemTracker::kDeleteArray);
}
