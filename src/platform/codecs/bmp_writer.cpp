#include "platform/codecs/bmp_writer.h"

#include <cstdio>
#include <vector>

#include "platform/codecs/little_endian.h"

namespace platform {

bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const uint32_t* pixels) {
  if (width == 0 || height == 0 || !pixels) return false;
  const uint64_t rowSize = (uint64_t{width} * 3 + 3) & ~uint64_t{3};  // rows are padded to four bytes
  // The file's size fields are 32 bits wide.
  if (54 + rowSize * height > UINT32_MAX) return false;
  const uint32_t imageSize = static_cast<uint32_t>(rowSize * height);
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  Append32(out, 54 + imageSize);
  Append32(out, 0);
  Append32(out, 54);
  Append32(out, 40);  // BITMAPINFOHEADER
  Append32(out, width);
  Append32(out, height);  // positive: rows stored from the bottom
  Append16(out, 1);
  Append16(out, 24);
  Append32(out, 0);  // uncompressed
  Append32(out, imageSize);
  Append32(out, 2835);  // 72 dots per inch
  Append32(out, 2835);
  Append32(out, 0);
  Append32(out, 0);
  for (uint32_t row = height; row-- > 0;) {
    const uint32_t* line = pixels + static_cast<size_t>(row) * width;
    for (uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<uint8_t>(line[x]));
      out.push_back(static_cast<uint8_t>(line[x] >> 8));
      out.push_back(static_cast<uint8_t>(line[x] >> 16));
    }
    out.resize(out.size() + (rowSize - uint64_t{width} * 3), 0);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace platform
