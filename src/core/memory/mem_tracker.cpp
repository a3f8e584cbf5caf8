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

// The counters, less what they follow from: live blocks are the index's
// entries, and a block's bytes beyond its request are its guards and, for
// an aligned block, its wider offset. Only the requested bytes and those
// offsets are added up per request.
class Tally {
 public:
  uint32_t CountRequest() { return ++allocationCounter_; }

  void CountAllocation(size_t size, size_t offset, size_t liveBlocks) {
    liveBytes_ += size;
    liveWiderOffsets_ += offset - MemTracker::kGuardBytes;
    totalBytes_ += size;
    totalWiderOffsets_ += offset - MemTracker::kGuardBytes;
    ++totalAllocations_;
    if (liveBytes_ > peakLiveBytes_) peakLiveBytes_ = liveBytes_;
    const size_t liveBlockBytes = LiveBlockBytes(liveBlocks);
    if (liveBlockBytes > peakLiveBlockBytes_) peakLiveBlockBytes_ = liveBlockBytes;
    if (liveBlocks > peakLiveBlocks_) peakLiveBlocks_ = liveBlocks;
  }

  void CountRelease(size_t size, size_t offset) {
    liveBytes_ -= size;
    liveWiderOffsets_ -= offset - MemTracker::kGuardBytes;
  }

  MemTracker::Counters Report(size_t liveBlocks) const {
    MemTracker::Counters counters{};
    counters.allocationCounter = allocationCounter_;
    counters.liveBytes = liveBytes_;
    counters.peakLiveBytes = peakLiveBytes_;
    counters.liveBlockBytes = LiveBlockBytes(liveBlocks);
    counters.peakLiveBlockBytes = peakLiveBlockBytes_;
    counters.liveBlocks = liveBlocks;
    counters.peakLiveBlocks = peakLiveBlocks_;
    counters.totalBytes = totalBytes_;
    counters.totalBlockBytes = totalBytes_ + totalAllocations_ * kGuardsPerBlock + totalWiderOffsets_;
    counters.totalAllocations = totalAllocations_;
    return counters;
  }

 private:
  static constexpr size_t kGuardsPerBlock = 2 * MemTracker::kGuardBytes;

  size_t LiveBlockBytes(size_t liveBlocks) const {
    return liveBytes_ + liveBlocks * kGuardsPerBlock + liveWiderOffsets_;
  }

  uint32_t allocationCounter_ = 0;
  size_t liveBytes_ = 0;
  size_t liveWiderOffsets_ = 0;
  size_t peakLiveBytes_ = 0;
  size_t peakLiveBlockBytes_ = 0;
  size_t peakLiveBlocks_ = 0;
  uint64_t totalBytes_ = 0;
  uint64_t totalWiderOffsets_ = 0;
  uint64_t totalAllocations_ = 0;
};

// All state is constant-initialised and trivially destroyed, so the tracker
// serves allocations made during static initialisation and destruction.
// Named tells whether SetCallSite ran since the last reset: the common
// request, which names nothing, then reads one flag and writes nothing back.
struct ThreadCallSite {
  MemTracker::CallSite site;
  bool named;
};
thread_local ThreadCallSite callSite = {kNoCallSite, false};
MemTrackerLock lock;  // SDL's audio thread and the renderer's workers allocate too
MemChunkPool<MemRecord, 256> records;
MemChunkPool<MemNames, 64> names;  // for the few requests that name their call site
MemBlockIndex blocks;
Tally tally;
const char* lastProblem = nullptr;
static_assert(std::is_trivially_destructible_v<MemTrackerLock> &&
                  std::is_trivially_destructible_v<decltype(records)> &&
                  std::is_trivially_destructible_v<decltype(names)> &&
                  std::is_trivially_destructible_v<MemBlockIndex> && std::is_trivially_destructible_v<Tally>,
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

void ResetThisThreadsCallSite() { callSite = {kNoCallSite, false}; }

// Resets the call site on every way out of a request that named one.
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

// Whole 16, 8 or 4-byte stores: the first at the area's start, the last
// reaching its end and overlapping the ones before, so no byte is written one
// at a time unless the area is shorter than a word. Areas of 16 to 32 bytes,
// the most common, take those two stores alone.
inline void Paint(unsigned char* area, size_t size, const PaintRun& run) {
  const unsigned char* tail = run.bytes + size % 4;  // as the run reads from size - 16, - 8 or - 4
  if (size >= 16) {
    std::memcpy(area, run.bytes, 16);
    if (size > 32) {
      // Up to the last store, or over the run that larger areas copy on from.
      const size_t stored = size > kPaintedByStores ? kPaintedByStores : size - 16;
#pragma GCC unroll 4
      for (size_t at = 16; at < stored; at += 16) std::memcpy(area + at, run.bytes, 16);
      if (size > kPaintedByStores) PaintByCopies(area, size, kPaintedByStores);
    }
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

// Everything the block takes from the C heap: `offset` bytes before the user
// area (the prefix guard sits in their last kGuardBytes) and kGuardBytes after it.
inline size_t BlockSize(size_t size, size_t offset) { return offset + size + MemTracker::kGuardBytes; }

// Null, without touching the heap, when the block size does not fit in a size_t.
inline void* TakeBlock(size_t size, size_t offset) {
  if (size > SIZE_MAX - offset - MemTracker::kGuardBytes) return nullptr;
  const size_t blockSize = BlockSize(size, offset);
  if (offset == MemTracker::kGuardBytes) return std::malloc(blockSize);
  void* raw = nullptr;
  return posix_memalign(&raw, offset, blockSize) == 0 ? raw : nullptr;
}

// Keeps the call site with a record: false when no room for it can be had.
[[gnu::noinline]] bool NameCallSite(MemRecord* record, const MemTracker::CallSite& site) {
  if (!Named(site.file) && !Named(site.function) && site.line == 0) return true;
  MemNames* siteNames = names.Take();
  if (!siteNames) return false;
  CopyName(siteNames->sourceFile, BaseName(site.file));
  CopyName(siteNames->function, site.function);
  siteNames->line = site.line;
  record->site = siteNames;
  return true;
}

// Gives back what a refused request had taken; `record` may be null.
[[gnu::noinline, gnu::cold]] void* Refuse(const char* problem, MemRecord* record, void* raw) {
  std::free(raw);
  if (record) {
    if (record->site) names.Give(record->site);
    records.Give(record);
  }
  lastProblem = problem;
  return nullptr;
}

// Inlined into both ways in; `site` is null for a request that names none,
// which the operators' way then handles with no code for names at all. The
// C heap has its own lock, and no other thread knows the block before it is
// returned: the block is taken and painted outside the tracker's lock.
[[gnu::always_inline]] inline void* AllocateBlock(size_t size, const MemTracker::CallSite* site,
                                                  MemTracker::AllocKind kind, size_t alignment) {
  const size_t offset = alignment > MemTracker::kGuardBytes ? alignment : MemTracker::kGuardBytes;
  void* raw = TakeBlock(size, offset);
  unsigned char* user;
  {
    LockScope locked;
    const uint32_t allocationNumber = tally.CountRequest();
    if (!raw) return Refuse(kOutOfMemory, nullptr, nullptr);
    user = static_cast<unsigned char*>(raw) + offset;
    MemRecord* record = records.Take();
    if (!record || (site && !NameCallSite(record, *site)) || !blocks.Insert(user, record))
      return Refuse(kNoTrackingRoom, record, raw);
    record->size = size;
    record->allocationNumber = allocationNumber;
    record->kind = static_cast<uint8_t>(kind);
    record->SetOffset(offset);
    tally.CountAllocation(size, offset, blocks.Count());
  }
  if (kind == MemTracker::kCalloc)
    std::memset(user, 0, size);
  else
    Paint(user, size, kNewRun);
  WriteGuards(user, size);
  return user;
}

[[gnu::noinline]] void* AllocateAtSite(size_t size, const MemTracker::CallSite& site,
                                       MemTracker::AllocKind kind, size_t alignment) {
  CallSiteReset reset;
  return AllocateBlock(size, &site, kind, alignment);
}

[[gnu::noinline]] void* AllocateAligned(size_t size, MemTracker::AllocKind kind, size_t alignment) {
  return AllocateBlock(size, nullptr, kind, alignment);
}

// The block is painted and freed outside the lock: it is out of the index, so
// no other thread can reach it any more.
[[gnu::always_inline]] inline void ReleaseBlock(void* userPointer) {
  size_t size;
  void* raw;
  {
    LockScope locked;
    const size_t slot = blocks.Find(userPointer);
    if (slot == MemBlockIndex::kNone) {
      lastProblem = kNeverAllocated;
      return;
    }
    MemRecord* record = blocks.RecordAt(slot);
    blocks.RemoveAt(slot);
    size = record->size;
    const size_t offset = record->Offset();
    raw = static_cast<unsigned char*>(userPointer) - offset;
    tally.CountRelease(size, offset);
    if (record->site) names.Give(record->site);
    records.Give(record);
  }
  auto* user = static_cast<unsigned char*>(userPointer);
  Paint(user, size, kReleasedRun);
  WriteGuards(user, size);
  std::free(raw);
}

// The tracker never writes memory.log; an old one is removed at start-up.
const bool memoryLogRemoved = (std::remove("memory.log"), true);
}  // namespace

void MemTracker::SetCallSite(const char* file, int32_t line, const char* function) {
  callSite = {{file, line, function}, true};
}

void MemTracker::ResetCallSite() { ResetThisThreadsCallSite(); }

MemTracker::CallSite MemTracker::GetCallSite() { return callSite.site; }

void* MemTracker::Allocate(size_t size, const char* file, int32_t line, const char* function,
                           AllocKind kind, size_t alignment) {
  return AllocateAtSite(size, {file, line, function}, kind, alignment);
}

// Nearly every request names no call site and takes the default alignment:
// its block offset is then a constant.
void* MemTracker::Allocate(size_t size, AllocKind kind, size_t alignment) {
  if (callSite.named) return AllocateAtSite(size, callSite.site, kind, alignment);
  if (alignment > kGuardBytes) return AllocateAligned(size, kind, alignment);
  return AllocateBlock(size, nullptr, kind, kGuardBytes);
}

// Release takes the call site and kind only to match Allocate; a record
// keeps no trace of who released the block.
void MemTracker::Release(void* userPointer, AllocKind /*kind*/) noexcept {
  if (callSite.named) ResetThisThreadsCallSite();
  ReleaseBlock(userPointer);
}

void MemTracker::Release(void* userPointer, int32_t /*line*/, const char* /*file*/,
                         const char* /*function*/, AllocKind /*kind*/) noexcept {
  ResetThisThreadsCallSite();
  ReleaseBlock(userPointer);
}

bool MemTracker::FindRecord(const void* userPointer, AllocRecord* out) {
  LockScope locked;
  const size_t slot = blocks.Find(userPointer);
  if (slot == MemBlockIndex::kNone) return false;
  const MemRecord& record = *blocks.RecordAt(slot);
  const size_t offset = record.Offset();
  *out = AllocRecord{};
  out->blockSize = BlockSize(record.size, offset);
  out->size = record.size;
  out->userPointer = const_cast<void*>(userPointer);
  out->rawBlock = static_cast<unsigned char*>(out->userPointer) - offset;
  if (record.site) {
    std::memcpy(out->sourceFile, record.site->sourceFile, kNameLength);
    std::memcpy(out->function, record.site->function, kNameLength);
    out->line = record.site->line;
  } else {
    CopyName(out->sourceFile, kUnnamed);
    CopyName(out->function, kUnnamed);
  }
  out->kind = record.kind;
  out->allocationNumber = record.allocationNumber;
  return true;
}

MemTracker::Counters MemTracker::GetCounters() {
  LockScope locked;
  return tally.Report(blocks.Count());
}

const char* MemTracker::GetLastProblem() {
  LockScope locked;
  return lastProblem;
}
