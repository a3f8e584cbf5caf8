#include "platform/memory/zeroed_buffer.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

const size_t kPage = static_cast<size_t>(sysconf(_SC_PAGESIZE));

// Whether each page of the buffer has memory behind it.
std::vector<bool> Resident(platform::ZeroedBuffer& buffer) {
  std::vector<unsigned char> pages(buffer.size() / kPage);
  EXPECT_EQ(mincore(buffer.data(), buffer.size(), pages.data()), 0);
  std::vector<bool> resident;
  for (unsigned char page : pages) resident.push_back(page & 1);
  return resident;
}

TEST(ZeroedBufferTest, ReadsZerosAndHoldsWhatIsWritten) {
  for (size_t size : {size_t{1}, size_t{100}, size_t{64 * 1024 - 1}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    platform::ZeroedBuffer buffer(size);
    ASSERT_NE(buffer.data(), nullptr);
    ASSERT_EQ(buffer.size(), size);
    EXPECT_EQ(buffer.data()[0], 0);
    EXPECT_EQ(buffer.data()[size - 1], 0);
    buffer.data()[size - 1] = 7;
    buffer.ReleaseZeroPages();
    EXPECT_EQ(buffer.data()[size - 1], 7);
  }
  platform::ZeroedBuffer empty(0);
  EXPECT_EQ(empty.data(), nullptr);
  EXPECT_EQ(empty.size(), 0u);
}

TEST(ZeroedBufferTest, LargeBufferTakesMemoryOnlyForPagesThatHoldSomething) {
  platform::ZeroedBuffer buffer(32 * kPage);
  EXPECT_EQ(Resident(buffer), std::vector<bool>(32, false));
  std::memset(buffer.data(), 0, 4 * kPage);  // zeros written still take pages
  buffer.data()[1 * kPage + 5] = 1;
  buffer.data()[3 * kPage - 1] = 2;  // the last byte of page 2
  buffer.data()[6 * kPage] = 3;
  std::vector<bool> expected(32, false);
  for (int page : {0, 1, 2, 3, 6}) expected[page] = true;
  EXPECT_EQ(Resident(buffer), expected);

  buffer.ReleaseZeroPages();
  expected[0] = expected[3] = false;
  EXPECT_EQ(Resident(buffer), expected);
  EXPECT_EQ(buffer.data()[1 * kPage + 5], 1);
  EXPECT_EQ(buffer.data()[3 * kPage - 1], 2);
  EXPECT_EQ(buffer.data()[6 * kPage], 3);
  EXPECT_EQ(buffer.data()[0], 0);
  EXPECT_EQ(buffer.data()[4 * kPage], 0);
}

}  // namespace
