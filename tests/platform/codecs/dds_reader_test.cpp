#include "platform/codecs/dds_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "dds_header.h"

namespace {

// A DXT1 file of the given size with a full mip chain; `caps2` as given.
std::vector<uint8_t> Dxt1File(uint32_t side, uint32_t levels, uint32_t caps2) {
  std::vector<uint8_t> out = DdsHeader(side, side, levels, 0x31545844, caps2);  // "DXT1"
  uint32_t faces = (caps2 & platform::kDdsCubeMapBit) ? 6 : 1;
  for (uint32_t face = 0; face < faces; ++face) {
    for (uint32_t level = 0, s = side; level < levels; ++level, s = s > 1 ? s / 2 : 1) {
      out.resize(out.size() + ((s + 3) / 4) * ((s + 3) / 4) * 8, 0x11);
    }
  }
  return out;
}

TEST(DdsReaderTest, ReadsLevelsAndFacesWithTheirSizes) {
  platform::DdsImage image;
  std::vector<uint8_t> plain = Dxt1File(16, 5, 0);
  ASSERT_TRUE(platform::ReadDds(plain.data(), plain.size(), image));
  EXPECT_EQ(image.format, D3DFMT_DXT1);
  EXPECT_EQ(image.levels, 5u);
  ASSERT_EQ(image.data.size(), 5u);
  EXPECT_EQ(image.data[0].size, 128u);  // 4 x 4 blocks of 8 bytes
  EXPECT_EQ(image.data[4].size, 8u);    // 1 x 1 still takes a whole block

  std::vector<uint8_t> cube = Dxt1File(8, 1, platform::kDdsCubeMapBit | 0xFC00);
  ASSERT_TRUE(platform::ReadDds(cube.data(), cube.size(), image));
  EXPECT_TRUE(image.cube);
  EXPECT_EQ(image.data.size(), 6u);
}

TEST(DdsReaderTest, RefusesEveryCutShortFile) {
  std::vector<uint8_t> file = Dxt1File(16, 5, 0);
  platform::DdsImage image;
  for (size_t size = 0; size < file.size(); ++size) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(size));
    EXPECT_FALSE(platform::ReadDds(cut.data(), cut.size(), image)) << size;
  }
}

TEST(DdsReaderTest, RefusesHeadersItCannotTrust) {
  const struct {
    const char* what;
    size_t offset;
    uint32_t value;
  } cases[] = {
      {"header size", 4, 100},       {"zero width", 16, 0},          {"huge height", 12, 1u << 30},
      {"unknown four-cc", 84, 0x31313131}, {"partial cube", 112, platform::kDdsCubeMapBit | 0x0400},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> file = Dxt1File(16, 5, 0);
    platform::Store32(file.data() + c.offset, c.value);
    platform::DdsImage image;
    EXPECT_FALSE(platform::ReadDds(file.data(), file.size(), image)) << c.what;
  }
}

}  // namespace
