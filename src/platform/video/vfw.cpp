// The AVIFile calls: streams and frame readers behind their handles.
#include "platform/video/vfw.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/log.h>
}

#include "platform/video/avi_frame_decoder.h"
#include "platform/video/avi_stream.h"
#include "platform/video/vfw_testing.h"

namespace {
int initDepth = 0;
}  // namespace

void AVIFileInit() {
  // The engine reports its own failures; FFmpeg's remarks on damaged files
  // would only clutter the console.
  if (initDepth++ == 0) av_log_set_level(AV_LOG_QUIET);
}

void AVIFileExit() {
  if (initDepth > 0) --initDepth;
}

HRESULT AVIStreamOpenFromFileA(PAVISTREAM* stream, LPCSTR file, DWORD type, LONG number, UINT mode,
                               void* handler) {
  if (!stream) return AVIERR_BADPARAM;
  *stream = nullptr;
  if (!file || type != streamtypeVIDEO || number < 0 || mode != OF_READ || handler) return AVIERR_BADPARAM;
  if (initDepth == 0) return AVIERR_ERROR;
  return platform::vfw::AviStream::Open(file, number, stream);
}

ULONG AVIStreamRelease(PAVISTREAM stream) { return stream ? stream->Release() : 0; }

HRESULT AVIStreamInfoA(PAVISTREAM stream, AVISTREAMINFOA* info, LONG size) {
  if (!stream) return AVIERR_BADHANDLE;
  if (!info || size < 0) return AVIERR_BADPARAM;
  std::memcpy(info, &stream->Info(), std::min<size_t>(static_cast<size_t>(size), sizeof(AVISTREAMINFOA)));
  return AVIERR_OK;
}

LONG AVIStreamLength(PAVISTREAM stream) { return stream ? stream->Length() : -1; }

LONG AVIStreamSampleToTime(PAVISTREAM stream, LONG sample) { return stream ? stream->SampleToTime(sample) : -1; }

PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER) {
  return stream ? platform::vfw::FrameDecoder::Open(stream) : nullptr;
}

LPVOID AVIStreamGetFrame(PGETFRAME reader, LONG position) { return reader ? reader->FrameAt(position) : nullptr; }

HRESULT AVIStreamGetFrameClose(PGETFRAME reader) {
  if (!reader) return AVIERR_BADHANDLE;
  delete reader;
  return AVIERR_OK;
}

namespace platform::testing {
int AviFileInitDepth() { return initDepth; }
}  // namespace platform::testing
