#include "platform/codecs/image_decoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "platform/codecs/little_endian.h"
#include "platform/sdl_allocation_watch.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

void AppendBig32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// A true-colour TGA of the given size whose pixels are all there (or, with
// `pixels` false, not one of them).
std::vector<uint8_t> Tga(uint32_t width, uint32_t height, bool pixels) {
  std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  platform::Append16(out, width);
  platform::Append16(out, height);
  out.push_back(24);
  out.push_back(0);
  if (pixels) out.resize(out.size() + size_t{width} * height * 3, 0x40);
  return out;
}

// A run-length packed TGA of the given size with `runs` packets of 128 pixels
// (the longest run a packet holds).
std::vector<uint8_t> RunLengthTga(uint32_t width, uint32_t height, size_t runs) {
  std::vector<uint8_t> out = Tga(width, height, false);
  out[2] = 10;
  for (size_t i = 0; i < runs; ++i) out.insert(out.end(), {0xFF, 0x40, 0x40, 0x40});
  return out;
}

// The signature and the header chunk of a PNG, then its end.
std::vector<uint8_t> PngHeader(uint32_t width, uint32_t height) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> chunk = {'I', 'H', 'D', 'R'};
  AppendBig32(chunk, width);
  AppendBig32(chunk, height);
  chunk.insert(chunk.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, not interlaced
  AppendBig32(out, 13);
  out.insert(out.end(), chunk.begin(), chunk.end());
  AppendBig32(out, static_cast<uint32_t>(crc32(0, chunk.data(), static_cast<uInt>(chunk.size()))));
  out.insert(out.end(), {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
  return out;
}

// A 24-bit BMP of 8 x 8 pixels whose header claims the given width.
std::vector<uint8_t> Bmp(uint32_t claimedWidth) {
  std::vector<uint8_t> out = {'B', 'M'};
  platform::Append32(out, 54 + 8 * 8 * 3);
  platform::Append32(out, 0);
  platform::Append32(out, 54);
  platform::Append32(out, 40);
  platform::Append32(out, claimedWidth);
  platform::Append32(out, 8);
  platform::Append16(out, 1);
  platform::Append16(out, 24);
  for (int i = 0; i < 6; ++i) platform::Append32(out, 0);
  out.resize(out.size() + 8 * 8 * 3, 0x80);
  return out;
}

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

// The decoders allocate the whole picture before reading it: a header that
// claims more than a texture can hold is refused first.
TEST(ImageDecoderTest, AHeaderClaimingAHugePictureIsRefusedBeforeAnythingIsAllocated) {
  const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,  // an empty APP0 first
                                     0xFF, 0xC0, 0x00, 0x11, 0x08, 0x4E, 0x20, 0x4E, 0x20, 0x03, 0x01, 0x22, 0x00,
                                     0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xD9};
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    bool decodes;
  } cases[] = {
      {"the widest picture taken", Tga(platform::kMaxImageSide, 1, true), true},
      {"one pixel wider", Tga(platform::kMaxImageSide + 1, 1, true), false},
      {"a TGA of 20000 x 20000 in a header", Tga(20000, 20000, false), false},
      {"a TGA of 8000 x 8000 without its pixels", Tga(8000, 8000, false), false},
      {"a run-length TGA of 128 x 2 in two runs", RunLengthTga(128, 2, 2), true},
      {"a run-length TGA of 8000 x 8000 in two runs", RunLengthTga(8000, 8000, 2), false},
      {"a PNG of 20000 x 20000 in a header", PngHeader(20000, 20000), false},
      {"a JPEG of 20000 x 20000 in a header", jpeg, false},
      {"a BMP of 8 x 8 claiming 67 million across", Bmp(0x04000008), false},
      {"a BMP of 8 x 8", Bmp(8), true},
      {"a picture of no width", Tga(0, 8, false), false},
  };
  for (const auto& c : cases) {
    SdlAllocationWatch watch;
    platform::DecodedImage image;
    EXPECT_EQ(platform::DecodeImage(c.file.data(), c.file.size(), image), c.decodes) << c.what;
    EXPECT_LT(SdlAllocationWatch::Largest(), size_t{64} << 20) << c.what;
  }
}

}  // namespace

namespace {

// Each channel of each target texel: the mean of the source texels it
// covers, halves rounded up; for the halving steps between mipmap levels and
// for uneven sizes alike.
TEST(ImageDecoderTest, ResampleAveragesTheCoveredTexelsPerChannel) {
  struct Case {
    uint32_t width, height, targetWidth, targetHeight;
    std::vector<uint32_t> source, expected;
  };
  const Case cases[] = {
      // 2 x 2 blocks: (1 + 2 + 3 + 5) / 4 = 2.75 rounds to 3 in every channel.
      {4, 2, 2, 1,
       {0x01010101, 0x02020202, 0x10203040, 0x10203040, 0x03030303, 0x05050505, 0x10203040, 0x30405060},
       {0x03030303, 0x10203040 + 0x08080808}},
      // Two texels across: (0xFF + 0x00) / 2 = 127.5 rounds to 128.
      {2, 1, 1, 1, {0xFF00FF00, 0x00FF00FF}, {0x80808080}},
      // Two texels down.
      {1, 2, 1, 1, {0x00000001, 0x00000002}, {0x00000002}},
      // An uneven step: 3 x 1 to 1 x 1 averages all three.
      {3, 1, 1, 1, {0x00000003, 0x00000004, 0x00000008}, {0x00000005}},
      // Enlarging repeats texels.
      {1, 1, 2, 2, {0x11223344}, {0x11223344, 0x11223344, 0x11223344, 0x11223344}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " to " << c.targetWidth << " x "
                                    << c.targetHeight);
    EXPECT_EQ(platform::Resample(c.source, c.width, c.height, c.targetWidth, c.targetHeight), c.expected);
  }
}

}  // namespace
