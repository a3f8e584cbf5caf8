// Shared by the game-flow tests: states and an application that record what
// the manager does with them, and frames driven by the timer seam's clock.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "log_capture.h"
#include "platform/timer/winmm_testing.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/gameflow/game_state.h"
#include "ui/gameflow/running_application.h"

namespace gameflow_test {

using Calls = std::vector<std::string>;

// Writes each call as "enter title", "tick title", ... into a shared list.
class RecordingState : public gameflow::GameState {
 public:
  RecordingState(Calls& calls, bool* deleted = nullptr) : calls_(calls), deleted_(deleted) {}
  ~RecordingState() override {
    if (deleted_) *deleted_ = true;
  }

  bool OnEnter() override {
    Add("enter");
    return GameState::OnEnter();
  }
  bool OnExit() override {
    Add("exit");
    return GameState::OnExit();
  }
  bool Tick(float dt) override {
    Add("tick");
    return GameState::Tick(dt);
  }
  bool Render() override {
    Add("render");
    return renders;
  }
  void OnResume() override { Add("resume"); }
  void OnPause() override { Add("pause"); }

  bool renders = true;  // what Render answers

 private:
  void Add(const char* what) { calls_.push_back(std::string(what) + " " + GetName()); }

  Calls& calls_;
  bool* deleted_;
};

class FakeApplication : public gameflow::RunningApplication {
 public:
  bool HasFocus() const override { return focus; }
  bool IsInactive() const override { return inactive; }
  bool IsFullScreen() const override { return fullScreen; }
  void ResetDevice() override { ++resets; }

  bool focus = true;
  bool inactive = false;
  bool fullScreen = false;
  int resets = 0;
};

// Frames of a chosen length: the clock seam moves on, the frame timer ticks
// and then the manager.
class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The UI manager listens to the keyboard that exists when it is made,
    // and the flow may make it here: as in the game, the keyboard comes first.
    ASSERT_TRUE(input::GetInput().Init(nullptr));
    platform::testing::SetMilliseconds(clock_);
    GetFrameTimer().Tick();
  }
  void TearDown() override { platform::testing::UseRealClock(); }

  void Frame(uint32_t ms) {
    clock_ += ms;
    platform::testing::SetMilliseconds(clock_);
    GetFrameTimer().Tick();
    flow_.Tick();
  }
  // Registers a recording state under the name.
  RecordingState* Add(const std::string& name) {
    auto* state = new RecordingState(calls_);
    flow_.AddTransitionState(name, state);
    return state;
  }
  // The calls made since the last look.
  Calls Take() {
    Calls taken;
    taken.swap(calls_);
    return taken;
  }

  LogCapture log_;
  Calls calls_;
  gameflow::GameFlowManager flow_;
  uint32_t clock_ = 1000000;
};

}  // namespace gameflow_test
