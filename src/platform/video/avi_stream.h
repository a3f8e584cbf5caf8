// One video stream of an AVI file, read through libavformat: its
// description, its packets in file order and seeking back. Behind the
// PAVISTREAM handle of platform/video/vfw.h; not for engine code.
#pragma once
#include <cstdint>
#include <string>

#include "platform/video/vfw.h"

struct AVFormatContext;
struct AVStream;
struct AVPacket;

namespace platform::vfw {

class AviStream {
 public:
  // The `number`-th video stream of the file at `path`, with one reference.
  static HRESULT Open(const std::string& path, LONG number, AviStream** out);
  AviStream(const AviStream&) = delete;
  AviStream& operator=(const AviStream&) = delete;

  void AddRef() { ++references_; }
  // Deletes the stream with its last reference; answers those left.
  ULONG Release();

  const AVISTREAMINFOA& Info() const { return info_; }
  LONG Length() const { return static_cast<LONG>(info_.dwLength); }
  LONG SampleToTime(LONG sample) const;
  const AVStream& Stream() const { return *stream_; }
  uint32_t Width() const { return static_cast<uint32_t>(info_.rcFrame.right); }
  uint32_t Height() const { return static_cast<uint32_t>(info_.rcFrame.bottom); }

  // The stream's next packet in file order, its timestamps counted in frames
  // from the stream's first; false at the end of the file or on a read error.
  bool ReadPacket(AVPacket* packet);
  // Reading goes on from a key frame at or before `frame`.
  bool SeekBefore(int64_t frame);

 private:
  AviStream() = default;
  ~AviStream();
  HRESULT Describe(LONG number);
  bool IndexHoldsEveryFrame(int64_t frames) const;

  AVFormatContext* format_ = nullptr;
  AVStream* stream_ = nullptr;
  int64_t start_ = 0;  // timestamp of the first frame
  AVISTREAMINFOA info_{};
  ULONG references_ = 1;
};

}  // namespace platform::vfw
