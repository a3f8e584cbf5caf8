#include "platform/video/draw_dib.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libswscale/swscale.h>
}

#include "platform/gdi/gdi_internal.h"

namespace platform::vfw {
namespace {
// Bounds the source as GDI bounds DIB sections, and the scaled copy so that
// it stays well inside memory.
constexpr int64_t kMaxSourceSide = 16384;
constexpr int kMaxScaledSide = 4096;

bool Inside(const Area& area, int64_t width, int64_t height) {
  return area.x >= 0 && area.y >= 0 && area.width > 0 && area.height > 0 &&
         int64_t{area.x} + area.width <= width && int64_t{area.y} + area.height <= height;
}
}  // namespace

DrawDib::~DrawDib() { sws_freeContext(scaler_); }

bool DrawDib::Draw(gdi::Bitmap& target, const Area& to, const BITMAPINFOHEADER& header, const uint8_t* bits,
                   const Area& from) {
  const int64_t width = header.biWidth, height = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
  if (header.biBitCount != 32 || header.biCompression != BI_RGB || width <= 0 || width > kMaxSourceSide ||
      height <= 0 || height > kMaxSourceSide || !Inside(from, width, height) || to.width <= 0 || to.height <= 0 ||
      to.width > kMaxScaledSide || to.height > kMaxScaledSide) {
    return false;
  }
  Gather(header, bits, from);
  const bool scaled = from.width != to.width || from.height != to.height;
  if (scaled && !Scale(from, to)) return false;
  const std::vector<uint32_t>& pixels = scaled ? scaled_ : source_;
  // Only what falls inside the bitmap is written.
  const int64_t left = std::max(to.x, 0), right = std::min(int64_t{to.x} + to.width, int64_t{target.width});
  const int64_t top = std::max(to.y, 0), bottom = std::min(int64_t{to.y} + to.height, int64_t{target.height});
  for (int64_t y = top; y < bottom; ++y) {
    const uint32_t* row = pixels.data() + static_cast<size_t>(y - to.y) * to.width;
    std::transform(row + (left - to.x), row + (right - to.x), target.Row(static_cast<int>(y)) + left,
                   [](uint32_t pixel) { return pixel & 0xFFFFFFu; });
  }
  return true;
}

void DrawDib::Gather(const BITMAPINFOHEADER& header, const uint8_t* bits, const Area& from) {
  const bool bottomUp = header.biHeight > 0;
  const size_t height = static_cast<size_t>(bottomUp ? int64_t{header.biHeight} : -int64_t{header.biHeight});
  const size_t stride = static_cast<size_t>(header.biWidth) * 4;
  source_.resize(static_cast<size_t>(from.width) * from.height);
  for (int r = 0; r < from.height; ++r) {
    const size_t row = bottomUp ? height - 1 - (from.y + r) : from.y + r;
    std::memcpy(source_.data() + static_cast<size_t>(r) * from.width, bits + row * stride + from.x * 4u,
                static_cast<size_t>(from.width) * 4);
  }
}

bool DrawDib::Scale(const Area& from, const Area& to) {
  scaler_ = sws_getCachedContext(scaler_, from.width, from.height, AV_PIX_FMT_BGR0, to.width, to.height,
                                 AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler_) return false;
  scaled_.resize(static_cast<size_t>(to.width) * to.height);
  const uint8_t* source[4] = {reinterpret_cast<const uint8_t*>(source_.data()), nullptr, nullptr, nullptr};
  const int sourceStride[4] = {from.width * 4, 0, 0, 0};
  uint8_t* target[4] = {reinterpret_cast<uint8_t*>(scaled_.data()), nullptr, nullptr, nullptr};
  const int targetStride[4] = {to.width * 4, 0, 0, 0};
  return sws_scale(scaler_, source, sourceStride, 0, from.height, target, targetStride) == to.height;
}

}  // namespace platform::vfw

HDRAWDIB DrawDibOpen() { return new platform::vfw::DrawDib(); }

BOOL DrawDibClose(HDRAWDIB drawDib) {
  if (!drawDib) return FALSE;
  delete drawDib;
  return TRUE;
}

BOOL DrawDibDraw(HDRAWDIB drawDib, HDC dc, int xDst, int yDst, int dxDst, int dyDst, LPBITMAPINFOHEADER header,
                 LPVOID bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT) {
  HDC__* context = platform::gdi::LookupDC(dc);
  if (!drawDib || !context || !context->bitmap || !header || !bits) return FALSE;
  return drawDib->Draw(*context->bitmap, {xDst, yDst, dxDst, dyDst}, *header, static_cast<const uint8_t*>(bits),
                       {xSrc, ySrc, dxSrc, dySrc})
             ? TRUE
             : FALSE;
}
