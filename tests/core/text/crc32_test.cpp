#include "core/text/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

TEST(Crc32, KnownKeys) {
  struct Case {
    const char* name;
    uint32_t key;
  } cases[] = {
      {"", 0xFFFFFFFFu},
      {"ABC", 0x5C7CFCB7u},
      {"abc", 0x5C7CFCB7u},
      {"aBc", 0x5C7CFCB7u},
      {"123456789", 0x340BC6D9u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(num::NameKey(c.name), c.key);
    EXPECT_EQ(num::GetCRC32().ComputeString(c.name, true), c.key);
  }
  EXPECT_EQ(num::GetCRC32().Compute("123456789", 9), 0x340BC6D9u);
  EXPECT_EQ(num::GetCRC32().Compute(nullptr, 0), 0xFFFFFFFFu);
}

TEST(Crc32, TableEntries) {
  // After one byte b the register is table[b ^ 0xFF] ^ 0x00FFFFFF.
  auto entry = [](unsigned index) {
    const unsigned char b = static_cast<unsigned char>(index ^ 0xFF);
    return num::GetCRC32().Compute(&b, 1) ^ 0x00FFFFFFu;
  };
  EXPECT_EQ(entry(0), 0u);
  EXPECT_EQ(entry(1), 0x77073096u);
  EXPECT_EQ(entry(128), 0xEDB88320u);
  EXPECT_EQ(entry(255), 0x2D02EF8Du);
}

TEST(Crc32, IsTheComplementOfTheStandardCrc) {
  std::vector<unsigned char> bytes(3000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 131 + 7);
  for (size_t length : {size_t{1}, size_t{255}, bytes.size()}) {
    const uint32_t standard = static_cast<uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(length)));
    EXPECT_EQ(num::GetCRC32().Compute(bytes.data(), length), ~standard) << length;
  }
}

TEST(Crc32, FoldsOnlyAsciiLetters) {
  const num::CRC32& crc = num::GetCRC32();
  // Bytes of 0x80 and above are neither folded nor read as signed.
  EXPECT_EQ(crc.ComputeString("\xE9t\xE9", true), crc.Compute("\xE9T\xE9", 3));
  EXPECT_NE(num::NameKey("\xE9"), num::NameKey("\xC9"));
  EXPECT_NE(num::NameKey("\xFF"), num::NameKey("\x7F"));
  EXPECT_EQ(num::NameKey("a-z_[{"), crc.Compute("A-Z_[{", 6));
  // With the flag clear the name is hashed as it stands.
  EXPECT_EQ(crc.ComputeString("abc", false), crc.Compute("abc", 3));
  EXPECT_NE(crc.ComputeString("abc", false), crc.ComputeString("ABC", false));
}

TEST(Crc32, LongNamesKeyEveryByte) {
  std::string lower(5000, 'q'), upper(5000, 'Q');
  lower.back() = 'z';
  upper.back() = 'Z';
  EXPECT_EQ(num::NameKey(lower), num::GetCRC32().Compute(upper.data(), upper.size()));
  std::string other = lower;
  other[4000] = 'r';
  EXPECT_NE(num::NameKey(lower), num::NameKey(other));
}

// The register over bytes upper-cased one by one, through zlib.
uint32_t ReferenceKey(std::string bytes, bool upperCase) {
  if (upperCase)
    for (char& c : bytes)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ~static_cast<uint32_t>(
      crc32_z(0, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

TEST(Crc32, EveryLengthAndByteValueKeysAsOneByteAtATime) {
  // Every byte value but NUL, at every offset within a word, over lengths on
  // both sides of each step the key function takes.
  std::string bytes;
  for (int round = 0; round < 40; ++round)
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>((b * 7 + round) % 255 + 1));
  for (size_t length : {size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{63}, size_t{64}, size_t{65},
                        size_t{79}, size_t{80}, size_t{127}, size_t{128}, size_t{143}, size_t{255}, size_t{256}, size_t{257},
                        size_t{4095}, size_t{4096}, size_t{4097}, size_t{9000}}) {
    for (size_t offset : {size_t{0}, size_t{3}}) {
      SCOPED_TRACE(std::to_string(length) + " from " + std::to_string(offset));
      const std::string name = bytes.substr(offset, length);
      EXPECT_EQ(num::NameKey(name), ReferenceKey(name, true));
      EXPECT_EQ(num::GetCRC32().ComputeString(name.c_str(), true), ReferenceKey(name, true));
      EXPECT_EQ(num::GetCRC32().ComputeString(name, false), ReferenceKey(name, false));
      EXPECT_EQ(num::GetCRC32().Compute(name.data(), name.size()), ReferenceKey(name, false));
    }
  }
}

TEST(Crc32, NameEndsAtItsFirstNul) {
  const std::string withNul("ab\0cd", 5);
  EXPECT_EQ(num::NameKey(withNul), num::NameKey("AB"));
  EXPECT_EQ(num::GetCRC32().ComputeString(withNul, false), num::GetCRC32().Compute("ab", 2));
}

}  // namespace
