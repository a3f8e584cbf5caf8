// A video image: the video stream of an AVI file played frame by frame into
// a texture of the image's own. Frames are decoded into a 32-bit DIB section
// and copied from there into the texture by the device part (Dx8AviImage).
// The owner calls Update once a frame; the clip loops unless told not to.
#pragma once
#include <cstdint>
#include <string>

#include "platform/video/vfw.h"
#include "render/device/image.h"

class AviImage : public Image {
 public:
  static constexpr uint32_t kType = 0x00617669;  // "avi"

  AviImage();
  ~AviImage() override;

  // Opens the file from disk (never from the archive), makes the texture
  // and shows the first frame. False, logged, when any step fails.
  bool Load(const std::string& name) override;
  // Moves the clip on by the frame clock's time; true when it reached its
  // end during this call. A frame that cannot be read pauses the clip for good.
  bool Update() override;
  virtual uint32_t GetType() const { return kType; }

  uint32_t GetCurrentFrame() const { return currentFrame_; }
  uint32_t GetFrameCount() const { return frameCount_; }
  // Whole milliseconds a frame stays, at least 1.
  uint32_t GetFrameTime() const { return frameTime_; }
  bool IsPlaying() const { return playing_ != 0; }
  bool IsPaused() const { return paused_ != 0; }
  bool IsLooping() const { return loop_ != 0; }
  void SetLoop(bool loop) { loop_ = loop ? 1 : 0; }

 protected:
  // Copies the DIB into the texture.
  virtual void CopyFrame() = 0;
  // False (logged, the video closed) when the texture cannot be made.
  virtual bool CreateTexture() = 0;

  // Releases the DIB, DrawDib, frame reader, stream and library, each only if open.
  void Close();
  // The DIB's pixels, 0x00RRGGBB, rows bottom-up; null before loading.
  const uint32_t* FramePixels() const { return static_cast<const uint32_t*>(dibPixels_); }

 private:
  bool OpenStream(const std::string& path, const std::string& name);
  bool CreateDib();
  void ReleaseDib();
  // Draws frame `position` into the DIB; false when it cannot be read.
  bool ShowFrame(uint32_t position);
  // Steps the frames the countdown has run past; true when one reached the end.
  bool StepFrames();

  PAVISTREAM stream_ = nullptr;
  AVISTREAMINFOA info_{};
  PGETFRAME frameReader_ = nullptr;
  HDRAWDIB drawDib_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  void* dibPixels_ = nullptr;
  bool libraryOpen_ = false;
  uint32_t frameCount_ = 0;
  uint32_t frameTime_ = 0;
  uint32_t currentFrame_ = 0;
  float countdown_ = 0.0f;
  uint8_t paused_ = 0;
  uint8_t playing_ = 0;
  uint8_t loop_ = 1;
};
