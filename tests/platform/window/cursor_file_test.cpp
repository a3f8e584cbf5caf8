#include "platform/window/cursor_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "platform/codecs/little_endian.h"
#include "platform/cursor_fixtures.h"
#include "platform/window/win32.h"
#include "temp_folder.h"

namespace {

using cursor_fixtures::ArrowCursor;
using cursor_fixtures::kBitmapOffset;
using Bytes = std::vector<uint8_t>;

// The header's width and height fields (the height counts the mask rows too).
constexpr size_t kWidthField = kBitmapOffset + 4;
constexpr size_t kHeightField = kBitmapOffset + 8;

Bytes With32(Bytes bytes, size_t offset, uint32_t value) {
  platform::Store32(bytes.data() + offset, value);
  return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

TEST(CursorFileTest, OnlyWholeImagesOfACursorsSizePass) {
  const Bytes arrow = ArrowCursor();
  int x = 0, y = 0;
  ASSERT_TRUE(platform::CheckCursorFile(arrow.data(), arrow.size(), &x, &y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);

  Bytes wide = arrow;
  wide[6] = 0;  // the directory says 256 across, and so must the bitmap
  Bytes fourBit = arrow;
  fourBit[kBitmapOffset + 14] = 4;  // then 16 palette entries are missing
  const struct {
    const char* what;
    Bytes file;
  } refused[] = {
      {"a huge image claimed in a few bytes", Cut(With32(With32(arrow, kWidthField, 30000), kHeightField, 60000), 70)},
      {"a bitmap wider than its entry", With32(arrow, kWidthField, 3)},
      {"a bitmap without mask rows", With32(arrow, kHeightField, 2)},
      {"a negative height", With32(arrow, kHeightField, 0xFFFFFFFCu)},
      {"an entry of 256 with a bitmap of 2", wide},
      {"a palette past the image", fourBit},
      {"an image past the end of the file", Cut(arrow, arrow.size() - 1)},
      {"an offset past the end of the file", With32(arrow, 18, 0xFFFFFFF0u)},
      {"an image size past the end of the file", With32(arrow, 14, 0xFFFFFFF0u)},
      {"an image smaller than its header", With32(arrow, 14, 39)},
      {"a compressed bitmap", With32(arrow, kBitmapOffset + 16, 1)},
      {"an icon", With32(arrow, 0, 0x00010000u)},
      {"no image", Cut(With32(arrow, 2, 2), 6)},
      {"a directory cut short", Cut(arrow, 21)},
      {"nothing", Bytes()},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(platform::CheckCursorFile(c.file.data(), c.file.size(), &x, &y)) << c.what;
  }
}

TEST(CursorFileTest, ACursorClaimingAHugeImageIsRefusedBeforeDecoding) {
  TempFolder folder;
  const std::string path = (folder.Path() / "huge.cur").string();
  const Bytes huge = Cut(With32(With32(ArrowCursor(), kWidthField, 30000), kHeightField, 60000), 70);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(huge.data()),
                                              static_cast<std::streamsize>(huge.size()));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
