#include "app/game_application.h"

#include <cstdlib>

#include "app/game_rms.h"
#include "app/startup_frame.h"
#include "app/web_server.h"
#include "core/script/config_file.h"
#include "core/script/console.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/input/mouse.h"
#include "platform/audio/bass.h"
#include "render/dx8/dx8_graphics.h"
#include "render/fonts/font_manager.h"
#include "core/script/swear_filter.h"
#include "platform/timer/winmm.h"
#include "audio/audio.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/ui_widget.h"

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

namespace {
// Stored volumes come from a file: anything outside 0..100, NaN included,
// must not reach the mixer.
int StoredVolume(float volume) {
  if (!(volume > 0.0f)) return 0;
  return volume >= 100.0f ? 100 : static_cast<int>(volume);
}
}  // namespace

bool GameApp::Init() {
  timeBeginPeriod(1);
  GetLog().flushEachLine = true;
  InitSystems();
  MountArchives();
  if (!InitGraphics()) return false;
  startupDone_ = true;
  // The window's own pointer shows instead.
  GetUIMan()->ShowCursor(false);
  std::srand(timeGetTime());
  GetConsole()->Do("ReloadGame()");
  InitScripts();
  audio::Audio& sound = audio::GetAudio();
  sound.Init("sounds/soundbank.lua");
  if (recordStore_) {
    sound.SetMusicVolume(StoredVolume(recordStore_->GetMusicVolume()));
    sound.SetSFXVolume(StoredVolume(recordStore_->GetSoundVolume()));
  }
  LOG_LINE(MSG_INIT, "Audio manager Init");
  sound.PlaySound("sounds/GameApp_start_music.ogg");
  OnCreateStates();
  if (loadingPanel_) loadingPanel_->SetIsVisible(false);
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
  if (recordStore_) fullScreen_ = recordStore_->IsUseFullscreenEnabled();
  if (!SetVideoMode()) return false;
  if (!input::GetInput().Init(window_)) return false;
  LOG_LINE(MSG_INIT, "Input initializes");
  // Made now, it hears both devices.
  GetUIMan();
  started_ = Started::kUI;
  ShowSplash();
  InitFonts();
  started_ = Started::kFonts;
  console::Console* console = GetConsole();
  console->SetView(&consoleDrawer_);
  consoleViewAttached_ = true;
  console->Init("scripts/console.lua", "verdana");
  started_ = Started::kConsole;
  if (LuaPlus::LuaState* state = console->GetState()) GameScript::RegisterLua(state);
  console->Do("OnStartUp()");
  std::string language = recordStore_ ? recordStore_->GetLanguage() : "";
  if (language.empty()) language = "english";
  console->Do("SetupLanguage('" + language + "');");
  LOG_LINE(MSG_INIT, "Console initialized");
  GetSwearFilter().Load("scripts/swear.lua");
  LoadLoadingPanel();
  AdvanceLoadingProgress(4);
  CreateCamera();
  AdvanceLoadingProgress(2);
  return true;
}

void GameApp::LoadLoadingPanel() {
  loadingPanel_ = GetUIMan()->AddPanel("ui/loading.ui");
  if (!loadingPanel_) return;
  // Any other kind of widget under that name draws as it is, without progress.
  progressWidget_ = dynamic_cast<ui::UIProgress*>(loadingPanel_->GetWidgetByName("LoadingProgress"));
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

void GameApp::LogFullScreenRefused() {
  LOG_LINE(MSG_ERROR, "**** UNABLE TO START FULLSCREEN ****");
  LOG_LINE(MSG_ERROR, "**** Forcing windowed mode ****");
}

bool GameApp::SetVideoMode() {
  Dx8Graphics* graphics = GetDx8Graphics();
  bool ok = graphics->SetDisplayMode(width_, height_, fullScreen_, false);
  if (!ok && fullScreen_) {
    LogFullScreenRefused();
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
    // The flag shows the mode the display is really in.
    LogFullScreenRefused();
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

// Start-up runs outside the main loop: each step is a whole frame of its own,
// the loading panel on white.
void GameApp::AdvanceLoadingProgress(int steps) {
  progressCount_ += steps;
  if (progressWidget_)
    progressWidget_->SetProgress(static_cast<float>(progressCount_) / static_cast<float>(progressTotal_));
  DrawStartupFrame(0xFFFFFFFF, [this] {
    if (loadingPanel_) loadingPanel_->Render(false);
  });
}

// Only what start-up made is shut down: after a failed start the later
// services were never brought up.
bool GameApp::Shutdown() {
  // Asking for the web client makes it at the latest here, so its session
  // exists until exit.
  GetServer()->TerminateThread();
  LOG_LINE(MSG_INIT, "Server connection shutdown");
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  if (gameflow::GameState* state = flow.GetCurrentState()) state->OnExit();
  flow.Clear();
  LOG_LINE(MSG_INIT, "Gameflow manager shutdown");
  if (started_ >= Started::kFonts) GetFontManager()->UnloadFonts();
  LOG_LINE(MSG_INIT, "Font manager shutdown");
  if (started_ >= Started::kConsole) GetConsole()->Shutdown();
  DetachConsoleView();
  LOG_LINE(MSG_INIT, "Console shutdown");
  // Screens hand the camera to the UI manager: it lets go before the camera goes.
  ui::UIManager* ui = started_ >= Started::kUI ? GetUIMan() : nullptr;
  if (ui) ui->SetCamera(nullptr);
  camera_.reset();
  loadingPanel_ = nullptr;
  progressWidget_ = nullptr;
  if (ui) {
    ui->DropAllPanels();
    ui->ShutdownFlash();
    // The manager outlives the graphics that hold its cursor's image.
    ui->ReleaseCursorImage();
  }
  LOG_LINE(MSG_INIT, "UI shutdown");
  Graphics::SHUTDOWN();
  LOG_LINE(MSG_INIT, "Graphics shutdown");
  started_ = Started::kNothing;
  script_.reset();
  // Its destruction saves it once more.
  recordStore_.reset();
  return true;
}
