#include "core/memory/mem_tracker.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "core/memory/mem_block_index.h"
#include "core/memory/mem_chunk_pool.h"
#include "core/memory/mem_record.h"
#include "core/memory/mem_tracker_lock.h"

namespace {

constexpr const char* kUnnamed = "??";
constexpr MemTracker::CallSite kNoCallSite = {kUnnamed, 0, kUnnamed};
constexpr const char* kNoTrackingRoom = "Unable to allocate RAM for internal memory tracking data";
constexpr const char* kOutOfMemory = "Request for allocation failed. Out of memory.";
constexpr const char* kNeverAllocated = "Request to deallocate RAM that was never allocated";

// All state is constant-initialised and trivially destroyed, so the tracker
// serves allocations made during static initialisation and destruction.
thread_local MemTracker::CallSite callSite = kNoCallSite;
MemTrackerLock lock;  // SDL's audio thread and the renderer's workers allocate too
MemChunkPool<MemRecord, 256> records;
MemChunkPool<MemNames, 64> names;  // for the few requests that name their call site
MemBlockIndex blocks;
MemTracker::Counters counters;
const char* lastProblem = nullptr;
static_assert(std::is_trivially_destructible_v<MemTrackerLock> &&
                  std::is_trivially_destructible_v<decltype(records)> &&
                  std::is_trivially_destructible_v<decltype(names)> &&
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

// A fill word's bytes repeated, long enough that 16 bytes can be read from
// any of its first four bytes: the run as it reads from an area's offset on
// starts at the offset's place in the word.
struct PaintRun {
  unsigned char bytes[20];
  constexpr explicit PaintRun(uint32_t word) : bytes() {
    for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<unsigned char>(word >> (8 * (i % 4)));
  }
};
constexpr PaintRun kNewRun(MemTracker::kNewFill);
constexpr PaintRun kReleasedRun(MemTracker::kReleasedFill);

constexpr size_t kPaintedByStores = 256;  // larger areas: cheaper by copying

// Doubles the painted run from `painted` bytes, a whole number of 16-byte
// steps, until less than 16 bytes are left. Kept out of line so that small
// areas are painted without a call's saved registers.
[[gnu::noinline]] void PaintByCopies(unsigned char* area, size_t size, size_t painted) {
  while (size - painted >= 16) {
    const size_t step = painted < size - painted ? painted : (size - painted) & ~size_t{15};
    std::memcpy(area + painted, area, step);
    painted += step;
  }
}

// Whole 16, 8 or 4-byte stores, the last one reaching the area's end and
// overlapping the one before, so no byte is written one at a time unless the
// area is shorter than a word.
inline void Paint(unsigned char* area, size_t size, const PaintRun& run) {
  const unsigned char* tail = run.bytes + size % 4;  // as the run reads from size - 16, - 8 or - 4
  if (size >= 16) {
    const size_t stored = size < kPaintedByStores ? size & ~size_t{15} : kPaintedByStores;
    for (size_t at = 0; at < stored; at += 16) std::memcpy(area + at, run.bytes, 16);
    if (size - stored >= 16) PaintByCopies(area, size, stored);
    std::memcpy(area + size - 16, tail, 16);
  } else if (size >= 8) {
    std::memcpy(area, run.bytes, 8);
    std::memcpy(area + size - 8, tail, 8);
  } else if (size >= 4) {
    std::memcpy(area, run.bytes, 4);
    std::memcpy(area + size - 4, tail, 4);
  } else {
    for (size_t at = 0; at < size; ++at) area[at] = run.bytes[at];
  }
}

// Four copies of each guard word on either side of the user area; none in
// sanitizer builds, whose kGuardBytes is 0.
template <uint32_t kWord>
constexpr std::array<uint32_t, MemTracker::kGuardBytes / sizeof(uint32_t)> GuardRun() {
  std::array<uint32_t, MemTracker::kGuardBytes / sizeof(uint32_t)> words{};
  for (uint32_t& word : words) word = kWord;
  return words;
}
constexpr auto kPrefixRun = GuardRun<MemTracker::kPrefixGuard>();
constexpr auto kSuffixRun = GuardRun<MemTracker::kSuffixGuard>();

void WriteGuards(unsigned char* user, size_t size) {
  if constexpr (MemTracker::kGuardBytes == 0) return;
  std::memcpy(user - MemTracker::kGuardBytes, kPrefixRun.data(), MemTracker::kGuardBytes);
  std::memcpy(user + size, kSuffixRun.data(), MemTracker::kGuardBytes);
}

bool Named(const char* name) { return name && name != kUnnamed; }

// Copies at most kNameLength - 1 characters into a zeroed field.
void CopyName(char (&target)[MemTracker::kNameLength], const char* name) {
  if (!Named(name)) {
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

// Sizes come as values rather than read back from the record just written,
// which would wait on those stores.
void CountAllocation(size_t size, size_t blockSize) {
  counters.liveBytes += size;
  counters.liveBlockBytes += blockSize;
  ++counters.liveBlocks;
  if (counters.liveBytes > counters.peakLiveBytes) counters.peakLiveBytes = counters.liveBytes;
  if (counters.liveBlockBytes > counters.peakLiveBlockBytes)
    counters.peakLiveBlockBytes = counters.liveBlockBytes;
  if (counters.liveBlocks > counters.peakLiveBlocks) counters.peakLiveBlocks = counters.liveBlocks;
  counters.totalBytes += size;
  counters.totalBlockBytes += blockSize;
  ++counters.totalAllocations;
}

void CountRelease(const MemRecord& record) {
  counters.liveBytes -= record.size;
  counters.liveBlockBytes -= record.blockSize;
  --counters.liveBlocks;
}

// Both ways in inline it, so the operators' way takes no further call.
[[gnu::always_inline]] inline void* AllocateBlock(size_t size, const char* file, int32_t line,
                                                  const char* function, MemTracker::AllocKind kind,
                                                  size_t alignment) {
  CallSiteReset reset;
  LockScope locked;
  ++counters.allocationCounter;

  MemRecord* record = records.Take();
  MemNames* siteNames = nullptr;
  if (record && (Named(file) || Named(function)) && !(siteNames = names.Take())) {
    records.Give(record);
    record = nullptr;
  }
  if (!record) {
    lastProblem = kNoTrackingRoom;
    return nullptr;
  }
  const size_t offset = alignment > MemTracker::kGuardBytes ? alignment : MemTracker::kGuardBytes;
  size_t blockSize = 0;
  void* raw = TakeBlock(size, offset, &blockSize);
  unsigned char* user = raw ? static_cast<unsigned char*>(raw) + offset : nullptr;
  if (!user || !blocks.Insert(user, record)) {
    std::free(raw);
    if (siteNames) names.Give(siteNames);
    records.Give(record);
    lastProblem = raw ? kNoTrackingRoom : kOutOfMemory;
    return nullptr;
  }
  record->blockSize = blockSize;
  record->size = size;
  record->rawBlock = raw;
  record->userPointer = user;
  record->line = line;
  record->kind = kind;
  record->allocationNumber = counters.allocationCounter;
  if (siteNames) {
    CopyName(siteNames->sourceFile, BaseName(file));
    CopyName(siteNames->function, function);
    record->names = siteNames;
  }
  CountAllocation(size, blockSize);

  if (kind == MemTracker::kCalloc)
    std::memset(user, 0, size);
  else
    Paint(user, size, kNewRun);
  WriteGuards(user, size);
  return user;
}

void ReleaseBlock(void* userPointer) {
  CallSiteReset reset;
  LockScope locked;
  const size_t slot = blocks.Find(userPointer);
  if (slot == MemBlockIndex::kNone) {
    lastProblem = kNeverAllocated;
    return;
  }
  MemRecord* record = blocks.RecordAt(slot);
  blocks.RemoveAt(slot);
  auto* user = static_cast<unsigned char*>(userPointer);
  Paint(user, record->size, kReleasedRun);
  WriteGuards(user, record->size);
  std::free(record->rawBlock);
  CountRelease(*record);
  if (record->names) names.Give(record->names);
  records.Give(record);
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
  return AllocateBlock(size, file, line, function, kind, alignment);
}

void* MemTracker::Allocate(size_t size, AllocKind kind, size_t alignment) {
  return AllocateBlock(size, callSite.file, callSite.line, callSite.function, kind, alignment);
}

// Release takes the call site and kind only to match Allocate; a record
// keeps no trace of who released the block.
void MemTracker::Release(void* userPointer, AllocKind /*kind*/) { ReleaseBlock(userPointer); }

void MemTracker::Release(void* userPointer, int32_t /*line*/, const char* /*file*/,
                         const char* /*function*/, AllocKind /*kind*/) {
  ReleaseBlock(userPointer);
}

bool MemTracker::FindRecord(const void* userPointer, AllocRecord* out) {
  LockScope locked;
  const size_t slot = blocks.Find(userPointer);
  if (slot == MemBlockIndex::kNone) return false;
  const MemRecord& record = *blocks.RecordAt(slot);
  *out = AllocRecord{};
  out->blockSize = record.blockSize;
  out->size = record.size;
  out->rawBlock = record.rawBlock;
  out->userPointer = record.userPointer;
  if (record.names) {
    std::memcpy(out->sourceFile, record.names->sourceFile, kNameLength);
    std::memcpy(out->function, record.names->function, kNameLength);
  } else {
    CopyName(out->sourceFile, kUnnamed);
    CopyName(out->function, kUnnamed);
  }
  out->line = record.line;
  out->kind = record.kind;
  out->allocationNumber = record.allocationNumber;
  return true;
}

MemTracker::Counters MemTracker::GetCounters() {
  LockScope locked;
  return counters;
}

const char* MemTracker::GetLastProblem() {
  LockScope locked;
  return lastProblem;
}
