#include "app/game_application.h"

#include <cstdlib>

#include "app/game_rms.h"
#include "app/web_server.h"
#include "core/script/config_file.h"
#include "core/script/console.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/input/mouse.h"
#include "platform/bass.h"
#include "render/dx8_graphics.h"
#include "render/font_manager.h"
#include "core/script/swear_filter.h"
#include "platform/winmm.h"
#include "audio/audio.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/ui_manager.h"

namespace {
GameApp* g_app = nullptr;
}

GameApp* GetApp() { return g_app; }
void SetApp(GameApp* app) { g_app = app; }

GameApp::GameApp(const std::string& configFileName, HINSTANCE instance, const std::string& caption,
                 const std::string& logFileName)
    : Win32Application(configFileName, instance, caption, logFileName) {}

GameApp::~GameApp() {
  DetachFromGameFlow();
  DetachConsoleView();
}

void GameApp::DetachFromGameFlow() {
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  if (flow.GetApplication() == this) flow.SetApplication(nullptr);
}

void GameApp::DetachConsoleView() {
  if (!consoleViewAttached_) return;
  GetConsole()->SetView(nullptr);
  consoleViewAttached_ = false;
}

bool GameApp::Init() {
  timeBeginPeriod(1);
  GetLog().flushEachLine = true;
  InitSystems();
  MountArchives();
  if (!InitGraphics()) return false;
  startupDone_ = true;
  std::srand(timeGetTime());
  GetConsole()->Do("ReloadGame()");
  InitScripts();
  audio::Audio& sound = audio::GetAudio();
  sound.Init("sounds/soundbank.lua");
  LOG_LINE(MSG_INIT, "Audio manager Init");
  sound.PlaySound("sounds/GameApp_start_music.ogg");
  OnCreateStates();
  return true;
}

namespace {
const char kGraphicsHelpAddress[] = "https://www.mesa3d.org/";
const char kSupportAddress[] = "the game's makers";
}  // namespace

bool GameApp::InitGraphics() {
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  graphics->SetWindow(window_);
  if (!graphics->Init()) {
    MessageBoxA(window_,
                (std::string("Unable to initialize graphics. Is DX8 installed? If it's not, you can download "
                             "the latest from ") +
                 kGraphicsHelpAddress)
                    .c_str(),
                "Failed to init graphics. Exiting", MB_OK);
    return false;
  }
  if (!SetVideoMode()) return false;
  if (!input::GetInput().Init(window_)) return false;
  LOG_LINE(MSG_INIT, "Input initializes");
  // Made now, it hears both devices.
  GetUIMan();
  ShowSplash();
  InitFonts();
  console::Console* console = GetConsole();
  console->SetView(&consoleDrawer_);
  consoleViewAttached_ = true;
  console->Init("scripts/console.lua", "verdana");
  if (LuaPlus::LuaState* state = console->GetState()) GameScript::RegisterLua(state);
  console->Do("OnStartUp()");
  // TODO(merge: record store): the language is the record store's, "english" when empty.
  console->Do("SetupLanguage('english');");
  LOG_LINE(MSG_INIT, "Console initialized");
  GetSwearFilter().Load("scripts/swear.lua");
  // TODO(merge: UI manager): the loading panel "ui/loading.ui" and its progress bar, then
  // AdvanceLoadingProgress(4).
  CreateCamera();
  // TODO(merge: UI manager): AdvanceLoadingProgress(2).
  return true;
}

namespace {
// The game's 3D camera looks down on the origin from behind and above.
const math::Vec3 kCameraEye{0, 20, -20}, kCameraTarget{0, 0, 0}, kCameraUp{0, 1, 0};
constexpr float kCameraFov = 60.0f, kCameraAspect = 4.0f / 3.0f, kCameraNear = 5.0f, kCameraFar = 4000.0f;
}  // namespace

void GameApp::CreateCamera() {
  const math::Vec3 colour = config::GetConfig().GetVector("ClearColor", {0.1f, 0.1f, 0.3f});
  camera_ = std::make_unique<camera::PerspectiveCamera>(kCameraEye, kCameraTarget, kCameraUp, kCameraFov,
                                                        kCameraAspect, kCameraNear, kCameraFar);
  camera_->SetClearColour(PackARGB(colour.x, colour.y, colour.z, 1.0f));
  camera_->LookAt(kCameraEye, kCameraTarget, kCameraUp);
  // The game keeps 4:3 whatever the screen's shape.
  camera_->SetProjection(kCameraNear, kCameraFar, kCameraFov, kCameraAspect);
}

bool GameApp::SetVideoMode() {
  Dx8Graphics* graphics = GetDx8Graphics();
  bool ok = graphics->SetDisplayMode(width_, height_, fullScreen_, false);
  if (!ok && fullScreen_) {
    LOG_LINE(MSG_ERROR, "**** UNABLE TO START FULLSCREEN ****");
    LOG_LINE(MSG_ERROR, "**** Forcing windowed mode ****");
    fullScreen_ = false;
    ok = graphics->SetDisplayMode(width_, height_, false, false);
  }
  if (!ok) {
    MessageBoxA(nullptr,
                (std::string("We had a problem initializing DirectX. It looks like we won't be able to start "
                             "the game. Please contact ") +
                 kSupportAddress + ", and we'll see if we can fix it for you")
                    .c_str(),
                "Unable to init DX8", MB_OK);
    return false;
  }
  graphics->RegisterFileFormats();
  graphics->SetFiltering(graphics->GetHardwareClass() > 0);
  return true;
}

void GameApp::InitSystems() {
  script_ = std::make_unique<GameScript>();
  recordStore_ = std::make_unique<GameRMS>(GetUserDataPath() + GetRMSFileName());
}

// One frame: the current state, the devices, the picture, the delayed
// scripts and the pending change of state.
bool GameApp::Update() {
  inFrame_ = true;
  gameflow::GetGameFlowManager().Tick();
  inFrame_ = false;
  return true;
}

void GameApp::ForceRedraw() {
  if (inFrame_)
    gameflow::GetGameFlowManager().RenderFrame();
  else
    Update();
}

bool GameApp::OnEvent(int code, intptr_t a, intptr_t b) {
  switch (code) {
    case kFocusGained:
      BASS_Start();
      SetCursorFile("");
      if (gameflow::GameState* state = gameflow::GetGameFlowManager().GetCurrentState()) state->OnResume();
      break;
    case kFocusLost:
      BASS_Pause();
      if (gameflow::GameState* state = gameflow::GetGameFlowManager().GetCurrentState()) state->OnPause();
      break;
    case kSizeChanged: {
      // The size message packs the client size into b; a collapsed size would
      // leave the renderer without an aspect ratio, so it changes nothing.
      const int width = LOWORD(static_cast<uintptr_t>(b));
      const int height = HIWORD(static_cast<uintptr_t>(b));
      Graphics* graphics = GetGraphics();
      if (graphics && width > 0 && height > 0) graphics->SetResolution(width, height);
      return true;
    }
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
  const Dx8Graphics* graphics = GetDx8Graphics();
  if (graphics && graphics->IsDeviceLost()) {
    LOG_LINE(MSG_ERROR, "Unable to switch to full screen, staying windowed");
    fullScreen_ = false;
    ResetDevice();
  }
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

bool GameApp::Shutdown() {
  // Asking for the web client makes it at the latest here, so its session
  // exists until exit.
  GetServer()->TerminateThread();
  LOG_LINE(MSG_INIT, "Server connection shutdown");
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  if (gameflow::GameState* state = flow.GetCurrentState()) state->OnExit();
  flow.Clear();
  LOG_LINE(MSG_INIT, "Gameflow manager shutdown");
  GetFontManager()->UnloadFonts();
  LOG_LINE(MSG_INIT, "Font manager shutdown");
  GetConsole()->Shutdown();
  DetachConsoleView();
  LOG_LINE(MSG_INIT, "Console shutdown");
  ui::UIManager* ui = GetUIMan();
  ui->SetCamera(nullptr);
  camera_.reset();
  ui->DropAllPanels();
  ui->ShutdownFlash();
  // The manager outlives the graphics that hold its cursor's image.
  ui->ReleaseCursorImage();
  LOG_LINE(MSG_INIT, "UI shutdown");
  Graphics::SHUTDOWN();
  LOG_LINE(MSG_INIT, "Graphics shutdown");
  script_.reset();
  // Its destruction saves it once more.
  recordStore_.reset();
  return true;
}
