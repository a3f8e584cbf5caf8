// Shared by the tests of the board's help, tutorial and HUD: the UI tests'
// headless UI manager, recording renderer, "SmallFont" and sounds mixing
// offline (UITest::Played counts each set), and a current profile of a
// record store of its own, with hints on.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "board/game_variables.h"
#include "ui/ui_test_support.h"

namespace hud_testing {

class TestProfile {
 public:
  explicit TestProfile(const std::string& name) : app_(std::make_unique<BareGameApp>(name)) {
    SetApp(app_.get());
    app_->InitSystems();
    GameRMS* store = app_->GetRecordStore();
    store->Reset();
    store->AddProfile("Tester", "english", "home");
    SetInt(game_var::kHintsEnabled, 1);
  }
  ~TestProfile() {
    const std::string file = app_->GetRecordStore()->GetFileName();
    SetApp(nullptr);
    app_.reset();
    std::remove(file.c_str());
  }
  TestProfile(const TestProfile&) = delete;
  TestProfile& operator=(const TestProfile&) = delete;

 private:
  std::unique_ptr<BareGameApp> app_;
};

class HelpTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    profile_ = std::make_unique<TestProfile>("board_help_test");
  }
  void TearDown() override {
    profile_.reset();
    UITest::TearDown();
  }

  std::unique_ptr<TestProfile> profile_;
};

}  // namespace hud_testing
