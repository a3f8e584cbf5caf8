// The game's application: its fonts, splash pages, scripts, states, record
// store name and archive.
#pragma once
#include <string>

#include "app/game_application.h"

class QORApp : public GameApp {
 public:
  QORApp(const std::string& logFileName, const std::string& caption, HINSTANCE instance,
         const std::string& configFileName);
  ~QORApp() override;

  void InitFonts() override;
  void ShowSplash() override;
  void InitScripts() override;
  void OnCreateStates() override;
  std::string GetRMSFileName() override { return "vantor.rms"; }
  void MountArchives() override;
};
