#include "core/input/mouse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/input/mouse_listener.h"
#include "app/win32_application.h"
#include "core/input/input_test_support.h"
#include "platform/window/win32_testing.h"

namespace {
using platform::testing::DInputCall;
using platform::testing::DInputDevice;
using platform::testing::FeedMouseButton;
using platform::testing::FeedMouseMotion;
using platform::testing::FeedMouseWheel;

std::string At(const math::Vec2* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g,%.3g", p->x, p->y);
  return text;
}

// Writes each call as "down 0", "wheel 240 @0.5,0.5", "drag 0,0>0.1,0.2", ...
class MouseRecorder : public input::MouseListener {
 public:
  void OnMouseDown(const input::MouseButton* b, const math::Vec2*) override { Button("down", b); }
  void OnMouseDoubleClick(const input::MouseButton* b, const math::Vec2*) override {
    Button("double", b);
  }
  void OnMouseUp(const input::MouseButton* b, const math::Vec2*) override { Button("up", b); }
  void OnMouseHeld(const input::MouseButton* b, const math::Vec2*) override { Button("held", b); }
  void OnMouseRepeat(const input::MouseButton* b, const math::Vec2*) override {
    Button("repeat", b);
  }
  void OnMouseWheel(int32_t delta, const math::Vec2* p) override {
    calls.push_back("wheel " + std::to_string(delta) + " @" + At(p));
  }
  void OnMouseHover(const math::Vec2*) override { calls.push_back("hover"); }
  void OnMouseMove(const math::Vec2* from, const math::Vec2* to) override {
    calls.push_back("move " + At(from) + ">" + At(to));
  }
  void OnMouseDrag(const math::Vec2* start, const math::Vec2* to) override {
    calls.push_back("drag " + At(start) + ">" + At(to));
  }
  void OnMouseDragEnd(const math::Vec2* start, const math::Vec2* at) override {
    calls.push_back("dragend " + At(start) + ">" + At(at));
  }

  std::vector<std::string> calls;

 private:
  void Button(const char* what, const input::MouseButton* b) {
    calls.push_back(std::string(what) + " " + std::to_string(b->index));
  }
};

using Calls = std::vector<std::string>;

// A window whose message pump stores the cursor, as the game's does.
class WindowApp : public Win32Application {
 public:
  WindowApp()
      : Win32Application(::testing::TempDir() + "mouse test.lua", nullptr, "mouse test",
                         ::testing::TempDir() + "mouse test.log") {}
  bool Init() override { return true; }
  bool Shutdown() override { return true; }
  bool Update() override { return true; }
};

class MouseTest : public input_test::InputTest {
 protected:
  static void SetUpTestSuite() {
    app_ = new WindowApp;
    ASSERT_TRUE(app_->InitWindow("mouse test", 800, 600));
    PumpAll();
  }
  static void TearDownTestSuite() {
    DestroyWindow(app_->GetWindow());
    platform::testing::ClearMessageQueue();
    delete app_;
    app_ = nullptr;
  }
  void SetUp() override {
    InputTest::SetUp();
    StoreCursor(0, 0);
    MakeMouse(true);
  }
  void TearDown() override {
    mouse_.reset();
    InputTest::TearDown();
  }

  void MakeMouse(bool absolute) {
    mouse_.reset();
    mouse_ = std::make_unique<input::Mouse>(directInput_, absolute, app_->GetWindow());
    mouse_->AddListener(&recorder_);
  }

  // One frame; answers the calls it made.
  Calls Frame(float dt = 0.05f, bool suppress = false) {
    recorder_.calls.clear();
    now_ += dt;
    EXPECT_TRUE(mouse_->Update(suppress, dt, now_));
    return recorder_.calls;
  }

  // The frame's calls that concern buttons and drags (no hover).
  Calls ButtonFrame(float dt = 0.05f) {
    Calls calls;
    for (const std::string& call : Frame(dt))
      if (call != "hover") calls.push_back(call);
    return calls;
  }

  // The mouse moves to a client pixel: one SDL motion event, which the
  // event router hands to the device and to the window as WM_MOUSEMOVE,
  // which the window's pump then stores. Answers the stored position.
  std::string CursorAt(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(platform::SdlWindowOf(app_->GetWindow()));
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = 1;
    event.motion.yrel = 1;
    EXPECT_EQ(SDL_PushEvent(&event), 1);
    PumpAll();
    return Stored();
  }

  // Only the window's message, with no movement of the device.
  std::string StoreCursor(int x, int y) {
    platform::testing::PostWindowMessage(app_->GetWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpAll();
    return Stored();
  }

  static void PumpAll() {
    while (app_->PumpMessage()) {
    }
  }

  static std::string Stored() {
    math::Vec2 stored(GetMouseClientPosition().relativeX, GetMouseClientPosition().relativeY);
    return At(&stored);
  }

  static int ClientWidth() { return app_->GetClientRect().right - app_->GetClientRect().left; }
  static int ClientHeight() { return app_->GetClientRect().bottom - app_->GetClientRect().top; }

  static WindowApp* app_;
  std::unique_ptr<input::Mouse> mouse_;
  MouseRecorder recorder_;
  float now_ = 10.0f;
};
WindowApp* MouseTest::app_ = nullptr;

TEST_F(MouseTest, ClickWithoutMovement) {
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  // The first press since start repeats at once (its countdown starts at 0).
  EXPECT_EQ(ButtonFrame(), (Calls{"down 0", "held 0", "repeat 0"}));
  EXPECT_EQ(ButtonFrame(), Calls{"held 0"});
  FeedMouseButton(SDL_BUTTON_LEFT, false);
  EXPECT_EQ(ButtonFrame(), (Calls{"up 0", "dragend 0,0>0,0"}));
  EXPECT_EQ(ButtonFrame(), Calls{});
}

TEST_F(MouseTest, SecondReleaseWithinDoubleClickTimeIsADoubleClickOnly) {
  // Releases at 10.5, 10.75, 11.0 (0.25 s apart), then 11.5.
  const char* expected[] = {"up 1", "double 1", "double 1", "up 1"};
  const float pauses[] = {0.5f, 0.25f, 0.25f, 0.5f};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    FeedMouseButton(SDL_BUTTON_RIGHT, true);
    FeedMouseButton(SDL_BUTTON_RIGHT, false);  // a tap between two frames is still seen
    Frame(pauses[i] - 0.05f);
    Calls release = ButtonFrame(0.05f);
    ASSERT_FALSE(release.empty());
    EXPECT_EQ(release, Calls{expected[i]});
  }
}

TEST_F(MouseTest, RepeatsComeEveryTenthOfASecondAfterTheFirst) {
  FeedMouseButton(SDL_BUTTON_MIDDLE, true);
  // First press since start: the countdown starts at 0, so it repeats at once.
  EXPECT_EQ(ButtonFrame(0.0625f), (Calls{"down 2", "held 2", "repeat 2"}));
  EXPECT_EQ(ButtonFrame(0.0625f), Calls{"held 2"});
  EXPECT_EQ(ButtonFrame(0.0625f), (Calls{"held 2", "repeat 2"}));
  FeedMouseButton(SDL_BUTTON_MIDDLE, false);
  ButtonFrame(0.5f);
  // Later presses wait for the 0.1 s the release set.
  FeedMouseButton(SDL_BUTTON_MIDDLE, true);
  EXPECT_EQ(ButtonFrame(0.0625f), (Calls{"down 2", "held 2"}));
  EXPECT_EQ(ButtonFrame(0.0625f), (Calls{"held 2", "repeat 2"}));
}

TEST_F(MouseTest, HoverAfterTwoTenthsOfStillnessUntilTheMouseMoves) {
  Calls hovers;
  for (int frame = 1; frame <= 5; ++frame) {
    Calls calls = Frame(0.0625f);
    hovers.push_back(calls.empty() ? "-" : calls[0]);
  }
  EXPECT_EQ(hovers, (Calls{"-", "-", "-", "hover", "hover"}));
  std::string to = CursorAt(40, 30);
  EXPECT_EQ(Frame(0.0625f), Calls{"move 0,0>" + to});
  EXPECT_EQ(Frame(0.0625f), Calls{});
}

TEST_F(MouseTest, PositionsStayOnScreen) {
  struct Case {
    bool absolute;
    int cursorX, cursorY;  // in halves of the client size
    int dx, dy;
    const char* position;
  };
  const Case cases[] = {
      {true, 1, 1, 3, -4, "0.5,0.5"},
      {true, 3, -1, 3, -4, "1,0"},
      {false, 0, 0, 100, 250, "0.2,0.5"},
      {false, 0, 0, -100000, 100000, "0,1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    MakeMouse(c.absolute);
    StoreCursor(c.cursorX * ClientWidth() / 2, c.cursorY * ClientHeight() / 2);
    FeedMouseMotion(c.dx, c.dy);
    Frame();
    EXPECT_EQ(At(&mouse_->GetPosition()), c.position);
  }
}

TEST_F(MouseTest, WheelCarriesTheNewPositionInDirectInputUnits) {
  std::string at = CursorAt(100, 50);
  FeedMouseWheel(2);
  EXPECT_EQ(Frame(), (Calls{"move 0,0>" + at, "wheel 240 @" + at}));
  FeedMouseWheel(-1);
  EXPECT_EQ(Frame(), Calls{"wheel -120 @" + at});
}

TEST_F(MouseTest, DragFollowsTheLeftButton) {
  std::string start = CursorAt(80, 60);
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  Frame();
  std::string to = CursorAt(240, 240);
  Calls calls = Frame();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "move " + start + ">" + to);
  EXPECT_EQ(calls[1], "drag " + start + ">" + to);
  FeedMouseButton(SDL_BUTTON_LEFT, false);
  EXPECT_EQ(Frame().back(), "dragend " + start + ">" + to);
  // The right button starts no drag.
  FeedMouseButton(SDL_BUTTON_RIGHT, true);
  Frame();
  std::string last = CursorAt(480, 360);
  EXPECT_EQ(Frame()[0], "move " + to + ">" + last);
  EXPECT_EQ(recorder_.calls.size(), 2u);  // the move and the right button held
}

TEST_F(MouseTest, SuppressionHidesEverythingAndAStillHeldButtonComesAsAFreshPress) {
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  std::string to = CursorAt(400, 300);
  FeedMouseWheel(1);
  EXPECT_EQ(Frame(0.05f, true), Calls{});
  EXPECT_EQ(At(&mouse_->GetPosition()), "0,0");
  Calls calls = Frame();
  ASSERT_GE(calls.size(), 2u);
  // No wheel: that was dropped. The cursor is where the window last saw it.
  EXPECT_EQ(calls[0], "move 0,0>" + to);
  EXPECT_EQ(calls[1], "down 0");
}

TEST_F(MouseTest, CursorStoredAfterTheMovementWasReadStillMovesTheMouse) {
  std::string from = CursorAt(200, 150);
  Frame();
  // The device's last movement was read in an earlier frame; the window
  // stores where it ended only now.
  std::string to = StoreCursor(210, 150);
  EXPECT_EQ(Frame(), Calls{"move " + from + ">" + to});
  EXPECT_EQ(Frame(), Calls{});
}

TEST_F(MouseTest, ReleaseAllLiftsButtonsSilently) {
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  Frame();
  recorder_.calls.clear();
  mouse_->ReleaseAll();
  EXPECT_EQ(recorder_.calls, Calls{});
  // Still held on the device: the next frame reports it as pressed again.
  EXPECT_EQ(ButtonFrame()[0], "down 0");
}

TEST_F(MouseTest, FailedReadReacquiresAndReportsNothing) {
  platform::testing::FailDirectInputCall(DInputCall::GetDeviceState, DInputDevice::Mouse,
                                         DIERR_NOTACQUIRED);
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  EXPECT_FALSE(mouse_->Update(false, 0.05f, 11.0f));
  EXPECT_EQ(recorder_.calls, Calls{});
  platform::testing::ClearDirectInputFailures();
  EXPECT_EQ(ButtonFrame()[0], "down 0");
}

TEST_F(MouseTest, IsReadableFromItsFirstUpdate) {
  // The cursor flag starts clear, so construction sets the cooperative level
  // and acquires the device.
  FeedMouseButton(SDL_BUTTON_LEFT, true);
  EXPECT_EQ(ButtonFrame()[0], "down 0");
}

TEST_F(MouseTest, SetUpFailuresAreLoggedAndLeaveTheMouseHarmless) {
  struct Case {
    DInputCall call;
    const char* message;
    size_t lines;
  };
  const Case cases[] = {
      {DInputCall::CreateDevice, "Unable to create mouse object", 2},
      {DInputCall::SetDataFormat, "Unable to set Mouse Format", 2},
      {DInputCall::SetCooperativeLevel, "Unable to set Mouse Cooperation Level", 2},
      {DInputCall::Acquire, "Unable to set Mouse Cooperation Level", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    platform::testing::ClearDirectInputFailures();
    platform::testing::FailDirectInputCall(c.call, DInputDevice::Mouse, DIERR_OTHERAPPHASPRIO);
    LogCapture::Lines().clear();
    input::Mouse mouse(directInput_, true, nullptr);
    ASSERT_EQ(LogCapture::Lines().size(), c.lines);
    EXPECT_NE(LogCapture::Lines()[0].find("E_ACCESSDENIED"), std::string::npos);
    EXPECT_NE(LogCapture::Lines()[1].find(c.message), std::string::npos);
    EXPECT_FALSE(mouse.Update(false, 0.05f, 11.0f));
    mouse.ShowCursor(false);
    mouse.ReleaseAll();
  }
  input::Mouse noInterface(nullptr, true, nullptr);
  EXPECT_FALSE(noInterface.Update(false, 0.05f, 11.0f));
}

}  // namespace
