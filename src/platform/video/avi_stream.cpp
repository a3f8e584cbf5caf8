#include "platform/video/avi_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

extern "C" {
#include <libavformat/avformat.h>
}

namespace platform::vfw {
namespace {
// Keeps a frame's DIB, and everything sized from it, well inside memory.
constexpr int kMaxSide = 4096;
}  // namespace

HRESULT AviStream::Open(const std::string& path, LONG number, AviStream** out) {
  *out = nullptr;
  auto* stream = new AviStream();
  HRESULT result = AVIERR_FILEOPEN;
  if (avformat_open_input(&stream->format_, path.c_str(), av_find_input_format("avi"), nullptr) == 0) {
    result = stream->Describe(number);
  }
  if (FAILED(result)) {
    stream->Release();
    return result;
  }
  *out = stream;
  return AVIERR_OK;
}

AviStream::~AviStream() { avformat_close_input(&format_); }

ULONG AviStream::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT AviStream::Describe(LONG number) {
  LONG seen = 0;
  for (unsigned i = 0; i < format_->nb_streams && !stream_; ++i) {
    if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && seen++ == number) {
      stream_ = format_->streams[i];
    }
  }
  if (!stream_) return AVIERR_NODATA;
  const AVCodecParameters& codec = *stream_->codecpar;
  if (codec.width <= 0 || codec.height <= 0 || codec.width > kMaxSide || codec.height > kMaxSide ||
      stream_->time_base.num <= 0 || stream_->time_base.den <= 0) {
    return AVIERR_BADFORMAT;
  }
  // The demuxer counts time in frames of the stream: one tick is one frame.
  int64_t frames = stream_->nb_frames > 0 ? stream_->nb_frames
                                          : (stream_->duration != AV_NOPTS_VALUE ? stream_->duration : 0);
  if (frames < 0 || frames > INT_MAX) return AVIERR_BADFORMAT;
  if (!IndexHoldsEveryFrame(frames)) return AVIERR_FILEOPEN;
  start_ = stream_->start_time != AV_NOPTS_VALUE ? stream_->start_time : 0;

  info_.fccType = streamtypeVIDEO;
  info_.fccHandler = codec.codec_tag;
  info_.dwScale = static_cast<DWORD>(stream_->time_base.num);
  info_.dwRate = static_cast<DWORD>(stream_->time_base.den);
  info_.dwLength = static_cast<DWORD>(frames);
  info_.dwQuality = 0xFFFFFFFFu;
  info_.rcFrame = RECT{0, 0, codec.width, codec.height};
  return AVIERR_OK;
}

bool AviStream::IndexHoldsEveryFrame(int64_t frames) const {
  const int entries = avformat_index_get_entries_count(stream_);
  if (entries < frames) return false;
  const int64_t fileSize = avio_size(format_->pb);
  for (int i = 0; i < entries; ++i) {
    const AVIndexEntry* entry = avformat_index_get_entry(stream_, i);
    if (!entry || entry->pos < 0 || entry->pos + entry->size > fileSize) return false;
  }
  return true;
}

LONG AviStream::SampleToTime(LONG sample) const {
  if (sample < 0) return -1;
  int64_t ms = av_rescale_rnd(sample, 1000LL * stream_->time_base.num, stream_->time_base.den, AV_ROUND_DOWN);
  return static_cast<LONG>(std::min<int64_t>(ms, INT_MAX));
}

bool AviStream::ReadPacket(AVPacket* packet) {
  while (av_read_frame(format_, packet) >= 0) {
    if (packet->stream_index == stream_->index) {
      if (packet->pts != AV_NOPTS_VALUE) packet->pts -= start_;
      if (packet->dts != AV_NOPTS_VALUE) packet->dts -= start_;
      return true;
    }
    av_packet_unref(packet);
  }
  return false;
}

bool AviStream::SeekBefore(int64_t frame) {
  return av_seek_frame(format_, stream_->index, frame + start_, AVSEEK_FLAG_BACKWARD) >= 0;
}

}  // namespace platform::vfw
