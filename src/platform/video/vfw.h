// The AVIFile and DrawDib calls the engine makes, on FFmpeg (libavformat,
// libavcodec, libswscale): video streams of AVI files, decoded frame by
// frame into packed 32-bit DIBs, and those DIBs drawn into the DIB section
// of a memory device context (platform/gdi/gdi_font.h). Only what the engine
// calls is declared.
//
// A file opens only when it is an AVI whose index holds every frame its
// stream header counts, inside the file: a truncated file is refused at
// open rather than found out frame by frame. Frames larger than 4096 pixels
// a side are refused. Decoding happens on the calling thread.
#pragma once
#include <cstdint>

#include "platform/d3dx/hresult.h"
#include "platform/gdi/gdi_font.h"
#include "platform/window/win32.h"

namespace platform::vfw {
class AviStream;
class FrameDecoder;
class DrawDib;
}  // namespace platform::vfw

typedef platform::vfw::AviStream* PAVISTREAM;
typedef platform::vfw::FrameDecoder* PGETFRAME;
typedef platform::vfw::DrawDib* HDRAWDIB;
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;
typedef void* LPVOID;
typedef uint32_t FOURCC;
typedef uint32_t ULONG;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<uint8_t>(a)) | (static_cast<FOURCC>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<FOURCC>(static_cast<uint8_t>(c)) << 16) | (static_cast<FOURCC>(static_cast<uint8_t>(d)) << 24);
}
constexpr FOURCC streamtypeVIDEO = mmioFOURCC('v', 'i', 'd', 's');
constexpr UINT OF_READ = 0;

// Result codes; the values are the platform's.
constexpr HRESULT MakeAviError(uint32_t code) { return static_cast<HRESULT>(0x80044000u + code); }
constexpr HRESULT AVIERR_OK = 0;
constexpr HRESULT AVIERR_BADFORMAT = MakeAviError(102);
constexpr HRESULT AVIERR_MEMORY = MakeAviError(103);
constexpr HRESULT AVIERR_BADPARAM = MakeAviError(106);
constexpr HRESULT AVIERR_BADHANDLE = MakeAviError(108);
constexpr HRESULT AVIERR_FILEOPEN = MakeAviError(111);
constexpr HRESULT AVIERR_NODATA = MakeAviError(115);
constexpr HRESULT AVIERR_ERROR = MakeAviError(199);

struct AVISTREAMINFOA {
  DWORD fccType;
  DWORD fccHandler;
  DWORD dwFlags;
  DWORD dwCaps;
  WORD wPriority;
  WORD wLanguage;
  DWORD dwScale;  // dwRate / dwScale = frames per second
  DWORD dwRate;
  DWORD dwStart;
  DWORD dwLength;  // frames
  DWORD dwInitialFrames;
  DWORD dwSuggestedBufferSize;
  DWORD dwQuality;
  DWORD dwSampleSize;
  RECT rcFrame;
  DWORD dwEditCount;
  DWORD dwFormatChangeCount;
  char szName[64];
};

// The library is usable between AVIFileInit and the matching AVIFileExit;
// the calls nest.
void AVIFileInit();
void AVIFileExit();

// Opens the `stream`-th stream of type `type` (streamtypeVIDEO only) of the
// file for reading; the handler must be null. AVIERR_FILEOPEN for a file
// that is not a whole AVI, AVIERR_NODATA when it has no such stream,
// AVIERR_BADFORMAT for a frame size out of range.
HRESULT AVIStreamOpenFromFileA(PAVISTREAM* stream, LPCSTR file, DWORD type, LONG stream_number, UINT mode,
                               void* handler);
// Releases one reference; answers those left.
ULONG AVIStreamRelease(PAVISTREAM stream);
HRESULT AVIStreamInfoA(PAVISTREAM stream, AVISTREAMINFOA* info, LONG size);
// Frames in the stream; -1 for a bad handle.
LONG AVIStreamLength(PAVISTREAM stream);
// Milliseconds from the stream's start to the sample, truncated; -1 for a
// bad handle.
LONG AVIStreamSampleToTime(PAVISTREAM stream, LONG sample);

// A frame reader on the stream (it holds a reference to it). Frames always
// come as 32-bit BI_RGB whatever format is asked. Null when no decoder
// knows the stream's codec.
PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER wanted);
// Frame `position` as a packed DIB (the 40-byte header, then bottom-up rows
// of 0x00RRGGBB pixels), valid until the reader's next call; null for a
// position outside the stream or a frame that cannot be decoded. Reading
// goes forward, seeking back when the position goes backwards.
LPVOID AVIStreamGetFrame(PGETFRAME reader, LONG position);
HRESULT AVIStreamGetFrameClose(PGETFRAME reader);

HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB drawDib);
// Copies the source rectangle of a 32-bit BI_RGB DIB (coordinates from its
// top row) into the destination rectangle of the bitmap selected into the
// memory device context, rows upright, scaled when the sizes differ; what
// falls outside the bitmap is left out. FALSE for a bad handle, a source of
// another format or a rectangle outside the source.
BOOL DrawDibDraw(HDRAWDIB drawDib, HDC dc, int xDst, int yDst, int dxDst, int dyDst, LPBITMAPINFOHEADER header,
                 LPVOID bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT flags);
