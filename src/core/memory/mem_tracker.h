// Allocation tracker behind the global new and delete operators: every block
// is wrapped in guard words, painted on allocation and release, and keeps a
// record of the call site that asked for it, for inspection in a debugger.
//
// Every member may run before main, after static destruction and on any
// thread, so none of them allocates through operator new or logs.
#pragma once
#include <cstddef>
#include <cstdint>

class MemTracker {
 public:
  enum AllocKind : int32_t {
    kUnknown = 0,
    kNew = 1,
    kNewArray = 2,
    kMalloc = 3,
    kCalloc = 4,  // zero-fills the new block
    kRealloc = 5,
    kDelete = 6,
    kDeleteArray = 7,
    kFree = 8,
  };

#ifdef VANTOR_SANITIZE
  // Sanitizer builds put no guard words around a block, so an overrun reaches
  // the sanitizer's own red zone at once.
  static constexpr size_t kGuardBytes = 0;
#else
  static constexpr size_t kGuardBytes = 16;  // on each side of the user area
#endif
  static constexpr size_t kNameLength = 40;  // file and function, with terminator
  static constexpr uint32_t kPrefixGuard = 0xBAADF00D;
  static constexpr uint32_t kSuffixGuard = 0xDEADC0DE;
  static constexpr uint32_t kNewFill = 0xFEEDFACE;
  static constexpr uint32_t kReleasedFill = 0xDEADBEEF;

  // Who asks for the next allocation or release. Each thread has its own, so
  // an allocation on another thread cannot take a call site named here.
  struct CallSite {
    const char* file;
    int32_t line;
    const char* function;
  };

  // What the tracker knows of a live block, as FindRecord reports it.
  struct AllocRecord {
    size_t blockSize;   // everything taken from the C heap
    size_t size;        // what was asked for
    void* rawBlock;     // what the C heap returned
    void* userPointer;  // the user area inside the raw block
    char sourceFile[kNameLength];
    char function[kNameLength];
    int32_t line;
    int32_t kind;
    uint32_t allocationNumber;
  };

  struct Counters {
    uint32_t allocationCounter;  // every request, failed ones included
    size_t liveBytes;            // requested bytes of live blocks
    size_t peakLiveBytes;
    size_t liveBlockBytes;  // heap bytes of live blocks, guards included
    size_t peakLiveBlockBytes;
    size_t liveBlocks;
    size_t peakLiveBlocks;
    uint64_t totalBytes;  // since start
    uint64_t totalBlockBytes;
    uint64_t totalAllocations;
  };

  static void SetCallSite(const char* file, int32_t line, const char* function);
  static void ResetCallSite();
  static CallSite GetCallSite();

  // A user pointer aligned to `alignment` (a power of two), or null when the
  // request cannot be met. Resets the calling thread's call site.
  static void* Allocate(size_t size, const char* file, int32_t line, const char* function,
                        AllocKind kind, size_t alignment = kGuardBytes);
  // The same for the calling thread's call site, as the global new operators
  // ask: a size of 0 is taken as 1, and a refused request runs the new
  // handler and tries again for as long as one is installed, then throws
  // std::bad_alloc. The usual requests, an object or an array at the default
  // alignment, have a way each, which their operators reach in a jump.
  static void* New(size_t size);
  static void* NewArray(size_t size);
  static void* New(size_t size, AllocKind kind, size_t alignment);
  // Frees a block handed out by Allocate or New; any other pointer is ignored.
  // Resets the calling thread's call site. Never throws, so the delete
  // operators reach it in a jump.
  static void Release(void* userPointer, int32_t line, const char* file, const char* function,
                      AllocKind kind) noexcept;
  // The same as the global delete operators ask, which ignore null.
  static void Release(void* userPointer, AllocKind kind) noexcept;

  // Inspection: a copy of the record of a live block; false when unknown.
  static bool FindRecord(const void* userPointer, AllocRecord* out);
  static Counters GetCounters();
  // Text of the last refused request or ignored release, or null.
  static const char* GetLastProblem();
};

// The engine's direct allocations, tracked with the caller's site.
#define TRACKED_MALLOC(size) MemTracker::Allocate((size), __FILE__, __LINE__, __func__, MemTracker::kMalloc)
#define TRACKED_FREE(pointer) MemTracker::Release((pointer), __LINE__, __FILE__, __func__, MemTracker::kFree)
