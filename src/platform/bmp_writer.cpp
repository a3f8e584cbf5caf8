#include "platform/bmp_writer.h"

#include <cstdio>
#include <vector>

namespace platform {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const uint32_t* pixels) {
  if (width == 0 || height == 0 || width > 65535 || height > 65535 || !pixels) return false;
  const uint32_t rowSize = (width * 3 + 3) & ~3u;  // rows are padded to four bytes
  const uint32_t imageSize = rowSize * height;
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);  // BITMAPINFOHEADER
  Put32(out, width);
  Put32(out, height);  // positive: rows stored from the bottom
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // uncompressed
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (uint32_t row = height; row-- > 0;) {
    const uint32_t* line = pixels + static_cast<size_t>(row) * width;
    for (uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<uint8_t>(line[x]));
      out.push_back(static_cast<uint8_t>(line[x] >> 8));
      out.push_back(static_cast<uint8_t>(line[x] >> 16));
    }
    out.resize(out.size() + (rowSize - width * 3), 0);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace platform
