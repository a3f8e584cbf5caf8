#include "ui/gameflow/game_flow_manager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/input/input.h"
#include "core/input/key_listener.h"
#include "core/input/keyboard.h"
#include "core/script/console.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/input/dinput_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "ui/gameflow/gameflow_test_support.h"

namespace {

using gameflow_test::Calls;
using gameflow_test::FakeApplication;
using gameflow_test::FlowTest;
using gameflow_test::RecordingState;

// The console's main state, for the delayed scripts and the Lua API.
class ScriptedFlowTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    console_->Init(std::string(VANTOR_SOURCE_DIR) + "/data/scripts/console.lua", "verdana");
  }
  void TearDown() override {
    console_->Shutdown();
    FlowTest::TearDown();
  }
  // A global string of the console's state; empty when it is not one.
  std::string Global(const char* name) {
    lua_State* L = console_->GetState()->GetCState();
    lua_getglobal(L, name);
    const char* text = lua_tostring(L, -1);
    std::string value = text ? text : "";
    lua_pop(L, 1);
    return value;
  }
  // Queues a delayed script that appends the letter to the global "ran".
  void QueueLetter(const char* letter, float delay) {
    flow_.DelayScript(std::string("ran = (ran or '') .. '") + letter + "'", delay);
  }

  console::Console* console_ = GetConsole();
};

TEST_F(FlowTest, JumpStateWaitsForAFrameTimeAboveZero) {
  Add("title");
  EXPECT_EQ(flow_.GetCurrentStateName(), "unknown");
  flow_.GoState("title", 0.0f);
  Frame(0);
  EXPECT_EQ(flow_.GetCurrentState(), nullptr);
  EXPECT_EQ(flow_.GetPendingState(), flow_.FindState("title"));
  const int32_t timerTicks = GetFrameTimer().frameCount;
  Frame(10);
  EXPECT_EQ(Take(), Calls{"enter title"});
  EXPECT_EQ(flow_.GetCurrentStateName(), "title");
  EXPECT_EQ(flow_.GetLastStateName(), "unknown");
  EXPECT_EQ(flow_.GetPendingState(), nullptr);
  EXPECT_TRUE(log_.Has("Entering game state title  [MSG_COMMENT]"));
  // The change ticks the frame timer twice more, so that the time spent
  // entering is not the next frame's step.
  EXPECT_EQ(GetFrameTimer().frameCount, timerTicks + 3);
}

TEST_F(FlowTest, TheSecondGoStateWinsAndBothTargetsFadeAfresh) {
  RecordingState* first = Add("first");
  RecordingState* second = Add("second");
  flow_.GoState("first", 0.0f);
  Frame(10);
  for (int i = 0; i < 3; ++i) Frame(10);
  EXPECT_EQ(first->GetFrameCount(), 3);
  Take();

  flow_.GoState("first", 1.0f);
  flow_.GoState("second", 0.05f);
  for (RecordingState* state : {first, second}) {
    EXPECT_EQ(state->GetFadeMode(), gameflow::GameState::kFadeIn);
    EXPECT_FLOAT_EQ(state->GetFadeTimer().remaining, 0.9f);
    EXPECT_EQ(state->GetFrameCount(), 0);
  }
  EXPECT_EQ(flow_.GetPendingState(), second);
  Frame(30);
  EXPECT_EQ(flow_.GetCurrentState(), first);
  Frame(30);
  EXPECT_EQ(Take(), (Calls{"tick first", "tick first", "exit first", "enter second"}));
  EXPECT_EQ(flow_.GetLastStateName(), "first");
  EXPECT_EQ(flow_.GetCurrentStateName(), "second");
}

TEST_F(FlowTest, GoingToTheCurrentStateLeavesAndEntersIt) {
  RecordingState* title = Add("title");
  flow_.GoState("title", 0.0f);
  Frame(10);
  flow_.GoState("TITLE", 0.0f);
  Frame(10);
  EXPECT_EQ(Take(), (Calls{"enter title", "tick title", "exit title", "enter title"}));
  EXPECT_EQ(flow_.GetCurrentState(), title);
  EXPECT_EQ(flow_.GetLastState(), title);
}

TEST_F(FlowTest, NamesDifferingOnlyInCaseNameTheSameState) {
  bool mapDeleted = false, capitalsDeleted = false;
  auto* map = new RecordingState(calls_, &mapDeleted);
  flow_.AddTransitionState("map", map);
  flow_.AddTransitionState("MAP", new RecordingState(calls_, &capitalsDeleted));
  EXPECT_TRUE(capitalsDeleted);
  EXPECT_TRUE(log_.Has("Duplicating the same game name into the game flow manager: MAP  [MSG_ERROR]"));
  EXPECT_EQ(flow_.FindState("Map"), map);
  EXPECT_EQ(map->GetName(), "map");
  // The same state handed in again stays registered.
  flow_.AddTransitionState("map", map);
  EXPECT_FALSE(mapDeleted);
  flow_.Clear();
  EXPECT_TRUE(mapDeleted);
}

TEST_F(FlowTest, FailuresAreLoggedAndChangeNothing) {
  RecordingState* title = Add("title");
  flow_.GoState("title", 0.5f);
  flow_.GoState("nowhere", 0.0f);
  EXPECT_TRUE(log_.Has("Unable to go to state nowhere  [MSG_FATAL]"));
  EXPECT_EQ(flow_.GetPendingState(), title);
  EXPECT_FLOAT_EQ(flow_.GetPendingDelay(), 0.5f);

  flow_.SetState(nullptr);
  EXPECT_TRUE(log_.Has("Trying to enter an invalid state into game flow manager  [MSG_WARNING]"));
  EXPECT_EQ(flow_.GetCurrentState(), nullptr);
}

TEST_F(ScriptedFlowTest, ZeroDelayScriptsRunOneATickAndHoldThePendingStateBack) {
  Add("title");
  Add("options");
  flow_.GoState("title", 0.0f);
  Frame(10);
  QueueLetter("a", 0.0f);
  QueueLetter("b", 0.0f);
  QueueLetter("c", 0.0f);
  flow_.GoState("options", 0.015f);
  Frame(10);
  EXPECT_EQ(Global("ran"), "a");
  // The records behind the one that ran were not counted down.
  EXPECT_EQ(flow_.GetDelayedScripts().at(0).delay, 0.0f);
  Frame(10);
  Frame(10);
  EXPECT_EQ(Global("ran"), "abc");
  EXPECT_FLOAT_EQ(flow_.GetPendingDelay(), 0.015f);
  EXPECT_EQ(flow_.GetCurrentStateName(), "title");
  Frame(10);
  EXPECT_EQ(flow_.GetCurrentStateName(), "title");
  Frame(10);
  EXPECT_EQ(flow_.GetCurrentStateName(), "options");
}

TEST_F(ScriptedFlowTest, WithNoCurrentStateOnlyThePendingDelayCounts) {
  FakeApplication app;
  flow_.SetApplication(&app);
  Add("title");
  QueueLetter("a", 0.0f);
  flow_.GoState("title", 0.025f);
  Frame(10);
  Frame(10);
  EXPECT_EQ(Take(), Calls{});
  EXPECT_EQ(flow_.GetDelayedScripts().at(0).delay, 0.0f);
  EXPECT_FLOAT_EQ(flow_.GetPendingDelay(), 0.005f);
  Frame(10);
  EXPECT_EQ(Take(), Calls{"enter title"});
  EXPECT_EQ(Global("ran"), "");
  Frame(10);
  EXPECT_EQ(Global("ran"), "a");
}

TEST_F(ScriptedFlowTest, ScriptsDriveTheFlowThroughTheGlobalFunctions) {
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  flow.AddTransitionState("title", new RecordingState(calls_));
  flow.AddTransitionState("options", new RecordingState(calls_));
  gameflow::GameFlowManager::RegisterLua(console_->GetState());
  auto run = [&](const char* script) { console_->Do(script); };
  run("before = GetCurrentState()");
  run("JumpState('title')");
  run("DelayScript('delayed = GetCurrentState()', 0)");
  run("GoState('options', 5)");
  EXPECT_EQ(flow.GetPendingState(), flow.FindState("options"));
  EXPECT_FLOAT_EQ(flow.GetPendingDelay(), 5.0f);
  run("JumpState('title')");
  EXPECT_EQ(Global("before"), "unknown");
  EXPECT_EQ(flow.GetDelayedScripts().size(), 1u);

  auto frame = [&](uint32_t ms) {
    clock_ += ms;
    platform::testing::SetMilliseconds(clock_);
    GetFrameTimer().Tick();
    flow.Tick();
  };
  frame(10);
  run("first, last = GetCurrentState(), GetLastState()");
  EXPECT_EQ(Global("first"), "title");
  EXPECT_EQ(Global("last"), "unknown");
  frame(10);
  EXPECT_EQ(Global("delayed"), "title");
  flow.Clear();
  EXPECT_EQ(flow.GetCurrentStateName(), "unknown");
  EXPECT_EQ(flow.FindState("title"), nullptr);
}

// Writes each key press as its code.
class KeyRecorder : public input::KeyListener {
 public:
  void OnKeyDown(const input::KeyState* key) override { downs.push_back(key->code); }
  std::vector<int> downs;
};

class InputGuardTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    platform::testing::ResetInputState();
    if (!input::GetInput().GetKeyboard()) {
      ASSERT_TRUE(input::GetInput().Init(nullptr));
    }
    recorder_ = std::make_unique<KeyRecorder>();
    flow_.SetApplication(&app_);
    Add("title");
    flow_.GoState("title", 0.0f);
    Frame(10);
    flow_.SetLastFocusGain(GetFrameTimer().totalTime - 1.0f);
  }
  void TearDown() override {
    recorder_.reset();
    platform::testing::ResetInputState();
    FlowTest::TearDown();
  }
  // A key pressed and let go during one frame: whether a listener heard it.
  bool PressHeard(uint32_t ms) {
    recorder_->downs.clear();
    platform::testing::FeedKey(SDL_SCANCODE_A, true);
    platform::testing::FeedKey(SDL_SCANCODE_A, false);
    Frame(ms);
    return !recorder_->downs.empty();
  }

  FakeApplication app_;
  std::unique_ptr<KeyRecorder> recorder_;
};

TEST_F(InputGuardTest, NoInputForAMomentAfterTheFocusReturns) {
  flow_.SetLastFocusGain(GetFrameTimer().totalTime);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_FALSE(PressHeard(90)) << frame;
    EXPECT_FALSE(flow_.IsActive());
  }
  EXPECT_TRUE(PressHeard(90));
  EXPECT_TRUE(flow_.IsActive());
}

TEST_F(InputGuardTest, NoInputWhileTheWindowIsUnfocusedOrInactive) {
  struct Case {
    bool focus, inactive, heard;
  };
  const Case cases[] = {{true, false, true}, {false, false, false}, {true, true, false}, {false, true, false}};
  for (const Case& c : cases) {
    app_.focus = c.focus;
    app_.inactive = c.inactive;
    EXPECT_EQ(PressHeard(50), c.heard) << c.focus << c.inactive;
    EXPECT_EQ(flow_.IsActive(), c.heard);
  }
  // Without an application only the moment after a focus gain counts.
  flow_.SetApplication(nullptr);
  EXPECT_TRUE(flow_.IsActive());
}

TEST_F(FlowTest, RendersWhenWindowedOrFocusedAndRecoversFromAFailedFrame) {
  RecordingState* title = Add("title");
  FakeApplication app;
  flow_.GoState("title", 0.0f);
  Frame(10);
  struct Case {
    bool application, fullScreen, focus, inactive, renders, resets;
  };
  const Case cases[] = {
      {false, false, true, false, false, false},  // nothing to ask
      {true, false, true, false, true, true},
      {true, false, false, false, true, false},  // windowed draws unfocused, resets only focused
      {true, false, true, true, true, false},
      {true, true, true, false, true, true},
      {true, true, false, false, false, false},
      {true, true, true, true, false, false},
  };
  title->renders = false;
  for (const Case& c : cases) {
    flow_.SetApplication(c.application ? &app : nullptr);
    app.fullScreen = c.fullScreen;
    app.focus = c.focus;
    app.inactive = c.inactive;
    app.resets = 0;
    Take();
    Frame(10);
    EXPECT_EQ(Take(), c.renders ? (Calls{"tick title", "render title"}) : Calls{"tick title"})
        << c.application << c.fullScreen << c.focus << c.inactive;
    EXPECT_EQ(app.resets, c.resets ? 1 : 0) << c.application << c.fullScreen << c.focus << c.inactive;
  }
  // A drawn frame resets nothing.
  title->renders = true;
  app = FakeApplication();
  flow_.SetApplication(&app);
  Frame(10);
  EXPECT_EQ(app.resets, 0);
}

// Draws by asking the manager to draw again, as a script run while drawing may.
class RedrawingState : public gameflow::GameState {
 public:
  explicit RedrawingState(gameflow::GameFlowManager& flow) : flow_(flow) {}
  bool Render() override {
    ++renders;
    flow_.RenderFrame();
    return true;
  }
  int renders = 0;

 private:
  gameflow::GameFlowManager& flow_;
};

TEST_F(FlowTest, ARedrawAskedForWhileDrawingDrawsNothingMore) {
  auto* state = new RedrawingState(flow_);
  flow_.AddTransitionState("title", state);
  FakeApplication app;
  flow_.SetApplication(&app);
  flow_.GoState("title", 0.0f);
  Frame(10);
  Frame(10);
  EXPECT_EQ(state->renders, 1);
  flow_.RenderFrame();
  EXPECT_EQ(state->renders, 2);
}

// Draws nothing: counts what the console asks of it.
class CountingView : public console::ConsoleView {
 public:
  void Load(const console::Console&, const std::string&) override {}
  void Draw(const console::Console&) override { ++draws; }
  void Unload() override {}
  int draws = 0;
};

TEST_F(ScriptedFlowTest, BeforeAnyStateTheConsoleListensAndIsDrawn) {
  Dx8Graphics::Create();
  ASSERT_TRUE(GetDx8Graphics()->Init());
  ASSERT_TRUE(GetDx8Graphics()->SetDisplayMode(800, 600, false, false));
  platform::testing::ResetInputState();
  if (!input::GetInput().GetKeyboard()) {
    ASSERT_TRUE(input::GetInput().Init(nullptr));
  }
  console_->Init(std::string(VANTOR_SOURCE_DIR) + "/data/scripts/console.lua", "verdana");
  CountingView view;
  console_->SetView(&view);
  FakeApplication app;
  flow_.SetApplication(&app);
  flow_.SetLastFocusGain(GetFrameTimer().totalTime - 1.0f);
  QueueLetter("a", 0.0f);

  platform::testing::FeedKey(SDL_SCANCODE_GRAVE, true);
  platform::testing::FeedKey(SDL_SCANCODE_GRAVE, false);
  Frame(10);
  EXPECT_TRUE(console_->IsOpen());
  EXPECT_EQ(view.draws, 1);
  EXPECT_EQ(Global("ran"), "");
  EXPECT_EQ(app.resets, 0);
  // A redraw asked for outside the tick draws the same frame.
  flow_.RenderFrame();
  EXPECT_EQ(view.draws, 2);

  // A frame that cannot begin pauses and resets the device.
  platform::testing::LoseDevice(GetDx8Graphics()->GetDevice());
  Frame(10);
  EXPECT_EQ(view.draws, 2);
  EXPECT_EQ(app.resets, 1);

  platform::testing::FeedKey(SDL_SCANCODE_GRAVE, true);
  platform::testing::FeedKey(SDL_SCANCODE_GRAVE, false);
  Frame(10);
  console_->SetView(nullptr);
  Graphics::SHUTDOWN();
  platform::testing::ResetInputState();
}

}  // namespace
