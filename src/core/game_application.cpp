#include "core/game_application.h"

#include <cstdlib>

#include "core/frame_timer.h"
#include "core/input.h"
#include "core/keyboard.h"
#include "core/log.h"
#include "core/mouse.h"
#include "platform/bass.h"
#include "platform/winmm.h"
#include "ui/audio.h"

namespace {
GameApp* g_app = nullptr;
}

GameApp* GetApp() { return g_app; }
void SetApp(GameApp* app) { g_app = app; }

GameApp::GameApp(const std::string& configFileName, HINSTANCE instance, const std::string& caption,
                 const std::string& logFileName)
    : Win32Application(configFileName, instance, caption, logFileName) {}

GameApp::~GameApp() = default;

bool GameApp::Init() {
  timeBeginPeriod(1);
  GetLog().flushEachLine = true;
  InitSystems();
  MountArchives();
  if (!InitGraphics()) return false;
  startupDone_ = true;
  std::srand(timeGetTime());
  InitScripts();
  audio::Audio& sound = audio::GetAudio();
  sound.Init("sounds/soundbank.lua");
  LOG_LINE(MSG_INIT, "Audio manager Init");
  sound.PlaySound("sounds/GameApp_start_music.ogg");
  OnCreateStates();
  return true;
}

bool GameApp::InitGraphics() {
  if (!input::GetInput().Init(window_)) return false;
  LOG_LINE(MSG_INIT, "Input initializes");
  ShowSplash();
  InitFonts();
  return true;
}

void GameApp::InitSystems() {}

// One frame: the devices are polled, mouse first, so their listeners hear
// this frame's events.
bool GameApp::Update() {
  const FrameTimer& timer = GetFrameTimer();
  input::Input& devices = input::GetInput();
  if (input::Mouse* mouse = devices.GetMouse()) mouse->Update(false, timer.frameDelta, timer.totalTime);
  if (input::Keyboard* keyboard = devices.GetKeyboard()) keyboard->Update(false, timer.frameDelta, timer.totalTime);
  return true;
}

bool GameApp::OnEvent(int code, intptr_t a, intptr_t b) {
  switch (code) {
    case kFocusGained:
      BASS_Start();
      SetCursorFile("");
      break;
    case kFocusLost:
      BASS_Pause();
      break;
    default: break;
  }
  return Application::OnEvent(code, a, b);
}

void GameApp::SetFullScreenMode(uint32_t, uint32_t) {
  fullScreen_ = true;
  style_ = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
  exStyle_ = static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE));
  HideAppWindow();
  ResetDevice();
  ShowAppWindow();
  SetCursorFile("");
}

void GameApp::SetWindowedMode(uint32_t, uint32_t) {
  fullScreen_ = false;
  HideAppWindow();
  ResetDevice();
  ShowAppWindow();
  SetCursorFile("");
}

void GameApp::AdvanceLoadingProgress(int steps) { progressCount_ += steps; }

bool GameApp::Shutdown() { return true; }
