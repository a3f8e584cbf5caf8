// The platform-independent half of the application frame: names, window
// size, run flags and one main-loop step.
#pragma once
#include <cstdint>
#include <string>

namespace vfs {
class VFS;
}

class Application {
 public:
  // Application events handed to OnEvent.
  enum Event : int {
    kFocusGained = 0,
    kFocusLost = 1,
    kWindowCreated = 2,
    kQuit = 3,
    kMinimised = 4,
    kMaximised = 5,
    kSizeChanged = 6,
    kFilesDropped = 7,
  };

  Application(const std::string& configFileName, const std::string& logFileName);
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  virtual bool Init() = 0;
  virtual bool Shutdown() = 0;
  virtual bool Update() = 0;
  virtual bool InitWindow(const std::string& title, uint32_t width, uint32_t height) = 0;
  virtual bool IsWindowed() = 0;  // no caller; keeps the frame's slot order
  virtual bool OnEvent(int code, intptr_t a, intptr_t b);
  virtual bool Tick();
  virtual void Quit() {}
  virtual void ResetDevice() {}
  virtual void ReloadResources();
  virtual bool ChangeDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) = 0;
  virtual bool GetDesktopMode(uint32_t* width, uint32_t* height, uint32_t* bitsPerPixel) = 0;
  virtual void SetFullScreenMode(uint32_t width, uint32_t height) = 0;
  virtual void SetWindowedMode(uint32_t width, uint32_t height) = 0;
  virtual vfs::VFS& GetVFS();
  virtual void ShutdownEngine();
  virtual void UpdateTimer();
  virtual bool PumpMessage() = 0;

  const std::string& GetAppName() const { return appName_; }
  uint32_t GetWidth() const { return width_; }
  uint32_t GetHeight() const { return height_; }
  bool IsInactive() const { return inactive_; }
  bool IsQuitting() const { return quit_; }
  bool IsFullScreen() const { return fullScreen_; }
  bool HasFocus() const { return hasFocus_; }

 protected:
  std::string appName_;
  std::string windowTitle_;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  int32_t x_ = 0;
  int32_t y_ = 0;
  bool inactive_ = false;
  bool quit_ = false;
  bool fullScreen_ = false;
  bool hasFocus_ = true;
};
