#include "core/input/input.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/input/key_listener.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/input/mouse_listener.h"
#include "core/input/input_test_support.h"

namespace {
using platform::testing::DInputCall;
using platform::testing::DInputDevice;

using InputSystemTest = input_test::InputTest;

TEST_F(InputSystemTest, FailingDirectInputFailsInit) {
  platform::testing::FailDirectInputCall(DInputCall::Create, DInputDevice::Keyboard, DIERR_GENERIC);
  {
    input::Input system;
    EXPECT_FALSE(system.Init(nullptr));
    EXPECT_EQ(system.GetMouse(), nullptr);
    EXPECT_EQ(system.GetKeyboard(), nullptr);
  }
  ASSERT_GE(LogCapture::Lines().size(), 3u);
  EXPECT_NE(LogCapture::Lines()[0].find("E_FAIL"), std::string::npos);
  EXPECT_NE(LogCapture::Lines()[1].find("Unable to Create DI8 Object"), std::string::npos);
  EXPECT_TRUE(LogCapture::Has("Shutting down input"));
}

TEST_F(InputSystemTest, DeviceThatFailedIsSkippedWhileTheOtherWorks) {
  struct Case {
    DInputDevice failing;
    const char* message;
  };
  const Case cases[] = {
      {DInputDevice::Keyboard, "Unable to Create DI8 Keyboard Object"},
      {DInputDevice::Mouse, "Unable to create mouse object"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    platform::testing::ClearDirectInputFailures();
    platform::testing::FailDirectInputCall(DInputCall::CreateDevice, c.failing, DIERR_DEVICENOTREG);
    input::Input system;
    ASSERT_TRUE(system.Init(nullptr));
    EXPECT_TRUE(LogCapture::Has(c.message));
    bool keyboardWorks = c.failing != DInputDevice::Keyboard;
    EXPECT_EQ(system.GetKeyboard()->Update(false, 0.02f, 1.0f), keyboardWorks);
    EXPECT_EQ(system.GetMouse()->Update(false, 0.02f, 1.0f), !keyboardWorks);
    system.GetKeyboard()->ReleaseAll();
    system.GetMouse()->ReleaseAll();
    system.GetMouse()->ShowCursor(false);
  }
}

class Both : public input::KeyListener, public input::MouseListener {
 public:
  void OnKeyDown(const input::KeyState*) override { ++keys; }
  void OnMouseDown(const input::MouseButton*, const math::Vec2*) override { ++buttons; }
  int keys = 0;
  int buttons = 0;
};

TEST_F(InputSystemTest, ListenersJoinTheDevicesThatExistWhenTheyAreBuilt) {
  input::Input& system = input::GetInput();
  // Built before the devices exist (when this process has not made them yet):
  // never registered.
  std::unique_ptr<Both> early;
  if (!system.GetKeyboard()) {
    early = std::make_unique<Both>();
    EXPECT_EQ(early->keyboard, nullptr);
    EXPECT_EQ(early->mouse, nullptr);
  }
  ASSERT_TRUE(system.Init(nullptr));
  EXPECT_TRUE(system.Init(nullptr));  // a second call changes nothing
  {
    Both late;
    EXPECT_EQ(late.keyboard, system.GetKeyboard());
    EXPECT_EQ(late.mouse, system.GetMouse());
    // Drop what other tests of this process fed the devices meanwhile.
    system.GetMouse()->Update(true, 0.02f, 1.0f);
    system.GetKeyboard()->Update(true, 0.02f, 1.0f);
    platform::testing::FeedKey(SDL_SCANCODE_ESCAPE, true);
    platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, true);
    system.GetMouse()->Update(false, 0.02f, 1.0f);
    system.GetKeyboard()->Update(false, 0.02f, 1.0f);
    EXPECT_EQ(late.keys, 1);
    EXPECT_EQ(late.buttons, 1);
    if (early) {
      EXPECT_EQ(early->keys + early->buttons, 0);
    }
  }
  // The destroyed listener left both devices.
  platform::testing::FeedKey(SDL_SCANCODE_ESCAPE, false);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, false);
  platform::testing::FeedKey(SDL_SCANCODE_ESCAPE, true);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, true);
  EXPECT_TRUE(system.GetMouse()->Update(false, 0.02f, 2.0f));
  EXPECT_TRUE(system.GetKeyboard()->Update(false, 0.02f, 2.0f));
  system.GetMouse()->ReleaseAll();
  system.GetKeyboard()->ReleaseAll();
}

}  // namespace
