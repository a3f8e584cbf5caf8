// AVI files through the video layer as a video image plays them: the stream
// opened and described, a frame reader made, frames read forwards, again
// after a jump back, and each drawn into a DIB section at another size.
#include "avi_writer.h"
#include "fuzz_target.h"
#include "platform/video/vfw.h"

namespace {

// Enough frames to cross a damaged one and come back, few enough to stay quick.
constexpr LONG kFramesRead = 12;

// Reads the frame and draws it at another size; nothing for a frame that cannot be read.
void Show(PGETFRAME reader, LONG position, HDRAWDIB drawDib, HDC dc, const AVISTREAMINFOA& info) {
  auto* header = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(reader, position));
  if (!header) return;
  void* bits = reinterpret_cast<uint8_t*>(header) + header->biSize + header->biClrUsed * sizeof(RGBQUAD);
  const int width = info.rcFrame.right - info.rcFrame.left, height = info.rcFrame.bottom - info.rcFrame.top;
  DrawDibDraw(drawDib, dc, 0, 0, 24, 18, header, bits, 0, 0, width, height, 0);
}

void Play(PAVISTREAM stream, HDRAWDIB drawDib, HDC dc) {
  AVISTREAMINFOA info{};
  if (AVIStreamInfoA(stream, &info, sizeof info) != AVIERR_OK) return;
  const LONG length = AVIStreamLength(stream);
  AVIStreamSampleToTime(stream, length);
  PGETFRAME reader = AVIStreamGetFrameOpen(stream, nullptr);
  if (!reader) return;
  const LONG last = length < kFramesRead ? length : kFramesRead;
  for (LONG i = 0; i < last; ++i) Show(reader, i, drawDib, dc, info);
  Show(reader, last / 2, drawDib, dc, info);  // back
  Show(reader, length, drawDib, dc, info);    // past the end
  AVIStreamGetFrameClose(reader);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("input.avi", data, size);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, 20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  SelectObject(dc, section);
  HDRAWDIB drawDib = DrawDibOpen();
  AVIFileInit();
  PAVISTREAM stream = nullptr;
  if (AVIStreamOpenFromFileA(&stream, path.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr) == AVIERR_OK) {
    Play(stream, drawDib, dc);
    AVIStreamRelease(stream);
  }
  AVIFileExit();
  DrawDibClose(drawDib);
  DeleteDC(dc);
  DeleteObject(section);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  avi_writer::Clip clip = avi_writer::SolidFrames(10, 6, 6, {0xFF0000, 0x00FF00, 0x0000FF});
  seeds.Add("plain.avi", avi_writer::Write(clip));
  clip.damagedFrame = 2;
  seeds.Add("damaged.avi", avi_writer::Write(clip));
  clip.damagedFrame = -1;
  clip.video = false;
  seeds.Add("sound.avi", avi_writer::Write(clip));
}
