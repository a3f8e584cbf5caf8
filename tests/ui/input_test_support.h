// Mouse buttons and keys as the input system hands them to its listeners, for
// tests that call a listener's handlers directly; clicks through the UI
// manager and key strokes through the keyboard device.
#pragma once
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/math/vector.h"
#include "platform/input/dinput_testing.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace input_testing {

// The button (0 left, 1 right, 2 middle) as it went down, or up, this frame.
inline input::MouseButton Button(int index, bool down = true) {
  input::MouseButton button;
  button.index = index;
  button.down = down ? 1 : 0;
  button.changed = 1;
  return button;
}

// The key (a DirectInput code) as it went down this frame.
inline input::KeyState KeyDown(int code) {
  input::KeyState key;
  key.code = code;
  key.down = 1;
  key.changed = 1;
  return key;
}

// The button going down at the point, handed to the listener.
template <typename Listener>
void Press(Listener& listener, int index, math::Vec2 point) {
  const input::MouseButton button = Button(index);
  listener.OnMouseDown(&button, &point);
}

// The key going down, handed to the listener.
template <typename Listener>
void PressKey(Listener& listener, int code) {
  const input::KeyState key = KeyDown(code);
  listener.OnKeyDown(&key);
}

// The left button going down, or up, at the point, through the UI manager.
inline void LeftButton(bool down, math::Vec2 point) {
  const input::MouseButton left = Button(0, down);
  if (down)
    GetUIMan()->OnMouseDown(&left, &point);
  else
    GetUIMan()->OnMouseUp(&left, &point);
}

// A left click in the middle of the widget, through the UI manager.
inline void Click(const ui::UIWidget* widget) {
  ASSERT_NE(widget, nullptr);
  const math::Vec2 point = widget->GetPosition() + widget->GetSize() * 0.5f;
  LeftButton(true, point);
  LeftButton(false, point);
}

// One key stroke through the keyboard device, as a frame polls it.
inline void Stroke(SDL_Scancode key) {
  input::Keyboard* keyboard = input::GetInput().GetKeyboard();
  ASSERT_NE(keyboard, nullptr);
  const FrameTimer& timer = GetFrameTimer();
  for (bool down : {true, false}) {
    platform::testing::FeedKey(key, down);
    keyboard->Update(false, timer.frameDelta, timer.totalTime);
  }
}

}  // namespace input_testing
