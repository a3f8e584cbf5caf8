// A game application with every game slot left empty; its configuration, log
// and record store are named after the test that makes it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/game_application.h"

class BareGameApp : public GameApp {
 public:
  explicit BareGameApp(const std::string& name)
      : GameApp(::testing::TempDir() + name + ".lua", nullptr, name, ::testing::TempDir() + name + ".log"),
        name_(name) {}
  void InitFonts() override {}
  void ShowSplash() override {}
  void InitScripts() override {}
  void OnCreateStates() override {}
  std::string GetRMSFileName() override { return name_ + ".rms"; }
  void MountArchives() override {}

 private:
  std::string name_;
};
