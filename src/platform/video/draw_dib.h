// Copies and scales 32-bit DIBs into GDI bitmaps through libswscale. Behind
// the HDRAWDIB handle of platform/video/vfw.h; not for engine code.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/video/vfw.h"

struct SwsContext;

namespace platform::gdi {
struct Bitmap;
}

namespace platform::vfw {

// A source or destination rectangle: left, top (counted from the top row), width, height.
struct Area {
  int x, y, width, height;
};

class DrawDib {
 public:
  DrawDib() = default;
  ~DrawDib();
  DrawDib(const DrawDib&) = delete;
  DrawDib& operator=(const DrawDib&) = delete;

  // False for a source that is not 32-bit BI_RGB or a rectangle outside it.
  bool Draw(gdi::Bitmap& target, const Area& to, const BITMAPINFOHEADER& header, const uint8_t* bits,
            const Area& from);

 private:
  // The source rectangle, rows from the top.
  void Gather(const BITMAPINFOHEADER& header, const uint8_t* bits, const Area& from);
  bool Scale(const Area& from, const Area& to);

  SwsContext* scaler_ = nullptr;
  std::vector<uint32_t> source_;
  std::vector<uint32_t> scaled_;
};

}  // namespace platform::vfw
