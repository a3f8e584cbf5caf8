// The application frame on the window system: the window, its procedure,
// the message pump, display modes, the file cursor and the per-user folder.
#pragma once
#include <string>

#include "app/application.h"
#include "core/input/mouse.h"
#include "platform/window/win32.h"

class Win32Application : public Application {
 public:
  Win32Application(const std::string& configFileName, HINSTANCE instance, const std::string& caption,
                   const std::string& logFileName);
  ~Win32Application() override;

  bool InitWindow(const std::string& title, uint32_t width, uint32_t height) override;
  bool IsWindowed() override { return true; }
  void Quit() override;
  void ResetDevice() override;
  bool ChangeDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) override;
  bool GetDesktopMode(uint32_t* width, uint32_t* height, uint32_t* bitsPerPixel) override;
  void SetFullScreenMode(uint32_t, uint32_t) override {}
  void SetWindowedMode(uint32_t, uint32_t) override {}
  bool PumpMessage() override;
  virtual void Idle() {}  // no caller; keeps the frame's slot order
  virtual void HideAppWindow();
  virtual void ShowAppWindow();
  virtual bool RegisterWindowClass();

  void UpdateClientRect();
  void SetCursorFile(const std::string& fileName);
  void ShowWindowsError();

  HWND GetWindow() const { return window_; }
  const RECT& GetClientRect() const { return clientRect_; }
  HCURSOR GetCursorHandle() const { return cursor_; }

  // The window procedure; reaches the application only through the pointer
  // the constructor sets and WM_DESTROY clears.
  static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  WNDCLASSEXA windowClass_{};
  HWND parent_ = nullptr;
  HMENU menu_ = nullptr;
  RECT windowRect_{};
  RECT clientRect_{};
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  bool startupDone_ = false;
  HCURSOR cursor_ = nullptr;
  std::string cursorFileName_;
};

// The per-user folder with a trailing "/", created when missing; empty when
// the system has no such folder.
std::string GetUserDataPath();
