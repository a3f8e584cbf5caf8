// The engine's game-side application: brings the engine's services up in a
// fixed order, turns focus changes into pauses, switches display modes and
// shuts everything down again. The game's final class fills the last slots.
#pragma once
#include <memory>
#include <string>

#include "app/console_drawer.h"
#include "app/game_script.h"
#include "app/win32_application.h"
#include "render/cameras/perspective_camera.h"
#include "ui/gameflow/running_application.h"

class GameRMS;

namespace ui {
class UIProgress;
class UIWidget;
}  // namespace ui

class GameApp : public Win32Application, public gameflow::RunningApplication {
 public:
  GameApp(const std::string& configFileName, HINSTANCE instance, const std::string& caption,
          const std::string& logFileName);
  ~GameApp() override;

  bool Init() override;
  bool Shutdown() override;
  bool Update() override;
  bool OnEvent(int code, intptr_t a, intptr_t b) override;
  // A switch the device refuses is logged and leaves the game windowed.
  void SetFullScreenMode(uint32_t width, uint32_t height) override;
  void SetWindowedMode(uint32_t width, uint32_t height) override;

  // What the game-flow manager asks of the running application.
  bool HasFocus() const override { return hasFocus_; }
  bool IsInactive() const override { return inactive_; }
  bool IsFullScreen() const override { return fullScreen_; }
  void ResetDevice() override { Win32Application::ResetDevice(); }

  // Left to the game.
  virtual void InitFonts() = 0;
  virtual void ShowSplash() = 0;
  virtual void InitScripts() = 0;
  virtual void OnCreateStates() = 0;
  virtual std::string GetRMSFileName() = 0;
  virtual void MountArchives() = 0;

  virtual bool InitGraphics();
  virtual void InitSystems();

  // Draws a loading frame at once: the loading panel on white, its bar
  // advanced by the steps.
  void AdvanceLoadingProgress(int steps);
  int GetLoadingProgress() const { return progressCount_; }
  int GetLoadingTotal() const { return progressTotal_; }
  // One frame at once. Asked for from inside a frame (an input event or a
  // script the frame runs), it only draws: input is not polled twice and the
  // frame does not run again from within itself.
  void ForceRedraw();

  camera::PerspectiveCamera* GetCamera() const { return camera_.get(); }
  GameScript* GetScript() const { return script_.get(); }

  // Null before InitSystems and after Shutdown.
  GameRMS* GetRecordStore() const { return recordStore_.get(); }

 private:
  // How far start-up got: shut-down leaves alone what was never made.
  enum class Started { kNothing, kUI, kFonts, kConsole };

  bool SetVideoMode();
  // The two error lines of a full-screen switch the display did not carry out.
  static void LogFullScreenRefused();
  // "ui/loading.ui", and its bar when "LoadingProgress" is one.
  void LoadLoadingPanel();
  void DetachConsoleView();
  // The game-flow manager outlives the application: it must not keep it.
  void DetachFromGameFlow();
  void CreateCamera();

  console::ConsoleDrawer consoleDrawer_;
  bool consoleViewAttached_ = false;
  bool inFrame_ = false;
  Started started_ = Started::kNothing;

 protected:
  std::unique_ptr<camera::PerspectiveCamera> camera_;
  // Owned by the UI manager.
  ui::UIWidget* loadingPanel_ = nullptr;
  ui::UIProgress* progressWidget_ = nullptr;
  int progressCount_ = 0;
  int progressTotal_ = 50;
  std::unique_ptr<GameScript> script_;
  std::unique_ptr<GameRMS> recordStore_;
};

// The one application object, set by the entry point while it exists.
GameApp* GetApp();
void SetApp(GameApp* app);
