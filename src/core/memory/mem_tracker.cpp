#include "core/memory/mem_tracker.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <type_traits>

#include "core/memory/mem_record_pool.h"

namespace {
using Record = MemTracker::AllocRecord;

constexpr MemTracker::CallSite kNoCallSite = {"??", 0, "??"};
constexpr const char* kNoTrackingRoom = "Unable to allocate RAM for internal memory tracking data";
constexpr const char* kOutOfMemory = "Request for allocation failed. Out of memory.";
constexpr const char* kNeverAllocated = "Request to deallocate RAM that was never allocated";

// All state is constant-initialised and trivially destroyed, so the tracker
// serves allocations made during static initialisation and destruction.
thread_local MemTracker::CallSite callSite = kNoCallSite;
std::mutex lock;  // SDL's audio thread allocates too
MemRecordPool pool;
Record* buckets[MemTracker::kBucketCount];
MemTracker::Counters counters;
const char* lastProblem = nullptr;
static_assert(std::is_trivially_destructible_v<std::mutex> &&
                  std::is_trivially_destructible_v<MemRecordPool>,
              "the tracker must outlive every static destructor that releases memory");

// Resets the call site on every way out of Allocate and Release.
struct CallSiteReset {
  ~CallSiteReset() { callSite = kNoCallSite; }
};

Record*& BucketOf(const void* userPointer) {
  return buckets[(reinterpret_cast<uintptr_t>(userPointer) >> 4) & (MemTracker::kBucketCount - 1)];
}

// The area reads as the word's little-endian bytes repeated, the last one to
// three bytes being the word's low-order bytes.
void Paint(unsigned char* area, size_t size, uint32_t word) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
      static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
  const size_t kByByte = 64;  // small areas: cheaper than calling memcpy
  size_t painted = size < kByByte ? size : kByByte;
  for (size_t i = 0; i < painted; ++i) area[i] = bytes[i % 4];
  // Doubling the painted run keeps large blocks cheap; it stays a whole
  // number of words until the last copy.
  while (painted < size) {
    size_t step = painted < size - painted ? painted : size - painted;
    std::memcpy(area + painted, area, step);
    painted += step;
  }
}

void WriteGuards(const Record& record) {
  auto* user = static_cast<unsigned char*>(record.userPointer);
  Paint(user - MemTracker::kGuardBytes, MemTracker::kGuardBytes, MemTracker::kPrefixGuard);
  Paint(user + record.size, MemTracker::kGuardBytes, MemTracker::kSuffixGuard);
}

// Copies at most kNameLength - 1 characters, always terminated.
void CopyName(char (&target)[MemTracker::kNameLength], const char* name) {
  if (!name) name = "??";
  size_t length = strnlen(name, MemTracker::kNameLength - 1);
  std::memcpy(target, name, length);
  target[length] = '\0';
}

const char* BaseName(const char* path) {
  if (!path) return nullptr;
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

Record* Find(const void* userPointer) {
  for (Record* record = BucketOf(userPointer); record; record = record->next)
    if (record->userPointer == userPointer) return record;
  return nullptr;
}

void Unlink(Record* record) {
  if (record->previous)
    record->previous->next = record->next;
  else
    BucketOf(record->userPointer) = record->next;
  if (record->next) record->next->previous = record->previous;
}

// The tracker never writes memory.log; an old one is removed at start-up.
const bool memoryLogRemoved = (std::remove("memory.log"), true);
}  // namespace

void MemTracker::SetCallSite(const char* file, int32_t line, const char* function) {
  callSite = {file, line, function};
}

void MemTracker::ResetCallSite() { callSite = kNoCallSite; }

MemTracker::CallSite MemTracker::GetCallSite() { return callSite; }

void* MemTracker::Allocate(size_t size, const char* file, int32_t line, const char* function,
                           AllocKind kind, size_t alignment) {
  CallSiteReset reset;
  std::lock_guard<std::mutex> guard(lock);
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

  Record*& head = BucketOf(record->userPointer);
  record->next = head;
  if (head) head->previous = record;
  head = record;
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
  std::lock_guard<std::mutex> guard(lock);
  Record* record = Find(userPointer);
  if (!record) {
    lastProblem = kNeverAllocated;
    return;
  }
  Paint(static_cast<unsigned char*>(userPointer), record->size, kReleasedFill);
  WriteGuards(*record);
  std::free(record->rawBlock);
  Unlink(record);
  CountRelease(*record);
  pool.Give(record);
}

bool MemTracker::FindRecord(const void* userPointer, AllocRecord* out) {
  std::lock_guard<std::mutex> guard(lock);
  const Record* record = Find(userPointer);
  if (record) *out = *record;
  return record != nullptr;
}

MemTracker::Counters MemTracker::GetCounters() {
  std::lock_guard<std::mutex> guard(lock);
  return counters;
}

const char* MemTracker::GetLastProblem() {
  std::lock_guard<std::mutex> guard(lock);
  return lastProblem;
}
