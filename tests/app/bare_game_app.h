// A game application with every game slot left empty; its configuration and
// log lie in a folder of its own, so that tests running side by side never
// meet there, and its record store is named after the test that makes it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/game_application.h"
#include "temp_folder.h"

class BareGameApp : private OwnTempFolder, public GameApp {
 public:
  explicit BareGameApp(const std::string& name)
      : GameApp(InTempFolder(name + ".lua"), nullptr, name, InTempFolder(name + ".log")), name_(name) {}
  void InitFonts() override {}
  void ShowSplash() override {}
  void InitScripts() override {}
  void OnCreateStates() override {}
  std::string GetRMSFileName() override { return name_ + ".rms"; }
  void MountArchives() override {}

 private:
  std::string name_;
};
