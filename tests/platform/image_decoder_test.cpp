#include "platform/image_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// SDL2_image reads many more types than the engine's; none of those others
// is decoded, so a file cannot reach their readers.
TEST(ImageDecoderTest, OnlyTheEngineImageTypesDecode) {
  // 1 x 1 true-colour TGA, one red pixel.
  const std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0, 0, 255};
  platform::DecodedImage image;
  ASSERT_TRUE(platform::DecodeImage(tga.data(), tga.size(), image));
  EXPECT_EQ(image.pixels, std::vector<uint32_t>{0xFFFF0000u});

  const std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                        "\x00\x02\x02" "D\x01\x00;",
                        35);
  const std::string others[] = {
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"><rect width=\"4\" height=\"4\"/></svg>",
      gif,
      "/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \"a c #FF0000\", \"a\"};\n",
  };
  for (const std::string& other : others) {
    const std::vector<uint8_t> bytes = Bytes(other);
    EXPECT_FALSE(platform::DecodeImage(bytes.data(), bytes.size(), image)) << other.substr(0, 6);
  }
}

}  // namespace
