// Decodes the frames of an AVI stream into one packed 32-bit DIB, through
// libavcodec and libswscale. Behind the PGETFRAME handle of
// platform/video/vfw.h; not for engine code.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/video/vfw.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace platform::vfw {

class FrameDecoder {
 public:
  // Null when no decoder knows the stream's codec. Holds a reference to the stream.
  static FrameDecoder* Open(AviStream* stream);
  ~FrameDecoder();
  FrameDecoder(const FrameDecoder&) = delete;
  FrameDecoder& operator=(const FrameDecoder&) = delete;

  // The packed DIB of the frame; null outside the stream or when the frame
  // cannot be decoded.
  BITMAPINFOHEADER* FrameAt(LONG position);

 private:
  explicit FrameDecoder(AviStream* stream);
  bool OpenCodec();
  // What the next decoder output or packet says of frame `position`.
  enum class Step { kFound, kMissing, kGoOn };
  Step ReceiveFrame(int64_t position);
  Step SendPacket(int64_t position);
  bool Convert(const AVFrame& frame);
  BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(dib_.data()); }
  uint32_t* Pixels() { return dib_.data() + sizeof(BITMAPINFOHEADER) / 4; }

  AviStream* stream_;
  AVCodecContext* codec_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* scaler_ = nullptr;
  bool intraOnly_ = false;  // every frame decodes on its own: earlier ones can be skipped
  bool draining_ = false;   // the end of the file has been handed to the decoder
  int64_t next_ = 0;        // frame of the next packet read (at most that, after a seek)
  int64_t shown_ = -1;      // frame the DIB holds
  std::vector<uint32_t> dib_;
  std::vector<uint32_t> scratch_;  // one frame, rows from the top
};

}  // namespace platform::vfw
