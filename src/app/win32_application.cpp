#include "app/win32_application.h"

#include <cstdio>

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/input/mouse.h"
#include "render/fonts/font.h"
#include "render/fonts/font_manager.h"
#include "render/device/graphics.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"

namespace {
Win32Application* g_windowApp = nullptr;

void ShowSystemCursor(bool show) {
  if (input::Mouse* mouse = input::GetInput().GetMouse()) mouse->ShowCursor(show);
}

constexpr DWORD kWindowStyle = 0x82CA0000u;  // popup, caption, system menu, minimise box
}  // namespace

Win32Application::Win32Application(const std::string& configFileName, HINSTANCE instance,
                                   const std::string& caption, const std::string& logFileName)
    : Application(configFileName, logFileName), instance_(instance) {
  appName_ = caption;
  g_windowApp = this;
}

Win32Application::~Win32Application() {
  if (cursor_) DestroyCursor(cursor_);
  cursorFileName_.clear();
  if (g_windowApp == this) g_windowApp = nullptr;
}

bool Win32Application::InitWindow(const std::string& title, uint32_t width, uint32_t height) {
  windowTitle_ = title;
  if (HWND other = FindWindowA(appName_.c_str(), nullptr)) {
    LOG_LINE(MSG_FATAL, "Already one instance of game running!");
    SetForegroundWindow(other);
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    return false;
  }
  RegisterWindowClass();
  exStyle_ = 0;
  style_ = kWindowStyle;

  uint32_t desktopWidth = 0, desktopHeight = 0, bits = 0;
  GetDesktopMode(&desktopWidth, &desktopHeight, &bits);
  x_ = (static_cast<int32_t>(desktopWidth) - static_cast<int32_t>(width)) / 2;
  y_ = (static_cast<int32_t>(desktopHeight) - static_cast<int32_t>(height)) / 2;
  width_ = width;
  height_ = height;

  int outerWidth = static_cast<int>(width) + 2 * GetSystemMetrics(SM_CXDLGFRAME) + 2 * GetSystemMetrics(SM_CXBORDER);
  int outerHeight = static_cast<int>(height) + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER) +
                    2 * GetSystemMetrics(SM_CYDLGFRAME);
  windowRect_ = {x_, y_, x_ + outerWidth, y_ + outerHeight};

  window_ = CreateWindowExA(exStyle_, appName_.c_str(), windowTitle_.c_str(), style_, x_, y_, outerWidth,
                            outerHeight, parent_, menu_, instance_, this);
  if (!window_) {
    LOG_LINE(MSG_FATAL, "Unable to create window!");
    ShowWindowsError();
    return false;
  }
  UpdateWindow(window_);
  UpdateClientRect();
  return true;
}

bool Win32Application::RegisterWindowClass() {
  windowClass_ = WNDCLASSEXA{};
  windowClass_.cbSize = sizeof(WNDCLASSEXA);
  windowClass_.style = 0;
  windowClass_.lpfnWndProc = &Win32Application::WindowProc;
  windowClass_.hInstance = instance_;
  windowClass_.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass_.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass_.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
  windowClass_.lpszClassName = appName_.c_str();
  windowClass_.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
  if (!RegisterClassExA(&windowClass_)) {
    LOG_LINE(MSG_FATAL, "Unable to create class!");
    ShowWindowsError();
    return false;
  }
  return true;
}

void Win32Application::Quit() { PostQuitMessage(0); }

void Win32Application::ResetDevice() {
  FontManager* fonts = GetFontManager();
  for (auto& entry : fonts->Entries())
    if (entry.second) entry.second->ResetResources();
  ui::UIManager* ui = GetUIMan();
  ui->ShutdownFlash();
  Graphics* graphics = GetGraphics();
  if (graphics && graphics->ResetDevice(800, 600, fullScreen_)) {
    ui->ResetResources();
    fonts->ReloadFonts();
  }
}

bool Win32Application::GetDesktopMode(uint32_t* width, uint32_t* height, uint32_t* bitsPerPixel) {
  DEVMODEA mode{};
  mode.dmSize = 156;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  *width = mode.dmPelsWidth;
  *height = mode.dmPelsHeight;
  *bitsPerPixel = mode.dmBitsPerPel;
  return true;
}

bool Win32Application::ChangeDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  DEVMODEA mode{};
  mode.dmSize = 156;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bitsPerPixel;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void Win32Application::HideAppWindow() { ShowWindow(window_, SW_HIDE); }
void Win32Application::ShowAppWindow() { ShowWindow(window_, SW_SHOW); }

void Win32Application::UpdateClientRect() {
  RECT outer{};
  GetWindowRect(window_, &outer);
  if (fullScreen_) {
    clientRect_ = outer;
    return;
  }
  clientRect_.left = outer.left + GetSystemMetrics(SM_CXBORDER);
  clientRect_.right = outer.right - GetSystemMetrics(SM_CXBORDER);
  clientRect_.top = outer.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION);
  clientRect_.bottom = outer.bottom - GetSystemMetrics(SM_CYBORDER);
}

bool Win32Application::PumpMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  switch (msg.message) {
    case WM_CREATE: OnEvent(kWindowCreated, msg.wParam, msg.lParam); break;
    case WM_DESTROY:
    case WM_CLOSE:
      PostQuitMessage(0);
      OnEvent(kQuit, msg.wParam, msg.lParam);
      break;
    case WM_QUIT: OnEvent(kQuit, msg.wParam, msg.lParam); break;
    case WM_SIZE:
      if (msg.wParam == SIZE_MINIMIZED)
        OnEvent(kMinimised, 1, msg.lParam);
      else if (msg.wParam == SIZE_MAXIMIZED)
        OnEvent(kMaximised, 2, msg.lParam);
      else
        OnEvent(kSizeChanged, msg.wParam, msg.lParam);
      break;
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE: ShowSystemCursor(true); break;
    case WM_MOUSEMOVE: {
      if (!startupDone_) ShowSystemCursor(false);
      UpdateClientRect();
      MouseClientPosition mouse = GetMouseClientPosition();
      mouse.x = GET_X_LPARAM(msg.lParam);
      mouse.y = GET_Y_LPARAM(msg.lParam);
      // A client area that has collapsed to nothing keeps the last relative position.
      int clientWidth = clientRect_.right - clientRect_.left;
      int clientHeight = clientRect_.bottom - clientRect_.top;
      if (clientWidth > 0) mouse.relativeX = static_cast<float>(mouse.x) / static_cast<float>(clientWidth);
      if (clientHeight > 0) mouse.relativeY = static_cast<float>(mouse.y) / static_cast<float>(clientHeight);
      SetMouseClientPosition(mouse);
      break;
    }
    case WM_DROPFILES: OnEvent(kFilesDropped, msg.wParam, msg.lParam); break;
    default: break;
  }
  DispatchMessageA(&msg);
  return true;
}

LRESULT Win32Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      // The game never destroys its own window: something outside did. The
      // game closes as on a close request, saving what it keeps.
      LOG_LINE(MSG_WARNING, "The game window was destroyed from outside: closing");
      g_windowApp = nullptr;
      PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      if (g_windowApp) {
        if (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE) {
          LOG_LINE(MSG_WARNING, "GAINED FOCUS");
          g_windowApp->OnEvent(kFocusGained, 0, 0);
          // Input stays suppressed for a moment after the focus returns.
          gameflow::GetGameFlowManager().SetLastFocusGain(GetFrameTimer().totalTime);
          g_windowApp->hasFocus_ = true;
          // Nothing held before the focus left may stay held.
          if (input::Mouse* mouse = input::GetInput().GetMouse()) mouse->ReleaseAll();
          if (input::Keyboard* keyboard = input::GetInput().GetKeyboard()) keyboard->ReleaseAll();
        } else {
          LOG_LINE(MSG_WARNING, "LOST FOCUS");
          g_windowApp->hasFocus_ = false;
          g_windowApp->OnEvent(kFocusLost, 0, 0);
        }
      }
      break;
    case WM_SETCURSOR:
      if (g_windowApp && g_windowApp->cursor_) return TRUE;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Win32Application::SetCursorFile(const std::string& fileName) {
  if (!fileName.empty()) cursorFileName_ = fileName;
  HANDLE loaded = LoadImageA(nullptr, cursorFileName_.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
  if (!loaded) return;
  // Only a cursor this frame loaded is ours to destroy, and only once its
  // replacement is there.
  HCURSOR previous = cursor_;
  cursor_ = static_cast<HCURSOR>(loaded);
  SetCursor(cursor_);
  if (previous) DestroyCursor(previous);
}

void Win32Application::ShowWindowsError() {
  DWORD code = GetLastError();
  char* text = nullptr;
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                      nullptr, code, 1024, reinterpret_cast<LPSTR>(&text), 0, nullptr) ||
      !text)
    return;
  char title[64];
  std::snprintf(title, sizeof title, "Windows Error: %d", static_cast<int>(code));
  LOG_LINE(MSG_ERROR, title);
  MessageBoxA(nullptr, text, title, MB_ICONINFORMATION);
  LocalFree(text);
}

std::string GetUserDataPath() {
  char folder[260];
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, TRUE)) return "";
  char path[300];
  std::snprintf(path, sizeof path, "%s/Quorvel/", folder);
  CreateDirectoryA(path, nullptr);
  return path;
}
