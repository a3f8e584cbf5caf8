#include "core/memory/mem_tracker.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "core/memory/mem_block_index.h"
#include "core/memory/mem_record_pool.h"
#include "core/memory/mem_tracker_lock.h"

namespace {
using Record = MemTracker::AllocRecord;

constexpr const char* kUnnamed = "??";
constexpr MemTracker::CallSite kNoCallSite = {kUnnamed, 0, kUnnamed};
constexpr const char* kNoTrackingRoom = "Unable to allocate RAM for internal memory tracking data";
constexpr const char* kOutOfMemory = "Request for allocation failed. Out of memory.";
constexpr const char* kNeverAllocated = "Request to deallocate RAM that was never allocated";

// All state is constant-initialised and trivially destroyed, so the tracker
// serves allocations made during static initialisation and destruction.
thread_local MemTracker::CallSite callSite = kNoCallSite;
MemTrackerLock lock;  // SDL's audio thread and the renderer's workers allocate too
MemRecordPool pool;
MemBlockIndex blocks;
MemTracker::Counters counters;
const char* lastProblem = nullptr;
static_assert(std::is_trivially_destructible_v<MemTrackerLock> &&
                  std::is_trivially_destructible_v<MemRecordPool> &&
                  std::is_trivially_destructible_v<MemBlockIndex>,
              "the tracker must outlive every static destructor that releases memory");

class LockScope {
 public:
  LockScope() : entry_(lock.Lock()) {}
  ~LockScope() { lock.Unlock(entry_); }
  LockScope(const LockScope&) = delete;
  LockScope& operator=(const LockScope&) = delete;

 private:
  MemTrackerLock::Entry entry_;
};

void ResetThisThreadsCallSite() {
  // Most requests name no call site: leaving the unset one unwritten spares
  // the next request's read of it a wait on these stores.
  if (callSite.file != kUnnamed || callSite.line != 0 || callSite.function != kUnnamed)
    callSite = kNoCallSite;
}

// Resets the call site on every way out of Allocate and Release.
struct CallSiteReset {
  ~CallSiteReset() { ResetThisThreadsCallSite(); }
};

// The area reads as the word's little-endian bytes repeated, the last one to
// three bytes being the word's low-order bytes.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are stored as their painted bytes");
void Paint(unsigned char* area, size_t size, uint32_t word) {
  const uint64_t twice = word * 0x100000001u;
  size_t painted = 0;
  if (size >= 16) {
    const uint64_t pattern[2] = {twice, twice};
    const size_t kByStores = 256;  // larger areas: cheaper by copying
    const size_t stored = (size < kByStores ? size : kByStores) & ~size_t{15};
    for (; painted < stored; painted += 16) std::memcpy(area + painted, pattern, 16);
    // Doubling the painted run keeps large blocks cheap; it stays a whole
    // number of words until the last copy.
    while (size - painted >= 16) {
      const size_t step = painted < size - painted ? painted : (size - painted) & ~size_t{15};
      std::memcpy(area + painted, area, step);
      painted += step;
    }
  }
  if (size - painted >= 8) {
    std::memcpy(area + painted, &twice, 8);
    painted += 8;
  }
  if (size - painted >= 4) {
    std::memcpy(area + painted, &word, 4);
    painted += 4;
  }
  for (uint32_t rest = word; painted < size; ++painted, rest >>= 8) area[painted] = static_cast<unsigned char>(rest);
}

// Four copies of each guard word on either side of the user area; none in
// sanitizer builds, whose kGuardBytes is 0.
void WriteGuards(const Record& record) {
  auto* user = static_cast<unsigned char*>(record.userPointer);
  for (size_t i = 0; i < MemTracker::kGuardBytes; i += sizeof(uint32_t)) {
    std::memcpy(user - MemTracker::kGuardBytes + i, &MemTracker::kPrefixGuard, sizeof(uint32_t));
    std::memcpy(user + record.size + i, &MemTracker::kSuffixGuard, sizeof(uint32_t));
  }
}

// Copies at most kNameLength - 1 characters into a zeroed field.
void CopyName(char (&target)[MemTracker::kNameLength], const char* name) {
  if (!name || name == kUnnamed) {
    target[0] = target[1] = '?';
    return;
  }
  std::memcpy(target, name, strnlen(name, MemTracker::kNameLength - 1));
}

const char* BaseName(const char* path) {
  if (!path || path == kUnnamed) return path;
  if (const char* slash = std::strrchr(path, '\\')) return slash + 1;
  if (const char* slash = std::strrchr(path, '/')) return slash + 1;
  return path;
}

// The block reserves `offset` bytes before the user area (the prefix guard
// sits in their last kGuardBytes) and kGuardBytes after it. Null, without
// touching the heap, when the total does not fit in a size_t.
void* TakeBlock(size_t size, size_t offset, size_t* blockSize) {
  if (size > SIZE_MAX - offset - MemTracker::kGuardBytes) return nullptr;
  *blockSize = offset + size + MemTracker::kGuardBytes;
  if (offset == MemTracker::kGuardBytes) return std::malloc(*blockSize);
  void* raw = nullptr;
  return posix_memalign(&raw, offset, *blockSize) == 0 ? raw : nullptr;
}

void CountAllocation(const Record& record) {
  counters.liveBytes += record.size;
  counters.liveBlockBytes += record.blockSize;
  ++counters.liveBlocks;
  if (counters.liveBytes > counters.peakLiveBytes) counters.peakLiveBytes = counters.liveBytes;
  if (counters.liveBlockBytes > counters.peakLiveBlockBytes)
    counters.peakLiveBlockBytes = counters.liveBlockBytes;
  if (counters.liveBlocks > counters.peakLiveBlocks) counters.peakLiveBlocks = counters.liveBlocks;
  counters.totalBytes += record.size;
  counters.totalBlockBytes += record.blockSize;
  ++counters.totalAllocations;
}

void CountRelease(const Record& record) {
  counters.liveBytes -= record.size;
  counters.liveBlockBytes -= record.blockSize;
  --counters.liveBlocks;
}

// The tracker never writes memory.log; an old one is removed at start-up.
const bool memoryLogRemoved = (std::remove("memory.log"), true);
}  // namespace

void MemTracker::SetCallSite(const char* file, int32_t line, const char* function) {
  callSite = {file, line, function};
}

void MemTracker::ResetCallSite() { ResetThisThreadsCallSite(); }

MemTracker::CallSite MemTracker::GetCallSite() { return callSite; }

void* MemTracker::Allocate(size_t size, const char* file, int32_t line, const char* function,
                           AllocKind kind, size_t alignment) {
  CallSiteReset reset;
  LockScope locked;
  ++counters.allocationCounter;

  Record* record = pool.Take();
  if (!record) {
    lastProblem = kNoTrackingRoom;
    return nullptr;
  }
  size_t offset = alignment > kGuardBytes ? alignment : kGuardBytes;
  void* raw = TakeBlock(size, offset, &record->blockSize);
  if (!raw) {
    pool.Give(record);
    lastProblem = kOutOfMemory;
    return nullptr;
  }
  record->size = size;
  record->rawBlock = raw;
  record->userPointer = static_cast<unsigned char*>(raw) + offset;
  record->line = line;
  record->kind = kind;
  record->allocationNumber = counters.allocationCounter;
  CopyName(record->sourceFile, BaseName(file));
  CopyName(record->function, function);

  blocks.Insert(record);
  CountAllocation(*record);

  auto* user = static_cast<unsigned char*>(record->userPointer);
  if (kind == kCalloc)
    std::memset(user, 0, size);
  else
    Paint(user, size, kNewFill);
  WriteGuards(*record);
  return user;
}

void MemTracker::Release(void* userPointer, int32_t /*line*/, const char* /*file*/,
                         const char* /*function*/, AllocKind /*kind*/) {
  CallSiteReset reset;
  LockScope locked;
  Record* record = blocks.Find(userPointer);
  if (!record) {
    lastProblem = kNeverAllocated;
    return;
  }
  Paint(static_cast<unsigned char*>(userPointer), record->size, kReleasedFill);
  WriteGuards(*record);
  std::free(record->rawBlock);
  blocks.Remove(record);
  CountRelease(*record);
  pool.Give(record);
}

bool MemTracker::FindRecord(const void* userPointer, AllocRecord* out) {
  LockScope locked;
  const Record* record = blocks.Find(userPointer);
  if (record) *out = *record;
  return record != nullptr;
}

MemTracker::Counters MemTracker::GetCounters() {
  LockScope locked;
  return counters;
}

const char* MemTracker::GetLastProblem() {
  LockScope locked;
  return lastProblem;
}
