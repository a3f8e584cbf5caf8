#include "platform/video/avi_frame_decoder.h"

#include <algorithm>
#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "platform/video/avi_stream.h"

namespace platform::vfw {

FrameDecoder* FrameDecoder::Open(AviStream* stream) {
  auto* decoder = new FrameDecoder(stream);
  if (!decoder->OpenCodec()) {
    delete decoder;
    return nullptr;
  }
  return decoder;
}

FrameDecoder::FrameDecoder(AviStream* stream) : stream_(stream) {
  stream_->AddRef();
  const uint32_t width = stream_->Width(), height = stream_->Height();
  const size_t pixels = static_cast<size_t>(width) * height;
  dib_.assign(sizeof(BITMAPINFOHEADER) / 4 + pixels, 0);
  scratch_.assign(pixels, 0);
  BITMAPINFOHEADER* header = new (dib_.data()) BITMAPINFOHEADER{};
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = static_cast<LONG>(width);
  header->biHeight = static_cast<LONG>(height);
  header->biPlanes = 1;
  header->biBitCount = 32;
  header->biCompression = BI_RGB;
  header->biSizeImage = static_cast<DWORD>(pixels * 4);
}

FrameDecoder::~FrameDecoder() {
  sws_freeContext(scaler_);
  av_packet_free(&packet_);
  av_frame_free(&frame_);
  avcodec_free_context(&codec_);
  stream_->Release();
}

bool FrameDecoder::OpenCodec() {
  const AVStream& stream = stream_->Stream();
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  if (!codec) return false;
  codec_ = avcodec_alloc_context3(codec);
  frame_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  if (!codec_ || !frame_ || !packet_ || avcodec_parameters_to_context(codec_, stream.codecpar) < 0) return false;
  codec_->thread_count = 1;  // the engine starts no thread of its own
  codec_->pkt_timebase = stream.time_base;
  const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec->id);
  intraOnly_ = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
  return avcodec_open2(codec_, codec, nullptr) == 0;
}

BITMAPINFOHEADER* FrameDecoder::FrameAt(LONG position) {
  if (position < 0 || position >= stream_->Length()) return nullptr;
  if (position == shown_) return Header();
  if (position < next_) {
    if (!stream_->SeekBefore(position)) return nullptr;
    avcodec_flush_buffers(codec_);
    draining_ = false;
    next_ = position;
  }
  // Each turn takes a decoded frame or hands the decoder one more packet;
  // the file is finite, so the loop ends.
  for (;;) {
    Step step = ReceiveFrame(position);
    if (step == Step::kGoOn) step = SendPacket(position);
    if (step == Step::kFound) return Header();
    if (step == Step::kMissing) return nullptr;
  }
}

FrameDecoder::Step FrameDecoder::ReceiveFrame(int64_t position) {
  int result = avcodec_receive_frame(codec_, frame_);
  if (result == AVERROR(EAGAIN)) return Step::kGoOn;
  if (result < 0) return Step::kMissing;
  int64_t at = frame_->best_effort_timestamp != AV_NOPTS_VALUE ? frame_->best_effort_timestamp : frame_->pts;
  Step step = Step::kGoOn;
  if (at == position) {
    step = Convert(*frame_) ? Step::kFound : Step::kMissing;
    if (step == Step::kFound) shown_ = position;
  } else if (at > position) {
    step = Step::kMissing;
  }
  av_frame_unref(frame_);
  return step;
}

FrameDecoder::Step FrameDecoder::SendPacket(int64_t position) {
  if (draining_) return Step::kMissing;
  if (!stream_->ReadPacket(packet_)) {
    // The end of the file: the decoder gives up what it still holds.
    draining_ = true;
    avcodec_send_packet(codec_, nullptr);
    return Step::kGoOn;
  }
  if (packet_->pts == AV_NOPTS_VALUE) packet_->pts = next_;
  const int64_t at = packet_->pts;
  next_ = at + 1;
  Step step = Step::kGoOn;
  if (intraOnly_ && at > position) {
    step = Step::kMissing;  // the frame asked for has no packet of its own
  } else if (!intraOnly_ || at == position) {
    if (avcodec_send_packet(codec_, packet_) < 0 && at >= position) step = Step::kMissing;
  }
  av_packet_unref(packet_);
  return step;
}

bool FrameDecoder::Convert(const AVFrame& frame) {
  if (frame.width <= 0 || frame.height <= 0 || frame.format < 0) return false;
  const int width = static_cast<int>(stream_->Width()), height = static_cast<int>(stream_->Height());
  scaler_ = sws_getCachedContext(scaler_, frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), width,
                                 height, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler_) return false;
  uint8_t* target[4] = {reinterpret_cast<uint8_t*>(scratch_.data()), nullptr, nullptr, nullptr};
  int targetStride[4] = {width * 4, 0, 0, 0};
  if (sws_scale(scaler_, frame.data, frame.linesize, 0, frame.height, target, targetStride) != height) return false;
  // The DIB keeps its rows bottom-up, its pixels 0x00RRGGBB.
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = scratch_.data() + static_cast<size_t>(y) * width;
    uint32_t* to = Pixels() + static_cast<size_t>(height - 1 - y) * width;
    std::transform(from, from + width, to, [](uint32_t pixel) { return pixel & 0xFFFFFFu; });
  }
  return true;
}

}  // namespace platform::vfw
