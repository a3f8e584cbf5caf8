#include "core/input/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/frame_timer.h"
#include "core/input/key_listener.h"
#include "core/input/input_test_support.h"

namespace {
using platform::testing::DInputCall;
using platform::testing::DInputDevice;
using platform::testing::FeedKey;

// Writes each call as "down 30", "held 30", ...
class KeyRecorder : public input::KeyListener {
 public:
  void OnKeyDown(const input::KeyState* key) override { Add("down", key); }
  void OnKeyUp(const input::KeyState* key) override { Add("up", key); }
  void OnKeyHeld(const input::KeyState* key) override { Add("held", key); }
  void OnKeyRepeat(const input::KeyState* key) override { Add("repeat", key); }

  std::vector<std::string> calls;

 private:
  void Add(const char* what, const input::KeyState* key) {
    calls.push_back(std::string(what) + " " + std::to_string(key->code));
  }
};

using Calls = std::vector<std::string>;

class KeyboardTest : public input_test::InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    keyboard_ = std::make_unique<input::Keyboard>(directInput_, nullptr);
    keyboard_->AddListener(&recorder_);
  }
  void TearDown() override {
    keyboard_.reset();
    InputTest::TearDown();
  }

  // One frame; answers the calls it made.
  Calls Frame(float dt = 0.02f, bool suppress = false) {
    recorder_.calls.clear();
    now_ += dt;
    EXPECT_TRUE(keyboard_->Update(suppress, dt, now_));
    return recorder_.calls;
  }

  std::unique_ptr<input::Keyboard> keyboard_;
  KeyRecorder recorder_;
  float now_ = 10.0f;
};

TEST_F(KeyboardTest, PressAndReleaseInOneFrameGiveDownThenUpWithoutHeld) {
  FeedKey(SDL_SCANCODE_A, true);
  FeedKey(SDL_SCANCODE_A, false);
  EXPECT_EQ(Frame(), (Calls{"down 30", "up 30"}));
  EXPECT_EQ(Frame(), Calls{});
}

TEST_F(KeyboardTest, PressIsReportedDownThenHeldInTheSameFrame) {
  FeedKey(SDL_SCANCODE_ESCAPE, true);
  EXPECT_EQ(Frame(), (Calls{"down 1", "held 1"}));
  EXPECT_EQ(keyboard_->GetKeyState(DIK_ESCAPE).time, now_);
  EXPECT_EQ(Frame(), Calls{"held 1"});
  FeedKey(SDL_SCANCODE_ESCAPE, false);
  EXPECT_EQ(Frame(), Calls{"up 1"});
}

TEST_F(KeyboardTest, HeldKeysRepeatEveryDelayAndBackspaceFaster) {
  struct Case {
    SDL_Scancode key;
    int code;
    std::vector<int> repeatFrames;  // frames (1-based) with a repeat, of 16
  };
  // Frames of 1/16 s: 0.4 s is passed on the 7th frame, 0.16 s on the 3rd.
  const Case cases[] = {
      {SDL_SCANCODE_F2, 60, {7, 14}},
      {SDL_SCANCODE_BACKSPACE, 14, {3, 6, 9, 12, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    FeedKey(c.key, true);
    std::vector<int> repeats;
    for (int frame = 1; frame <= 16; ++frame) {
      Calls calls = Frame(0.0625f);
      EXPECT_EQ(calls[frame == 1 ? 1 : 0], "held " + std::to_string(c.code));
      if (calls.back() == "repeat " + std::to_string(c.code)) repeats.push_back(frame);
    }
    EXPECT_EQ(repeats, c.repeatFrames);
    FeedKey(c.key, false);
    Frame();
    EXPECT_EQ(keyboard_->GetKeyState(static_cast<uint8_t>(c.code)).held, 0.0f);
  }
}

TEST_F(KeyboardTest, SuppressedFramesDropTheirEvents) {
  FeedKey(SDL_SCANCODE_A, true);
  FeedKey(SDL_SCANCODE_A, false);
  FeedKey(SDL_SCANCODE_B, true);
  EXPECT_EQ(Frame(0.02f, true), Calls{});
  // B is still held, but the keyboard never saw it go down.
  EXPECT_EQ(Frame(), Calls{});
  FeedKey(SDL_SCANCODE_B, false);
  EXPECT_EQ(Frame(), Calls{});
}

TEST_F(KeyboardTest, DisabledListenerStaysRegisteredButHearsNothing) {
  recorder_.enabled = 0;
  FeedKey(SDL_SCANCODE_A, true);
  EXPECT_EQ(Frame(), Calls{});
  recorder_.enabled = 1;
  EXPECT_EQ(Frame(), Calls{"held 30"});
}

TEST_F(KeyboardTest, ReleaseAllLiftsKeysSilently) {
  FeedKey(SDL_SCANCODE_LSHIFT, true);
  Frame();
  GetFrameTimer().totalTime = 42.0f;
  recorder_.calls.clear();
  keyboard_->ReleaseAll();
  EXPECT_EQ(recorder_.calls, Calls{});
  const input::KeyState& shift = keyboard_->GetKeyState(DIK_LSHIFT);
  EXPECT_EQ(shift.down, 0);
  EXPECT_EQ(shift.changed, 1);
  EXPECT_EQ(shift.time, 42.0f);
  EXPECT_EQ(Frame(), Calls{});
  EXPECT_EQ(shift.changed, 0);
}

TEST_F(KeyboardTest, ListenersAreCalledInRegistrationOrderOnceEach) {
  KeyRecorder second;
  keyboard_->AddListener(&second);
  keyboard_->AddListener(&recorder_);  // already there: stays first, once
  FeedKey(SDL_SCANCODE_A, true);
  EXPECT_EQ(Frame(), (Calls{"down 30", "held 30"}));
  EXPECT_EQ(second.calls, (Calls{"down 30", "held 30"}));
  keyboard_->RemoveListener(&recorder_);
  Frame();
  EXPECT_EQ(recorder_.calls, Calls{});
  keyboard_->RemoveListener(&second);
}

TEST_F(KeyboardTest, FailedReadReacquiresAndReportsNothing) {
  platform::testing::FailDirectInputCall(DInputCall::GetDeviceData, DInputDevice::Keyboard,
                                         DIERR_NOTACQUIRED);
  FeedKey(SDL_SCANCODE_A, true);
  EXPECT_FALSE(keyboard_->Update(false, 0.02f, 1.0f));
  EXPECT_EQ(recorder_.calls, Calls{});
  platform::testing::ClearDirectInputFailures();
  EXPECT_EQ(Frame(), (Calls{"down 30", "held 30"}));
}

TEST_F(KeyboardTest, SetUpFailuresAreLoggedAndStopTheSetUp) {
  struct Case {
    DInputCall call;
    const char* message;
  };
  const Case cases[] = {
      {DInputCall::CreateDevice, "Unable to Create DI8 Keyboard Object"},
      {DInputCall::SetDataFormat, "Unable to set Keyboard format"},
      {DInputCall::SetCooperativeLevel, "Unable to set Keyboard Cooperation Level"},
      {DInputCall::SetProperty, "Unable to set Keyboard buffer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    platform::testing::ClearDirectInputFailures();
    platform::testing::FailDirectInputCall(c.call, DInputDevice::Keyboard, DIERR_OUTOFMEMORY);
    LogCapture::Lines().clear();
    input::Keyboard keyboard(directInput_, nullptr);
    ASSERT_EQ(LogCapture::Lines().size(), 2u);
    EXPECT_NE(LogCapture::Lines()[0].find("E_OUTOFMEMORY"), std::string::npos);
    EXPECT_NE(LogCapture::Lines()[1].find(c.message), std::string::npos);
    // The set-up stopped before the acquire, so the device cannot be read.
    FeedKey(SDL_SCANCODE_A, true);
    EXPECT_FALSE(keyboard.Update(false, 0.02f, 1.0f));
    FeedKey(SDL_SCANCODE_A, false);
  }
}

TEST_F(KeyboardTest, KeyboardWithoutDeviceSkipsItsUpdates) {
  input::Keyboard keyboard(nullptr, nullptr);
  EXPECT_FALSE(keyboard.Update(false, 0.02f, 1.0f));
  keyboard.ReleaseAll();
}

TEST_F(KeyboardTest, ScanCodesTypeTheLayoutsCharacters) {
  struct Case {
    std::vector<SDL_Scancode> held;
    uint8_t code;
    const char* typed;  // empty: nothing
  };
  const Case cases[] = {
      {{}, DIK_A, "a"},
      {{SDL_SCANCODE_LSHIFT}, DIK_A, "A"},
      {{SDL_SCANCODE_RSHIFT}, DIK_1, "!"},
      {{}, DIK_1, "1"},
      {{}, DIK_SPACE, " "},
      {{}, DIK_SEMICOLON, ";"},
      {{SDL_SCANCODE_LSHIFT}, DIK_SLASH, "?"},
      {{}, DIK_NUMPAD7, "7"},
      {{SDL_SCANCODE_LCTRL}, DIK_C, "\x03"},
      {{}, DIK_F2, ""},
      {{}, DIK_UP, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    for (SDL_Scancode key : c.held) FeedKey(key, true);
    char typed[3] = {};
    input::Keyboard::ScanCodeToAscii(c.code, typed);
    EXPECT_STREQ(typed, c.typed);
    for (SDL_Scancode key : c.held) FeedKey(key, false);
  }
}

TEST_F(KeyboardTest, CapsLockTurnsLettersAroundShift) {
  FeedKey(SDL_SCANCODE_CAPSLOCK, true);
  FeedKey(SDL_SCANCODE_CAPSLOCK, false);
  char typed[3] = {};
  input::Keyboard::ScanCodeToAscii(DIK_Q, typed);
  EXPECT_STREQ(typed, "Q");
  FeedKey(SDL_SCANCODE_LSHIFT, true);
  input::Keyboard::ScanCodeToAscii(DIK_Q, typed);
  EXPECT_STREQ(typed, "q");
  input::Keyboard::ScanCodeToAscii(DIK_2, typed);
  EXPECT_STREQ(typed, "@");
}

TEST_F(KeyboardTest, ClipboardCarriesTextBothWays) {
  std::string text = "left as it was";
  ASSERT_TRUE(keyboard_->SetClipboardText(u"Gr\u00fc\u00dfe, 1 + 1"));
  EXPECT_TRUE(keyboard_->GetClipboardText(text));
  EXPECT_EQ(text, u8"Gr\u00fc\u00dfe, 1 + 1");
  ASSERT_TRUE(keyboard_->SetClipboardText(u""));
  text.clear();
  EXPECT_FALSE(keyboard_->GetClipboardText(text));
  EXPECT_EQ(text, "");
}

}  // namespace
