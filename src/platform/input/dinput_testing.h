// Test seam for the DirectInput layer: feed key and mouse input as the event
// router would, and make layer calls fail.
#pragma once
#include <SDL_events.h>
#include <cstdint>

#include "platform/input/dinput.h"

namespace platform::testing {

// Hands one SDL input event to the layer exactly as the event router does.
void FeedInputEvent(const SDL_Event& event);
void FeedKey(SDL_Scancode key, bool down);
void FeedMouseMotion(int dx, int dy);
// button: SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, ...
void FeedMouseButton(uint8_t button, bool down);
// Positive notches turn the wheel away from the user.
void FeedMouseWheel(int notches);

enum class DInputCall {
  Create,
  CreateDevice,
  SetDataFormat,
  SetCooperativeLevel,
  SetProperty,
  Acquire,
  GetDeviceState,
  GetDeviceData,
};
enum class DInputDevice { Keyboard, Mouse };
// Every later call of that kind on that kind of device fails with the code
// (for Create the device kind is ignored), until the failures are cleared.
void FailDirectInputCall(DInputCall call, DInputDevice device, HRESULT code);
void ClearDirectInputFailures();

// Forgets the keys and buttons held so far, and the events every device
// still holds unread, so that a test starts with no input pending.
void ResetInputState();

}  // namespace platform::testing
