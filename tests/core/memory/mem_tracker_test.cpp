#include "core/memory/mem_tracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "temp_folder.h"

namespace {
// Allocated while the program's globals are initialised, in whatever order
// they run relative to the tracker's own file.
int* const earlyBlock = new int(7);

// Hides where a pointer came from, so that the compiler lets the tests read
// the tracker's guards and hand it pointers it never gave out.
template <class T>
T* Opaque(T* pointer) {
  asm volatile("" : "+r"(pointer));
  return pointer;
}

std::vector<uint8_t> Bytes(const void* at, size_t size) {
  const auto* first = static_cast<const uint8_t*>(at);
  return std::vector<uint8_t>(first, first + size);
}

std::vector<uint8_t> Repeated(uint32_t word, size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(word >> (8 * (i % 4)));
  return bytes;
}

MemTracker::AllocRecord RecordOf(const void* block) {
  MemTracker::AllocRecord record{};
  EXPECT_TRUE(MemTracker::FindRecord(block, &record));
  return record;
}

void ExpectNoCallSite() {
  MemTracker::CallSite site = MemTracker::GetCallSite();
  EXPECT_STREQ(site.file, "??");
  EXPECT_EQ(site.line, 0);
  EXPECT_STREQ(site.function, "??");
}

struct BlockForm {
  const char* name;
  size_t size;
  size_t alignment;
  bool array;
};

void* NewBlock(const BlockForm& form) {
  if (form.alignment == 0)
    return Opaque(form.array ? ::operator new[](form.size) : ::operator new(form.size));
  std::align_val_t alignment{form.alignment};
  return Opaque(form.array ? ::operator new[](form.size, alignment)
                           : ::operator new(form.size, alignment));
}

void DeleteBlock(const BlockForm& form, void* block) {
  if (form.alignment == 0) {
    form.array ? ::operator delete[](block) : ::operator delete(block);
    return;
  }
  std::align_val_t alignment{form.alignment};
  form.array ? ::operator delete[](block, alignment) : ::operator delete(block, alignment);
}

// Sanitizer builds leave the tracked operators and the guard words out, so
// the tracker's own tests have nothing to look at there.
class MemTrackerTest : public testing::Test {
 protected:
  void SetUp() override {
#ifdef VANTOR_SANITIZE
    GTEST_SKIP() << "no tracked operators or guard words in a sanitizer build";
#endif
  }
};
}  // namespace

TEST_F(MemTrackerTest, FreshBlockIsPaintedAndGuarded) {
  const BlockForm forms[] = {
      {"new", 6, 0, false},       {"new[]", 7, 0, true},        {"word", 4, 0, false},
      {"one byte", 1, 0, false},  {"aligned 64", 6, 64, false}, {"aligned 32[]", 33, 32, true},
      {"aligned 8", 5, 8, false}, {"two words", 8, 0, false}, {"four words and three", 19, 0, false},
      {"long", 257, 0, false},     {"copied in runs", 4099, 0, true},
      {"three words", 12, 0, false}, {"four words", 16, 0, false}, {"stores to the end", 255, 0, false},
  };
  for (const BlockForm& form : forms) {
    SCOPED_TRACE(form.name);
    auto* block = static_cast<uint8_t*>(NewBlock(form));
    ASSERT_NE(block, nullptr);
    if (form.alignment) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % form.alignment, 0u);
    }
    EXPECT_EQ(Bytes(block, form.size), Repeated(0xFEEDFACE, form.size));
    EXPECT_EQ(Bytes(block - 16, 16), Repeated(0xBAADF00D, 16));
    EXPECT_EQ(Bytes(block + form.size, 16), Repeated(0xDEADC0DE, 16));
    MemTracker::AllocRecord record = RecordOf(block);
    EXPECT_EQ(record.size, form.size);
    EXPECT_EQ(record.kind, form.array ? MemTracker::kNewArray : MemTracker::kNew);
    EXPECT_EQ(static_cast<uint8_t*>(record.rawBlock) + record.blockSize, block + form.size + 16);
    DeleteBlock(form, block);
    EXPECT_FALSE(MemTracker::FindRecord(block, &record));
  }
}

// Every size up to past the largest painted by stores alone, so that each
// way of painting, and each place the last store can start at, is met.
TEST_F(MemTrackerTest, EverySizeIsPaintedToTheLastByteBetweenWholeGuards) {
  for (size_t size = 1; size <= 300; ++size) {
    SCOPED_TRACE(size);
    auto* block = static_cast<uint8_t*>(Opaque(::operator new(size)));
    ASSERT_EQ(Bytes(block, size), Repeated(0xFEEDFACE, size));
    ASSERT_EQ(Bytes(block - 16, 16), Repeated(0xBAADF00D, 16));
    ASSERT_EQ(Bytes(block + size, 16), Repeated(0xDEADC0DE, 16));
    ::operator delete(block);
  }
}

TEST_F(MemTrackerTest, SixByteBlockReadsAsTheWordsLittleEndianBytes) {
  auto* block = static_cast<uint8_t*>(Opaque(::operator new(6)));
  EXPECT_EQ(Bytes(block, 6), (std::vector<uint8_t>{0xCE, 0xFA, 0xED, 0xFE, 0xCE, 0xFA}));
  EXPECT_EQ(Bytes(block - 4, 4), (std::vector<uint8_t>{0x0D, 0xF0, 0xAD, 0xBA}));
  EXPECT_EQ(Bytes(block + 6, 4), (std::vector<uint8_t>{0xDE, 0xC0, 0xAD, 0xDE}));
  ::operator delete(block);
}

TEST_F(MemTrackerTest, RecordKeepsTheCallSiteAndEveryRequestResetsIt) {
  const std::string longName(60, 'f');
  struct Case {
    const char* file;
    const char* function;
    std::string storedFile;
    std::string storedFunction;
  } cases[] = {
      {"C:\\game\\src\\well.cpp", "QORWell::Tick", "well.cpp", "QORWell::Tick"},
      {"/home/build/src/board.cpp", "Board::Fill", "board.cpp", "Board::Fill"},
      {"dir\\sub/file.cpp", "F", "sub/file.cpp", "F"},
      {"plain.cpp", "G", "plain.cpp", "G"},
      {nullptr, nullptr, "??", "??"},
      {longName.c_str(), longName.c_str(), longName.substr(0, 39), longName.substr(0, 39)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedFile);
    MemTracker::SetCallSite(c.file, 42, c.function);
    void* block = ::operator new(8);
    ExpectNoCallSite();
    MemTracker::AllocRecord record = RecordOf(block);
    EXPECT_EQ(record.sourceFile, c.storedFile);
    EXPECT_EQ(record.function, c.storedFunction);
    EXPECT_EQ(record.line, 42);
    MemTracker::SetCallSite(c.file, 43, c.function);
    ::operator delete(block);
    ExpectNoCallSite();
  }

  void* unnamed = ::operator new(8);
  MemTracker::AllocRecord record = RecordOf(unnamed);
  EXPECT_STREQ(record.sourceFile, "??");
  EXPECT_STREQ(record.function, "??");
  EXPECT_EQ(record.line, 0);
  ::operator delete(unnamed);

  // Refused requests and ignored releases reset it as well.
  MemTracker::SetCallSite("a.cpp", 1, "f");
  EXPECT_EQ(::operator new(SIZE_MAX, std::nothrow), nullptr);
  ExpectNoCallSite();
  int onStack = 0;
  MemTracker::SetCallSite("a.cpp", 1, "f");
  ::operator delete(Opaque(&onStack));
  ExpectNoCallSite();
}

TEST_F(MemTrackerTest, CallSiteBelongsToTheThreadThatNamedIt) {
  // The worker allocates between this thread naming its call site and using it.
  std::atomic<int> step{0};
  std::thread worker([&step] {
    while (step != 1) std::this_thread::yield();
    delete new int(1);
    step = 2;
  });
  MemTracker::SetCallSite("main.cpp", 9, "Main");
  step = 1;
  while (step != 2) std::this_thread::yield();
  EXPECT_STREQ(MemTracker::GetCallSite().file, "main.cpp");
  void* block = ::operator new(4);
  EXPECT_STREQ(RecordOf(block).sourceFile, "main.cpp");
  ::operator delete(block);
  worker.join();
}

TEST_F(MemTrackerTest, ZeroBytesGiveDistinctOneByteBlocks) {
  void* first = ::operator new(0);
  void* second = ::operator new[](0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(RecordOf(first).size, 1u);
  EXPECT_EQ(RecordOf(second).size, 1u);
  ::operator delete(first);
  ::operator delete[](second);
}

TEST_F(MemTrackerTest, UnknownPointersAreIgnored) {
  const MemTracker::Counters before = MemTracker::GetCounters();

  // Deleted twice: the second release finds no record.
  void* twice = ::operator new(16);
  void* again = Opaque(twice);
  ::operator delete(twice);
  ::operator delete(again);
  EXPECT_STREQ(MemTracker::GetLastProblem(), "Request to deallocate RAM that was never allocated");

  // A C-heap block is neither painted nor freed: it stays the caller's.
  auto* heap = static_cast<uint8_t*>(std::malloc(8));
  std::memset(heap, 0x11, 8);
  ::operator delete(Opaque(heap));
  EXPECT_EQ(Bytes(heap, 8), std::vector<uint8_t>(8, 0x11));
  std::free(heap);

  // A pointer into the middle of a live block, or into its guards, leaves
  // the block alone.
  auto* live = static_cast<uint8_t*>(Opaque(::operator new[](32)));
  for (ptrdiff_t offset : {4, 16, -16, -8, 32})
    ::operator delete[](Opaque(live + offset));
  EXPECT_EQ(RecordOf(live).size, 32u);
  EXPECT_EQ(Bytes(live - 16, 16), Repeated(0xBAADF00D, 16));
  EXPECT_EQ(Bytes(live, 32), Repeated(0xFEEDFACE, 32));
  ::operator delete[](live);

  ::operator delete(nullptr);
  const MemTracker::Counters after = MemTracker::GetCounters();
  EXPECT_EQ(after.liveBlocks, before.liveBlocks);
  EXPECT_EQ(after.liveBytes, before.liveBytes);
}

// Sizes above anything else live here: one kept with the usual blocks, one
// too large for them, whose record the tracker keeps apart.
TEST_F(MemTrackerTest, CountersFollowLiveBlocksAndKeepPeaks) {
  for (const size_t size : {size_t{1} << 20, size_t{1} << 26}) {
    SCOPED_TRACE(size);
    const MemTracker::Counters before = MemTracker::GetCounters();
    void* block = ::operator new(size);
    const MemTracker::Counters during = MemTracker::GetCounters();
    EXPECT_EQ(during.allocationCounter, before.allocationCounter + 1);
    EXPECT_EQ(RecordOf(block).allocationNumber, during.allocationCounter);
    EXPECT_EQ(RecordOf(block).size, size);
    EXPECT_EQ(during.liveBytes, before.liveBytes + size);
    EXPECT_EQ(during.liveBlockBytes, before.liveBlockBytes + size + 32);
    EXPECT_EQ(during.liveBlocks, before.liveBlocks + 1);
    EXPECT_GE(during.peakLiveBytes, during.liveBytes);
    EXPECT_GE(during.peakLiveBlockBytes, during.liveBlockBytes);
    EXPECT_GE(during.peakLiveBlocks, during.liveBlocks);
    EXPECT_EQ(during.totalBytes, before.totalBytes + size);
    EXPECT_EQ(during.totalBlockBytes, before.totalBlockBytes + size + 32);
    EXPECT_EQ(during.totalAllocations, before.totalAllocations + 1);

    ::operator delete(block);
    const MemTracker::Counters after = MemTracker::GetCounters();
    EXPECT_EQ(after.liveBytes, before.liveBytes);
    EXPECT_EQ(after.liveBlockBytes, before.liveBlockBytes);
    EXPECT_EQ(after.liveBlocks, before.liveBlocks);
    EXPECT_GE(after.peakLiveBytes, before.liveBytes + size);
    EXPECT_GE(after.peakLiveBlockBytes, before.liveBlockBytes + size + 32);
    EXPECT_EQ(after.totalAllocations, during.totalAllocations);
  }
}

// Block bytes are counted from each block's own offset, which alignment widens.
TEST_F(MemTrackerTest, BlockBytesCountEachBlocksOffset) {
  const BlockForm forms[] = {
      {"plain", 100, 0, false}, {"aligned 64", 100, 64, false}, {"aligned 4096", 10, 4096, true}};
  for (const BlockForm& form : forms) {
    SCOPED_TRACE(form.name);
    const MemTracker::Counters before = MemTracker::GetCounters();
    void* block = NewBlock(form);
    const size_t blockSize = RecordOf(block).blockSize;
    EXPECT_EQ(blockSize, std::max<size_t>(form.alignment, 16) + form.size + 16);
    const MemTracker::Counters during = MemTracker::GetCounters();
    EXPECT_EQ(during.liveBlockBytes, before.liveBlockBytes + blockSize);
    EXPECT_GE(during.peakLiveBlockBytes, during.liveBlockBytes);
    EXPECT_EQ(during.totalBlockBytes, before.totalBlockBytes + blockSize);
    DeleteBlock(form, block);
    const MemTracker::Counters after = MemTracker::GetCounters();
    EXPECT_EQ(after.liveBlockBytes, before.liveBlockBytes);
    EXPECT_EQ(after.totalBlockBytes, during.totalBlockBytes);
  }
}

TEST_F(MemTrackerTest, RefusedRequestsEndInBadAllocationOrNull) {
  struct Case {
    const char* name;
    size_t size;
  } cases[] = {
      {"size + 32 wraps", SIZE_MAX - 15},
      {"largest size", SIZE_MAX},
      {"more than the heap has", SIZE_MAX / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MemTracker::Counters before = MemTracker::GetCounters();
    try {
      ::operator delete(::operator new(c.size));
      ADD_FAILURE() << "no exception";
    } catch (const std::bad_alloc& failure) {
      EXPECT_STREQ(failure.what(), "bad allocation");
    }
    EXPECT_EQ(::operator new[](c.size, std::nothrow), nullptr);
    EXPECT_EQ(::operator new (c.size, std::align_val_t{64}, std::nothrow), nullptr);
    EXPECT_STREQ(MemTracker::GetLastProblem(), "Request for allocation failed. Out of memory.");
    const MemTracker::Counters after = MemTracker::GetCounters();
    EXPECT_EQ(after.allocationCounter, before.allocationCounter + 3);
    EXPECT_EQ(after.liveBlocks, before.liveBlocks);
    EXPECT_EQ(after.totalAllocations, before.totalAllocations);
  }
}

namespace {
int handlerCalls = 0;
void GiveUpOnThirdCall() {
  if (++handlerCalls == 3) std::set_new_handler(nullptr);
}
}  // namespace

TEST_F(MemTrackerTest, NewHandlerRunsUntilItIsRemoved) {
  handlerCalls = 0;
  std::set_new_handler(GiveUpOnThirdCall);
  EXPECT_THROW(static_cast<void>(::operator new(SIZE_MAX)), std::bad_alloc);
  EXPECT_EQ(handlerCalls, 3);

  handlerCalls = 0;
  std::set_new_handler(GiveUpOnThirdCall);
  EXPECT_EQ(::operator new(SIZE_MAX, std::nothrow), nullptr);
  EXPECT_EQ(handlerCalls, 3);
}

TEST_F(MemTrackerTest, DirectCallersChooseTheKind) {
  auto* plain =
      static_cast<uint8_t*>(MemTracker::Allocate(5, "arc.cpp", 3, "Load", MemTracker::kMalloc));
  auto* zeroed =
      static_cast<uint8_t*>(MemTracker::Allocate(5, "arc.cpp", 4, "Load", MemTracker::kCalloc));
  EXPECT_EQ(Bytes(plain, 5), Repeated(0xFEEDFACE, 5));
  EXPECT_EQ(Bytes(zeroed, 5), std::vector<uint8_t>(5, 0));
  EXPECT_EQ(Bytes(zeroed + 5, 16), Repeated(0xDEADC0DE, 16));
  EXPECT_EQ(RecordOf(plain).kind, MemTracker::kMalloc);
  EXPECT_EQ(RecordOf(zeroed).kind, MemTracker::kCalloc);
  MemTracker::Release(plain, 7, "arc.cpp", "Unload", MemTracker::kFree);
  MemTracker::Release(zeroed, 8, "arc.cpp", "Unload", MemTracker::kFree);
  MemTracker::AllocRecord record;
  EXPECT_FALSE(MemTracker::FindRecord(plain, &record));
  EXPECT_FALSE(MemTracker::FindRecord(zeroed, &record));
}

TEST_F(MemTrackerTest, ThreadsAllocateTogether) {
  const MemTracker::Counters before = MemTracker::GetCounters();
  {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([t] {
        std::vector<std::string*> kept;
        for (int i = 0; i < 20000; ++i) {
          kept.push_back(new std::string(static_cast<size_t>(20 + (i + t) % 50), 'x'));
          if (kept.size() > 300) {
            for (std::string* text : kept) delete text;
            kept.clear();
          }
        }
        for (std::string* text : kept) delete text;
      });
    }
    for (std::thread& thread : threads) thread.join();
  }
  const MemTracker::Counters after = MemTracker::GetCounters();
  EXPECT_EQ(after.liveBlocks, before.liveBlocks);
  EXPECT_EQ(after.liveBytes, before.liveBytes);
}

TEST_F(MemTrackerTest, TracksEveryAllocatorOfTheProgram) {
  // Made before main, and so before any test touched the tracker.
  EXPECT_EQ(RecordOf(earlyBlock).size, sizeof(int));

  // The C++ runtime's own compiled code allocates through the tracker too.
  const MemTracker::Counters before = MemTracker::GetCounters();
  std::ostringstream text;
  text << std::string(5000, 'x');
  EXPECT_GT(MemTracker::GetCounters().totalAllocations, before.totalAllocations);
}

TEST_F(MemTrackerTest, StartUpRemovesMemoryLog) {
  TempFolder folder;
  const std::filesystem::path log = folder.Path() / "memory.log";
  std::ofstream(log) << "old";
  ASSERT_TRUE(std::filesystem::exists(log));
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string command =
      "cd '" + folder.Path().string() + "' && '" + self + "' --gtest_list_tests > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(log));
}
