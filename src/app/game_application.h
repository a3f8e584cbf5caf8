// The engine's game-side application: brings the engine's services up in a
// fixed order, turns focus changes into pauses, switches display modes and
// shuts everything down again. The game's final class fills the last slots.
#pragma once
#include <memory>
#include <string>

#include "app/console_drawer.h"
#include "app/win32_application.h"

class GameRMS;

class GameApp : public Win32Application {
 public:
  GameApp(const std::string& configFileName, HINSTANCE instance, const std::string& caption,
          const std::string& logFileName);
  ~GameApp() override;

  bool Init() override;
  bool Shutdown() override;
  bool Update() override;
  bool OnEvent(int code, intptr_t a, intptr_t b) override;
  void SetFullScreenMode(uint32_t width, uint32_t height) override;
  void SetWindowedMode(uint32_t width, uint32_t height) override;

  // Left to the game.
  virtual void InitFonts() = 0;
  virtual void ShowSplash() = 0;
  virtual void InitScripts() = 0;
  virtual void OnCreateStates() = 0;
  virtual std::string GetRMSFileName() = 0;
  virtual void MountArchives() = 0;

  virtual bool InitGraphics();
  virtual void InitSystems();

  void AdvanceLoadingProgress(int steps);

  // Null before InitSystems and after Shutdown.
  GameRMS* GetRecordStore() const { return recordStore_.get(); }

 private:
  bool SetVideoMode();
  void DetachConsoleView();

  console::ConsoleDrawer consoleDrawer_;
  bool consoleViewAttached_ = false;

 protected:
  int progressCount_ = 0;
  int progressTotal_ = 50;
  std::unique_ptr<GameRMS> recordStore_;
};

// The one application object, set by the entry point while it exists.
GameApp* GetApp();
void SetApp(GameApp* app);
