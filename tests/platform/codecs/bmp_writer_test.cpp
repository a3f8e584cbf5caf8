#include "platform/codecs/bmp_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/codecs/little_endian.h"
#include "read_file.h"

namespace {

uint32_t Field32(const std::vector<uint8_t>& bytes, size_t at) {
  return platform::Load32(bytes.data() + at);
}

TEST(BmpWriterTest, RowsArePaddedAndStoredFromTheBottom) {
  const std::string path = ::testing::TempDir() + "bmp_writer_rows.bmp";
  const uint32_t pixels[2 * 3] = {0xFF102030, 0xFF405060,   // top row
                                  0xFF708090, 0xFFA0B0C0,   //
                                  0xFFD0E0F0, 0xFF010203};  // bottom row
  ASSERT_TRUE(platform::WriteBmp(path, 2, 3, pixels));
  const std::string file = ReadFile(path);
  const std::vector<uint8_t> bytes(file.begin(), file.end());
  ASSERT_EQ(bytes.size(), 54u + 3 * 8);  // 2 x 3 bytes, padded to 8
  EXPECT_EQ(Field32(bytes, 2), bytes.size());
  EXPECT_EQ(Field32(bytes, 18), 2u);
  EXPECT_EQ(Field32(bytes, 22), 3u);
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(bytes[54], 0xF0);
  EXPECT_EQ(bytes[55], 0xE0);
  EXPECT_EQ(bytes[56], 0xD0);
  EXPECT_EQ(bytes[54 + 16], 0x30);  // top row, first pixel
  std::filesystem::remove(path);
}

TEST(BmpWriterTest, RefusesImagesTooLargeForTheFileHeader) {
  // 30000 x 50000 x 3 bytes does not fit the 32-bit size fields; the pixels
  // are never read, so a small buffer is enough.
  const std::string path = ::testing::TempDir() + "bmp_writer_huge.bmp";
  const uint32_t pixel = 0;
  EXPECT_FALSE(platform::WriteBmp(path, 30000, 50000, &pixel));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(platform::WriteBmp(path, 0, 10, &pixel));
}

}  // namespace
