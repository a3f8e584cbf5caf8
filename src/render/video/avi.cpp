#include "render/video/avi.h"

#include <algorithm>
#include <cmath>

#include "core/files/vfs.h"
#include "core/frame_timer.h"
#include "core/log.h"

AviImage::AviImage() {
  width_ = 0;
  height_ = 0;
  dc_ = CreateCompatibleDC(nullptr);
}

AviImage::~AviImage() {
  Close();
  DeleteDC(dc_);
}

bool AviImage::Load(const std::string& name) {
  Close();
  name_ = name;
  const std::string path = vfs::GetVFS().GetFilePath(name);
  if (path.empty()) {
    LOG_LINE(MSG_WARNING, "Unable to find AVI " + name);
    return false;
  }
  if (!OpenStream(path, name)) return false;
  frameReader_ = AVIStreamGetFrameOpen(stream_, nullptr);
  if (!frameReader_) {
    LOG_LINE(MSG_ERROR, "Unable to open frame from " + name);
    return false;
  }
  countdown_ = static_cast<float>(frameTime_) * 0.001f;
  currentFrame_ = 0;
  paused_ = 0;
  if (!CreateTexture()) return false;
  playing_ = 1;
  // The first frame shows from the start; if it cannot be read, Update
  // finds out when the clip comes back round to it.
  ShowFrame(0);
  CopyFrame();
  return true;
}

bool AviImage::OpenStream(const std::string& path, const std::string& name) {
  drawDib_ = DrawDibOpen();
  AVIFileInit();
  libraryOpen_ = true;
  LONG length = 0;
  if (AVIStreamOpenFromFileA(&stream_, path.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr) == AVIERR_OK &&
      AVIStreamInfoA(stream_, &info_, sizeof info_) == AVIERR_OK) {
    width_ = static_cast<uint32_t>(info_.rcFrame.right - info_.rcFrame.left);
    height_ = static_cast<uint32_t>(info_.rcFrame.bottom - info_.rcFrame.top);
    length = AVIStreamLength(stream_);
  }
  // A stream without frames has no frame time to play by.
  if (length <= 0 || !CreateDib()) {
    LOG_LINE(MSG_ERROR, "Unable to load Video " + name);
    return false;
  }
  frameCount_ = static_cast<uint32_t>(length);
  // Under a whole millisecond a frame (over 1000 frames a second, or no
  // duration at all) would never let the countdown rise above zero.
  frameTime_ = static_cast<uint32_t>(std::max<LONG>(1, AVIStreamSampleToTime(stream_, length) / length));
  return true;
}

bool AviImage::CreateDib() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width_);
  info.bmiHeader.biHeight = static_cast<LONG>(height_);  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dib_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &dibPixels_, nullptr, 0);
  if (!dib_) return false;
  SelectObject(dc_, dib_);
  return true;
}

void AviImage::ReleaseDib() {
  if (!dib_) return;
  // GDI keeps a selected bitmap: the context goes first and a fresh one
  // takes its place.
  DeleteDC(dc_);
  dc_ = CreateCompatibleDC(nullptr);
  DeleteObject(dib_);
  dib_ = nullptr;
  dibPixels_ = nullptr;
}

void AviImage::Close() {
  playing_ = 0;
  ReleaseDib();
  if (drawDib_) DrawDibClose(drawDib_);
  drawDib_ = nullptr;
  if (frameReader_) AVIStreamGetFrameClose(frameReader_);
  frameReader_ = nullptr;
  if (stream_) AVIStreamRelease(stream_);
  stream_ = nullptr;
  if (libraryOpen_) AVIFileExit();
  libraryOpen_ = false;
}

bool AviImage::Update() {
  if (paused_ || !playing_) return false;
  countdown_ -= GetFrameTimer().frameDelta;
  if (countdown_ > 0.0f) return false;
  const bool ended = StepFrames();
  if (!ShowFrame(currentFrame_)) {
    LOG_LINE(MSG_WARNING, "Illegal AVI frame found.. pausing movie");
    paused_ = 1;
    return false;
  }
  CopyFrame();
  return ended;
}

bool AviImage::StepFrames() {
  // One frame for reaching zero, and one more for each whole frame time the
  // countdown lies below it (a long frame skips several). Counted at once
  // rather than a frame at a time, so no elapsed time can stall the loop.
  const double period = frameTime_ * 0.001;
  double behind = -static_cast<double>(countdown_);
  if (!std::isfinite(behind)) behind = 0.0;
  double steps = 1.0 + std::floor(behind / period);
  countdown_ = static_cast<float>(period - std::fmod(behind, period));
  // Beyond a whole clip only the position within it matters.
  if (steps > frameCount_) steps = frameCount_ + std::fmod(steps, static_cast<double>(frameCount_));
  const uint64_t next = currentFrame_ + static_cast<uint64_t>(steps);
  if (next < frameCount_) {
    currentFrame_ = static_cast<uint32_t>(next);
    return false;
  }
  currentFrame_ = loop_ ? static_cast<uint32_t>(next % frameCount_) : frameCount_ - 1;
  return true;
}

bool AviImage::ShowFrame(uint32_t position) {
  auto* header = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(frameReader_, static_cast<LONG>(position)));
  if (!header) return false;
  void* bits = reinterpret_cast<uint8_t*>(header) + header->biSize + header->biClrUsed * sizeof(RGBQUAD);
  const int width = static_cast<int>(width_), height = static_cast<int>(height_);
  DrawDibDraw(drawDib_, dc_, 0, 0, width, height, header, bits, 0, 0, width, height, 0);
  return true;
}
