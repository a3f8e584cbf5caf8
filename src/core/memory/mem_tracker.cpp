#include "core/memory/mem_tracker.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <immintrin.h>
#include <new>
#include <type_traits>

#include "core/memory/mem_block_index.h"
#include "core/memory/mem_block_map.h"
#include "core/memory/mem_chunk_pool.h"
#include "core/memory/mem_record.h"
#include "core/memory/mem_tracker_lock.h"

namespace {

constexpr const char* kUnnamed = "??";
constexpr MemTracker::CallSite kNoCallSite = {kUnnamed, 0, kUnnamed};
constexpr const char* kNoTrackingRoom = "Unable to allocate RAM for internal memory tracking data";
constexpr const char* kOutOfMemory = "Request for allocation failed. Out of memory.";
constexpr const char* kNeverAllocated = "Request to deallocate RAM that was never allocated";

// The counters, less what they follow from: successful allocations are the
// requests less the refused ones, live blocks those less the releases, live
// bytes the bytes since start less the released ones, and a block's bytes
// beyond its request are its guards and, for an aligned block, its wider
// offset. A request and a release each add to counters of their own, so
// neither waits for the other's sum to be written back.
class Tally {
 public:
  // The request's allocation number.
  uint32_t CountRequest() { return static_cast<uint32_t>(++requests_); }
  uint32_t NextNumber() const { return static_cast<uint32_t>(requests_ + 1); }
  void CountRefusal() { ++refusals_; }

  void CountAllocation(size_t size, size_t offset) {
    totalBytes_ += size;
    totalWiderOffsets_ += offset - MemTracker::kGuardBytes;
    liveWiderOffsets_ += offset - MemTracker::kGuardBytes;
    Raise(peakLiveBytes_, LiveBytes());
    Raise(peakLiveBlockBytes_, LiveBlockBytes());
    Raise(peakLiveBlocks_, LiveBlocks());
  }

  void CountRelease(size_t size, size_t offset) {
    ++releases_;
    releasedBytes_ += size;
    liveWiderOffsets_ -= offset - MemTracker::kGuardBytes;
  }

  MemTracker::Counters Report() const {
    MemTracker::Counters counters{};
    counters.allocationCounter = static_cast<uint32_t>(requests_);
    counters.liveBytes = LiveBytes();
    counters.peakLiveBytes = peakLiveBytes_;
    counters.liveBlockBytes = LiveBlockBytes();
    counters.peakLiveBlockBytes = peakLiveBlockBytes_;
    counters.liveBlocks = LiveBlocks();
    counters.peakLiveBlocks = peakLiveBlocks_;
    counters.totalBytes = totalBytes_;
    const uint64_t allocations = Allocations();
    counters.totalBlockBytes = totalBytes_ + allocations * kGuardsPerBlock + totalWiderOffsets_;
    counters.totalAllocations = allocations;
    return counters;
  }

 private:
  static constexpr size_t kGuardsPerBlock = 2 * MemTracker::kGuardBytes;

  // A new peak is rare once the program runs: the branch is laid out for none.
  static void Raise(size_t& peak, size_t value) {
    if (__builtin_expect(value > peak, 0)) peak = value;
  }

  uint64_t Allocations() const { return requests_ - refusals_; }
  size_t LiveBlocks() const { return static_cast<size_t>(Allocations() - releases_); }
  size_t LiveBytes() const { return static_cast<size_t>(totalBytes_ - releasedBytes_); }
  size_t LiveBlockBytes() const { return LiveBytes() + LiveBlocks() * kGuardsPerBlock + liveWiderOffsets_; }

  uint64_t requests_ = 0;
  uint64_t refusals_ = 0;
  uint64_t releases_ = 0;
  uint64_t totalBytes_ = 0;
  uint64_t releasedBytes_ = 0;
  uint64_t totalWiderOffsets_ = 0;
  size_t liveWiderOffsets_ = 0;
  size_t peakLiveBytes_ = 0;
  size_t peakLiveBlockBytes_ = 0;
  size_t peakLiveBlocks_ = 0;
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
MemChunkPool<MemNames, 64> names;  // for the few requests that name their call site
MemBlockMap usualBlocks;
MemBlockIndex otherBlocks;  // those with a call site, a wider offset or a size beyond the map's
Tally tally;
const char* lastProblem = nullptr;
static_assert(std::is_trivially_destructible_v<MemTrackerLock> &&
                  std::is_trivially_destructible_v<decltype(names)> &&
                  std::is_trivially_destructible_v<MemBlockMap> && std::is_trivially_destructible_v<MemBlockIndex> &&
                  std::is_trivially_destructible_v<Tally>,
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

// A fill word's bytes repeated, long enough that 64 bytes can be read from
// any of its first four bytes: the run as it reads from an area's offset on
// starts at the offset's place in the word.
struct PaintRun {
  unsigned char bytes[68];
  constexpr explicit PaintRun(uint32_t word) : bytes() {
    for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<unsigned char>(word >> (8 * (i % 4)));
  }
};
constexpr PaintRun kNewRun(MemTracker::kNewFill);
constexpr PaintRun kReleasedRun(MemTracker::kReleasedFill);

constexpr size_t kPaintedByStores = 256;  // larger areas: cheaper by copying

// Doubles the painted run from `painted` bytes, a whole number of 16-byte
// steps, until less than 16 bytes are left.
void PaintByCopies(unsigned char* area, size_t size, size_t painted) {
  while (size - painted >= 16) {
    const size_t step = painted < size - painted ? painted : (size - painted) & ~size_t{15};
    std::memcpy(area + painted, area, step);
    painted += step;
  }
}

// 16-byte stores, half of them from the area's start and half reaching its
// end, overlapping in the middle: an area of up to 32 * kPairs bytes and
// more than half that.
template <size_t kPairs>
inline void PaintFromBothEnds(unsigned char* area, size_t size, const PaintRun& run) {
  const unsigned char* tail = run.bytes + size % 4;  // as the run reads from the end's last stores
  unsigned char* last = area + size - 16 * kPairs;
#pragma GCC unroll 8
  for (size_t pair = 0; pair < kPairs; ++pair) {
    std::memcpy(area + 16 * pair, run.bytes, 16);
    std::memcpy(last + 16 * pair, tail, 16);
  }
}

// Areas shorter than 16 bytes: whole 8 or 4-byte stores, the second
// reaching the area's end and overlapping the first, so no byte is written
// one at a time unless the area is shorter than a word.
[[gnu::always_inline]] inline void PaintShort(unsigned char* area, size_t size, const PaintRun& run) {
  const unsigned char* tail = run.bytes + size % 4;
  if (size >= 8) {
    std::memcpy(area, run.bytes, 8);
    std::memcpy(area + size - 8, tail, 8);
  } else if (size >= 4) {
    std::memcpy(area, run.bytes, 4);
    std::memcpy(area + size - 4, tail, 4);
  } else if (size > 0) {  // first, middle and last of one to three bytes
    area[0] = run.bytes[0];
    area[size / 2] = run.bytes[size / 2];
    area[size - 1] = run.bytes[size - 1];
  }
}

// Where the processor has 64-byte stores, an area of 65 to kPaintedByStores
// bytes takes a quarter of the stores: one from each end, or two where the
// area is longer than 128 bytes. Decided at load time; until then, for the
// requests of static initialisation, the 16-byte stores serve. The probe is
// set up here, as this may run before the runtime's own set-up does.
const bool wideStores = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f"));

[[gnu::target("avx512f"), gnu::noinline]] unsigned char* PaintWide(unsigned char* area, size_t size,
                                                                 const PaintRun& run) {
  const __m512i head = _mm512_loadu_si512(run.bytes);
  const __m512i tail = _mm512_loadu_si512(run.bytes + size % 4);  // as the run reads from the end's stores
  unsigned char* last = area + size - 64;
  _mm512_storeu_si512(area, head);
  _mm512_storeu_si512(last, tail);
  if (size > 128) {
    _mm512_storeu_si512(area + 64, head);
    _mm512_storeu_si512(last - 64, tail);
  }
  return area;
}

// Out of line, so that smaller areas are painted without a call's saved
// registers; it returns the area, so that callers reach it in a jump.
[[gnu::noinline]] unsigned char* PaintLarge(unsigned char* area, size_t size, const PaintRun& run) {
  PaintFromBothEnds<kPaintedByStores / 32>(area, kPaintedByStores, run);
  PaintByCopies(area, size, kPaintedByStores);
  std::memcpy(area + size - 16, run.bytes + size % 4, 16);
  return area;
}

// Returns the area. The sizes are tested as a tree, the most common ones,
// 16 to 32 bytes, first.
[[gnu::always_inline]] inline unsigned char* Paint(unsigned char* area, size_t size, const PaintRun& run) {
  if (size <= 32) {
    if (size >= 16)
      PaintFromBothEnds<1>(area, size, run);
    else
      PaintShort(area, size, run);
  } else if (size <= 64) {
    PaintFromBothEnds<2>(area, size, run);
  } else if (wideStores && size <= kPaintedByStores) {
    return PaintWide(area, size, run);
  } else if (size <= 128) {
    PaintFromBothEnds<4>(area, size, run);
  } else if (size <= kPaintedByStores) {
    PaintFromBothEnds<kPaintedByStores / 32>(area, size, run);
  } else {
    return PaintLarge(area, size, run);
  }
  return area;
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

// The names of a call site, in `siteNames` (null when the site names
// nothing): false when no room for them can be had.
[[gnu::noinline]] bool TakeNames(const MemTracker::CallSite& site, MemNames** siteNames) {
  *siteNames = nullptr;
  if (!Named(site.file) && !Named(site.function) && site.line == 0) return true;
  *siteNames = names.Take();
  if (!*siteNames) return false;
  CopyName((*siteNames)->sourceFile, BaseName(site.file));
  CopyName((*siteNames)->function, site.function);
  (*siteNames)->line = site.line;
  return true;
}

// Gives back what a refused request had taken; both may be null. Returns
// the refused request's null user area.
[[gnu::noinline, gnu::cold]] unsigned char* Refuse(const char* problem, MemNames* siteNames, void* raw) {
  std::free(raw);
  if (siteNames) names.Give(siteNames);
  tally.CountRefusal();
  lastProblem = problem;
  return nullptr;
}

// Under the lock: the record of an allocation, and its count.
[[gnu::always_inline]] inline void Fill(MemRecord* record, size_t size, MemNames* siteNames,
                                        uint32_t allocationNumber, MemTracker::AllocKind kind, size_t offset) {
  record->size = size;
  record->site = siteNames;
  record->allocationNumber = allocationNumber;
  record->kind = static_cast<uint8_t>(kind);
  record->SetOffset(offset);
  tally.CountAllocation(size, offset);
}

// Under the lock: counts the request and records the block taken for it
// from the C heap (null when none could be had). The user area, or null
// when the request is refused. `site` is null for a request that names
// none.
[[gnu::always_inline]] inline unsigned char* Register(void* raw, size_t size, const MemTracker::CallSite* site,
                                                      MemTracker::AllocKind kind, size_t offset) {
  const uint32_t allocationNumber = tally.CountRequest();
  if (!raw) return Refuse(kOutOfMemory, nullptr, nullptr);
  unsigned char* user = static_cast<unsigned char*>(raw) + offset;
  MemNames* siteNames = nullptr;
  if (site && !TakeNames(*site, &siteNames)) return Refuse(kNoTrackingRoom, nullptr, raw);
  if (!siteNames && offset == MemTracker::kGuardBytes &&
      usualBlocks.Insert(user, {size, allocationNumber, static_cast<uint8_t>(kind)})) {
    tally.CountAllocation(size, offset);
    return user;
  }
  MemRecord* record = otherBlocks.Insert(user);
  if (!record) return Refuse(kNoTrackingRoom, siteNames, raw);
  Fill(record, size, siteNames, allocationNumber, kind, offset);
  return user;
}

// Outside the lock: the C heap has its own, and no other thread knows the
// block before it is returned.
[[gnu::always_inline]] inline void* Prepare(unsigned char* user, size_t size, bool zeroed) {
  WriteGuards(user, size);
  if (zeroed) return std::memset(user, 0, size);
  return Paint(user, size, kNewRun);
}

// A block taken, registered under the lock and prepared after it.
[[gnu::always_inline]] inline void* AllocateTaken(void* raw, size_t size, const MemTracker::CallSite* site,
                                                  MemTracker::AllocKind kind, size_t offset) {
  unsigned char* user;
  {
    LockScope locked;
    user = Register(raw, size, site, kind, offset);
  }
  return user ? Prepare(user, size, kind == MemTracker::kCalloc) : nullptr;
}

[[gnu::always_inline]] inline void* AllocateBlock(size_t size, const MemTracker::CallSite* site,
                                                  MemTracker::AllocKind kind, size_t alignment) {
  const size_t offset = alignment > MemTracker::kGuardBytes ? alignment : MemTracker::kGuardBytes;
  return AllocateTaken(TakeBlock(size, offset), size, site, kind, offset);
}

[[gnu::noinline]] void* AllocateAtSite(size_t size, const MemTracker::CallSite& site,
                                       MemTracker::AllocKind kind, size_t alignment) {
  CallSiteReset reset;
  return AllocateBlock(size, &site, kind, alignment);
}

// Any request of the operators, for the calling thread's call site.
[[gnu::noinline]] void* AllocateAsAsked(size_t size, MemTracker::AllocKind kind, size_t alignment) {
  if (callSite.named) return AllocateAtSite(size, callSite.site, kind, alignment);
  return AllocateBlock(size, nullptr, kind, alignment);
}

// The standard exception, with the message the engine has always reported.
class TrackerBadAlloc : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "bad allocation"; }
};

// After a refused request: the new handler and another try, for as long as
// a handler is installed.
[[gnu::noinline, gnu::cold]] void* RetryOrThrow(size_t size, MemTracker::AllocKind kind, size_t alignment) {
  for (;;) {
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw TrackerBadAlloc();
    handler();
    if (void* user = AllocateAsAsked(size, kind, alignment)) return user;
  }
}

// The way of every request but the usual one, and of the usual one after
// its block is taken; then the retry. Out of line, so that the usual way
// reaches them in a jump.
[[gnu::noinline]] void* NewAsAsked(size_t size, MemTracker::AllocKind kind, size_t alignment) {
  if (void* user = AllocateAsAsked(size, kind, alignment)) return user;
  return RetryOrThrow(size, kind, alignment);
}

[[gnu::noinline]] void* NewTaken(void* raw, size_t size, MemTracker::AllocKind kind) {
  if (void* user = AllocateTaken(raw, size, nullptr, kind, MemTracker::kGuardBytes)) return user;
  return RetryOrThrow(size, kind, MemTracker::kGuardBytes);
}

// A released block's requested size and block offset.
struct Unregistered {
  size_t size;
  size_t offset;
};
// Counts the release of a block taken out of the usual blocks' map.
[[gnu::always_inline]] inline Unregistered ForgetUsual(const MemBlockMap::Record& record) {
  const Unregistered block = {record.size, MemTracker::kGuardBytes};
  tally.CountRelease(block.size, block.offset);
  return block;
}

// Counts the release of a block taken out of the other blocks' index and
// gives its names back.
Unregistered ForgetOther(const MemRecord& record) {
  const Unregistered block = {record.size, record.Offset()};
  tally.CountRelease(block.size, block.offset);
  if (record.site) names.Give(record.site);
  return block;
}

// Under the lock: takes a block handed out out of the map or the index;
// false when neither holds the pointer.
bool Unregister(void* userPointer, Unregistered* block) {
  MemBlockMap::Record usual;
  if (usualBlocks.Remove(userPointer, &usual)) {
    *block = ForgetUsual(usual);
    return true;
  }
  const size_t slot = otherBlocks.Find(userPointer);
  if (slot == MemBlockIndex::kNone) return false;
  const MemRecord record = *otherBlocks.RecordAt(slot);
  otherBlocks.RemoveAt(slot);
  *block = ForgetOther(record);
  return true;
}

// Outside the lock: the block is out of the index, so no other thread can
// reach it any more.
[[gnu::always_inline]] inline void Discard(void* userPointer, Unregistered block) {
  auto* user = static_cast<unsigned char*>(userPointer);
  WriteGuards(user, block.size);
  std::free(Paint(user, block.size, kReleasedRun) - block.offset);
}

// Under the lock: the record of a live block, the usual ones' unpacked;
// false when the tracker does not hold the pointer.
bool FindLive(const void* userPointer, MemRecord* record) {
  MemBlockMap::Record usual;
  if (usualBlocks.Find(userPointer, &usual)) {
    *record = MemRecord{usual.size, nullptr, usual.allocationNumber, usual.kind, 0};
    record->SetOffset(MemTracker::kGuardBytes);
    return true;
  }
  const size_t slot = otherBlocks.Find(userPointer);
  if (slot == MemBlockIndex::kNone) return false;
  *record = *otherBlocks.RecordAt(slot);
  return true;
}

[[gnu::noinline]] void ReleaseLocking(void* userPointer) {
  Unregistered block;
  {
    LockScope locked;
    if (!Unregister(userPointer, &block)) {
      lastProblem = kNeverAllocated;
      return;
    }
  }
  Discard(userPointer, block);
}

// The usual release, of a block the map holds, by the lone or the leaning
// thread, makes no call but the C heap's free (and the painting of a large
// area): anything else, a pointer the tracker does not hold included, takes
// the way that locks in full. Each way in has its own copy, so that leaving
// costs no test of how the thread got in.
template <MemTrackerLock::Entry kEntry>
[[gnu::always_inline]] inline void ReleaseEntered(void* userPointer) {
  MemBlockMap::Record usual;
  if (!usualBlocks.Remove(userPointer, &usual)) {
    lock.Unlock(kEntry);
    return ReleaseLocking(userPointer);
  }
  const Unregistered block = ForgetUsual(usual);
  lock.Unlock(kEntry);
  Discard(userPointer, block);
}

[[gnu::always_inline]] inline void ReleaseBlock(void* userPointer) {
  if (lock.EnterAlone()) return ReleaseEntered<MemTrackerLock::Entry::kAlone>(userPointer);
  if (lock.EnterLeaning()) return ReleaseEntered<MemTrackerLock::Entry::kLeaning>(userPointer);
  ReleaseLocking(userPointer);
}

// Nearly every request names no call site and takes the default alignment,
// its block offset a constant, and the lone or the leaning thread finds the
// map's leaf for it in place: that way makes no call but the C heap's malloc
// (and the painting of a large area). Its kind is a constant too.
template <MemTracker::AllocKind kKind, MemTrackerLock::Entry kEntry>
[[gnu::always_inline]] inline void* RegisterEntered(void* raw, size_t size) {
  constexpr size_t kOffset = MemTracker::kGuardBytes;
  unsigned char* user = static_cast<unsigned char*>(raw) + kOffset;
  if (!usualBlocks.InsertMapped(user, {size, tally.NextNumber(), kKind})) {
    lock.Unlock(kEntry);
    return NewTaken(raw, size, kKind);
  }
  tally.CountRequest();
  tally.CountAllocation(size, kOffset);
  lock.Unlock(kEntry);
  return Prepare(user, size, false);  // the operators never ask for zeroes
}

// The block taken for such a request, registered and prepared. Apart from
// the request, so that the request keeps nothing but the size across its
// call of malloc, and this, making no call, saves no registers.
template <MemTracker::AllocKind kKind>
[[gnu::noinline]] void* RegisterUsual(void* raw, size_t size) {
  if (raw) {
    if (lock.EnterAlone()) return RegisterEntered<kKind, MemTrackerLock::Entry::kAlone>(raw, size);
    if (lock.EnterLeaning()) return RegisterEntered<kKind, MemTrackerLock::Entry::kLeaning>(raw, size);
  }
  return NewTaken(raw, size, kKind);
}

template <MemTracker::AllocKind kKind>
[[gnu::always_inline]] inline void* NewUsual(size_t size) {
  constexpr size_t kOffset = MemTracker::kGuardBytes;
  // One test for a size of 0, whose size - 1 wraps, and for one whose block
  // would not fit in a size_t.
  if (size - 1 >= SIZE_MAX - BlockSize(0, kOffset) || callSite.named) return MemTracker::New(size, kKind, kOffset);
  return RegisterUsual<kKind>(std::malloc(BlockSize(size, kOffset)), size);
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

void* MemTracker::New(size_t size) { return NewUsual<kNew>(size); }

void* MemTracker::NewArray(size_t size) { return NewUsual<kNewArray>(size); }

void* MemTracker::New(size_t size, AllocKind kind, size_t alignment) {
  if (size == 0) size = 1;
  return NewAsAsked(size, kind, alignment);
}

// Release takes the call site and kind only to match Allocate; a record
// keeps no trace of who released the block.
void MemTracker::Release(void* userPointer, AllocKind /*kind*/) noexcept {
  if (!userPointer) return;
  if (callSite.named) ResetThisThreadsCallSite();
  ReleaseBlock(userPointer);
}

void MemTracker::Release(void* userPointer, int32_t /*line*/, const char* /*file*/,
                         const char* /*function*/, AllocKind /*kind*/) noexcept {
  ResetThisThreadsCallSite();
  ReleaseLocking(userPointer);
}

bool MemTracker::FindRecord(const void* userPointer, AllocRecord* out) {
  LockScope locked;
  MemRecord record;
  if (!FindLive(userPointer, &record)) return false;
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
  return tally.Report();
}

const char* MemTracker::GetLastProblem() {
  LockScope locked;
  return lastProblem;
}
