#include "core/input/mouse.h"

#include <algorithm>

#include "core/input/input_error.h"
#include "core/input/mouse_listener.h"
#include "platform/input/dinput.h"

namespace {
MouseClientPosition g_clientPosition;
}  // namespace

const MouseClientPosition& GetMouseClientPosition() { return g_clientPosition; }
void SetMouseClientPosition(const MouseClientPosition& position) { g_clientPosition = position; }

namespace input {

Mouse::Mouse(IDirectInput8* directInput, bool absolute, HWND window)
    : absolute_(absolute), window_(window) {
  for (int i = 0; i < kButtonCount; ++i) buttons_[i].index = i;
  HRESULT result =
      directInput ? directInput->CreateDevice(GUID_SysMouse, &device_, nullptr) : E_POINTER;
  if (FAILED(result)) {
    device_ = nullptr;
    LOG_INPUT_ERROR(result, "Unable to create mouse object");
    return;
  }
  result = device_->SetDataFormat(&c_dfDIMouse2);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to set Mouse Format");
    return;
  }
  // The cursor flag starts clear, so this first request sets the level.
  ShowCursor(true);
}

Mouse::~Mouse() {
  if (!device_) return;
  device_->Unacquire();
  device_->Release();
}

void Mouse::ShowCursor(bool show) {
  ::ShowCursor(show ? TRUE : FALSE);  // every call moves the display count
  if (show == cursorShown_) return;
  cursorShown_ = show;
  if (!device_) return;
  // The level of an acquired device cannot change.
  device_->Unacquire();
  HRESULT result = device_->SetCooperativeLevel(window_, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to set Mouse Cooperation Level");
    return;
  }
  result = device_->Acquire();
  if (FAILED(result)) LOG_INPUT_ERROR(result, "Unable to set Mouse Cooperation Level");
}

template <typename Call>
void Mouse::Notify(size_t count, Call call) {
  // The count is fixed for the walk; the bound check only keeps a listener
  // that leaves during a call from taking the walk past the list.
  for (size_t i = 0; i < count && i < listeners_.size(); ++i) call(*listeners_[i]);
}

bool Mouse::Update(bool suppress, float frameTime, float now) {
  if (!device_) return false;
  DIMOUSESTATE2 state{};
  if (FAILED(device_->GetDeviceState(sizeof(DIMOUSESTATE2), &state))) {
    device_->Acquire();
    return false;
  }
  if (suppress) return true;

  size_t listenerCount = listeners_.size();
  if (state.lX != 0 || state.lY != 0 || CursorMovedAlone()) {
    Move(listenerCount, static_cast<float>(state.lX), static_cast<float>(state.lY));
  } else {
    idleTime_ += frameTime;
    if (idleTime_ > kHoverDelay)
      Notify(listenerCount, [&](MouseListener& listener) { listener.OnMouseHover(&position_); });
  }

  if (state.lZ != 0) {
    Notify(listenerCount,
           [&](MouseListener& listener) { listener.OnMouseWheel(state.lZ, &position_); });
  }

  for (MouseButton& button : buttons_)
    UpdateButton(listenerCount, button, (state.rgbButtons[button.index] & 0x80) != 0, frameTime, now);

  if (buttons_[0].down && !dragging_) {
    dragging_ = true;
    dragStart_ = position_;
  } else if (dragging_ && !buttons_[0].down) {
    Notify(listenerCount,
           [&](MouseListener& listener) { listener.OnMouseDragEnd(&dragStart_, &position_); });
    dragging_ = false;
  }
  return true;
}

math::Vec2 Mouse::ClampedCursor() const {
  const MouseClientPosition& cursor = GetMouseClientPosition();
  return {std::clamp(cursor.relativeX, 0.0f, 1.0f), std::clamp(cursor.relativeY, 0.0f, 1.0f)};
}

bool Mouse::CursorMovedAlone() const {
  // The device's movement and the window's cursor message come from one
  // event but are read at different times: movement read in one frame may
  // reach the stored cursor only by the next, when the device reports none.
  if (!absolute_) return false;
  math::Vec2 cursor = ClampedCursor();
  return cursor.x != position_.x || cursor.y != position_.y;
}

void Mouse::Move(size_t listenerCount, float dx, float dy) {
  idleTime_ = 0.0f;
  math::Vec2 next;
  if (absolute_) {
    next = ClampedCursor();
  } else {
    next = position_ + math::Vec2(dx, dy) * kSensitivity;
    next.x = std::clamp(next.x, 0.0f, 1.0f);
    next.y = std::clamp(next.y, 0.0f, 1.0f);
  }
  Notify(listenerCount, [&](MouseListener& listener) { listener.OnMouseMove(&position_, &next); });
  if (dragging_)
    Notify(listenerCount, [&](MouseListener& listener) { listener.OnMouseDrag(&dragStart_, &next); });
  position_ = next;
}

void Mouse::UpdateButton(size_t listenerCount, MouseButton& button, bool down, float frameTime,
                         float now) {
  button.changed = down != (button.down != 0) ? 1 : 0;
  button.down = down ? 1 : 0;
  if (button.changed && down) {
    Notify(listenerCount,
           [&](MouseListener& listener) { listener.OnMouseDown(&button, &position_); });
  } else if (button.changed) {
    // A double click takes the place of the second release.
    if (now - button.lastRelease < kDoubleClickTime) {
      Notify(listenerCount,
             [&](MouseListener& listener) { listener.OnMouseDoubleClick(&button, &position_); });
    } else {
      Notify(listenerCount, [&](MouseListener& listener) { listener.OnMouseUp(&button, &position_); });
    }
    button.lastRelease = now;
    button.repeatCountdown = kRepeatInterval;
  }
  if (!down) return;
  Notify(listenerCount, [&](MouseListener& listener) { listener.OnMouseHeld(&button, &position_); });
  button.repeatCountdown -= frameTime;
  if (button.repeatCountdown < 0.0f) {
    button.repeatCountdown = kRepeatInterval;
    Notify(listenerCount,
           [&](MouseListener& listener) { listener.OnMouseRepeat(&button, &position_); });
  }
}

void Mouse::ReleaseAll() {
  for (MouseButton& button : buttons_) {
    button.changed = button.down;
    button.down = 0;
  }
}

void Mouse::AddListener(MouseListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void Mouse::RemoveListener(MouseListener* listener) {
  auto found = std::find(listeners_.begin(), listeners_.end(), listener);
  if (found != listeners_.end()) listeners_.erase(found);
}

}  // namespace input
