// The system mouse, read once per frame as an immediate state and turned
// into mouse-listener calls: press, double click, release, held, repeat,
// wheel, hover, move, drag and drag end.
#pragma once
#include <cstdint>
#include <vector>

#include "core/math/vector.h"
#include "platform/window/win32.h"

class IDirectInput8;
class IDirectInputDevice8;

// The last mouse position in the client area, kept by the window's message
// pump; the mouse reads it in absolute mode.
struct MouseClientPosition {
  int x = 0;
  int y = 0;
  float relativeX = 0.0f;
  float relativeY = 0.0f;
};
const MouseClientPosition& GetMouseClientPosition();
void SetMouseClientPosition(const MouseClientPosition& position);

namespace input {

class MouseListener;

struct MouseButton {
  int32_t index = 0;  // 0 left, 1 right, 2 middle
  uint8_t changed = 0;
  uint8_t down = 0;
  float lastRelease = 0.0f;      // total time of the last release
  float repeatCountdown = 0.0f;  // seconds to the next repeat
};

class Mouse {
 public:
  static constexpr int kButtonCount = 3;
  static constexpr float kHoverDelay = 0.2f;
  static constexpr float kSensitivity = 0.002f;
  static constexpr float kDoubleClickTime = 0.3f;
  static constexpr float kRepeatInterval = 0.1f;

  // In absolute mode positions follow the cursor the window last saw; in
  // relative mode they add up the device's movement. The window is the one
  // the device cooperates with. A failed step is logged and stops the set-up
  // (no device at all when creation failed).
  Mouse(IDirectInput8* directInput, bool absolute, HWND window);
  ~Mouse();
  Mouse(const Mouse&) = delete;
  Mouse& operator=(const Mouse&) = delete;

  // Shows or hides the system cursor; a change of visibility also sets the
  // device's cooperative level anew and acquires it.
  void ShowCursor(bool show);
  // One frame of input. False when the state could not be read (the device
  // is re-acquired for the next frame) or there is no device. With suppress
  // set the state is read and dropped.
  bool Update(bool suppress, float frameTime, float now);
  // Every button that is down goes up, marked changed, without listener calls.
  void ReleaseAll();

  void AddListener(MouseListener* listener);
  void RemoveListener(MouseListener* listener);

  const math::Vec2& GetPosition() const { return position_; }

 private:
  template <typename Call>
  void Notify(size_t count, Call call);
  math::Vec2 ClampedCursor() const;
  bool CursorMovedAlone() const;
  void Move(size_t listenerCount, float dx, float dy);
  void UpdateButton(size_t listenerCount, MouseButton& button, bool down, float frameTime, float now);

  IDirectInputDevice8* device_ = nullptr;
  std::vector<MouseListener*> listeners_;
  math::Vec2 position_;
  MouseButton buttons_[kButtonCount];
  float idleTime_ = 0.0f;
  bool dragging_ = false;
  math::Vec2 dragStart_;
  bool absolute_;
  bool cursorShown_ = false;
  HWND window_;
};

}  // namespace input
